#include "units_app.h"

#include "configurator/app/mainform.h"
#include "configurator/app/settings.h"
#include "configurator/app/workspace.h"
#include "configurator/image/default_settings.h"
#include "configurator/image/readwritesettingsfile.h"
#include "configurator/link/frame.h"

#include "support/widgets.h"

#include "platform/fs/files.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QStackedLayout>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <stdexcept>

namespace unitstest {

UnitsApp::UnitsApp() {
    platform::fs::makePath(settingsFolder());
    setSetting(veldar::Settings::kSettingsPath, settingsFolder());
}

QString UnitsApp::settingsFolder() const { return folder() + QStringLiteral("/settings"); }

QString UnitsApp::settingsFile(int address) const { return veldar::settingsFileName(settingsFolder(), address); }

void UnitsApp::putSettingsFile(int address, const QByteArray& content) {
    ASSERT_TRUE(platform::fs::replaceFile(settingsFile(address),
                                          content.isNull() ? veldar::builtInDefaultSettings() : content));
}

QByteArray UnitsApp::settingsFileContent(int address) const {
    QByteArray b;
    platform::fs::readFile(settingsFile(address), b);
    return b;
}

bool UnitsApp::hasSettingsFile(int address) const { return platform::fs::fileExists(settingsFile(address)); }

QStringList UnitsApp::backups() const {
    return QDir(settingsFolder() + QLatin1Char('/') + veldar::kBackupFolderName).entryList(QDir::Files, QDir::Name);
}

QStringList UnitsApp::unitCaptions() {
    QStringList out;
    QTreeWidgetItem* veldar = main().workspace().veldarNode();
    for (int i = 0; i < veldar->childCount(); ++i) out << veldar->child(i)->text(0);
    return out;
}

QTreeWidgetItem* UnitsApp::node(const QStringList& belowVeldar) {
    QTreeWidgetItem* n = main().workspace().veldarNode();
    for (const QString& caption : belowVeldar) {
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; n && i < n->childCount() && !next; ++i)
            if (n->child(i)->text(0) == caption) next = n->child(i);
        if (!next) {
            ADD_FAILURE() << "no node " << belowVeldar.join(QLatin1Char('/')).toStdString();
            return nullptr;
        }
        n = next;
    }
    return n;
}

void UnitsApp::choose(const QStringList& belowVeldar) {
    QTreeWidgetItem* n = node(belowVeldar);
    if (!n) return;
    QTreeWidget* tree = main().workspace().tree();
    if (!tree->isEnabled()) {
        ADD_FAILURE() << "the tree cannot be used now";
        return;
    }
    tree->setCurrentItem(n);
    testsupport::processEvents();
}

void UnitsApp::startWithUnits(const std::vector<int>& addresses) {
    units(addresses);
    startConnected();
}

tvrsim::Unit& UnitsApp::unit(int address) {
    tvrsim::Unit* u = units({}).unit(address);
    if (!u) throw std::logic_error("no unit at this address");
    return *u;
}

int UnitsApp::sent(int address, int command, const QByteArray& data) {
    const QByteArray frame = veldar::wireText(
        veldar::requestFrame(static_cast<std::uint8_t>(address), static_cast<std::uint8_t>(command), data));
    return static_cast<int>(wire().written().count(frame));
}

QString UnitsApp::title() { return main().workspace().title(); }

QString UnitsApp::shownPage() {
    auto* contents = window(QStringLiteral("PanelFullContaints"));
    auto* stack = contents ? qobject_cast<QStackedLayout*>(contents->layout()) : nullptr;
    return stack && stack->currentWidget() ? stack->currentWidget()->objectName() : QString();
}

bool UnitsApp::windowReleased() {
    return window(QStringLiteral("PanelFullContaints"))->isEnabled() &&
           window(QStringLiteral("PanelProjectTree"))->isEnabled() && !main().workspace().held() &&
           QApplication::overrideCursor() == nullptr;
}

}  // namespace unitstest
