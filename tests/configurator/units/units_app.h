#pragma once

// ConfigVELDAR with its settings folder in the test's folder, and what the unit tests look
// at: settings image files, backups and tree nodes by their path.
#include "configurator/support/configurator_under_test.h"

#include "simulators/tvr/unit.h"

#include <QStringList>

#include <vector>

class QTreeWidgetItem;

namespace unitstest {

class UnitsApp : public veldartest::ConfiguratorUnderTest {
public:
    UnitsApp();

    QString settingsFolder() const;
    QString settingsFile(int address) const;
    // A settings image file for the unit before or while the program runs (the default
    // content unless given).
    void putSettingsFile(int address, const QByteArray& content = {});
    QByteArray settingsFileContent(int address) const;
    bool hasSettingsFile(int address) const;
    QStringList backups() const;

    // The unit nodes under "VELDAR", in the tree's order.
    QStringList unitCaptions();
    // A node by the captions below "VELDAR" ({"TVR (101)", "Измерительные каналы", "Канал 3"});
    // {} is "VELDAR" itself.
    QTreeWidgetItem* node(const QStringList& belowVeldar);
    // Chooses a node as the user does; the test fails when the tree cannot be used.
    void choose(const QStringList& belowVeldar);
    using ConfiguratorUnderTest::choose;
    // Units of tvr-sim on COM1, which the program opens after the login.
    void startWithUnits(const std::vector<int>& addresses);
    tvrsim::Unit& unit(int address);
    // How often this request went out on the line so far.
    int sent(int address, int command, const QByteArray& data = {});

    QString title();
    // The page the workspace shows (its objectName).
    QString shownPage();
    bool windowReleased();
};

}  // namespace unitstest
