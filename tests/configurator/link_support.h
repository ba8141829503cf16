#pragma once

// Small helpers for the tests of the link and the protocol.

#include "configurator/support/configurator_under_test.h"

#include "configurator/app/mainform.h"
#include "configurator/app/status_panels.h"
#include "configurator/app/workspace.h"
#include "configurator/link/frame.h"

#include <QProgressBar>
#include <QTreeWidget>

namespace linktest {

inline const QString kNoPort = QStringLiteral("Отправка данных не возможна. Не выбран COM порт!");

// The log line of an answer the dispatcher took.
inline QString answered(int address, int command) {
    return QStringLiteral("Получен ответ от TVR(%1) на сообщение CMD%2").arg(address).arg(command);
}

// A frame as it travels on the line.
inline QByteArray onWire(int address, int command, const QByteArray& data = {}) {
    return veldar::wireText(
        veldar::requestFrame(static_cast<std::uint8_t>(address), static_cast<std::uint8_t>(command), data));
}

inline bool lit(veldartest::ConfiguratorUnderTest& app, int panel) {
    return app.main().statusPanels().lamp(panel)->value() == 10;
}

// Puts the nodes of this path under "VELDAR" (the tree is not rebuilt in these tests) and
// chooses the last, which sets the workspace title.
inline void chooseNodePath(veldartest::ConfiguratorUnderTest& app, const QStringList& below) {
    QTreeWidget* tree = app.main().workspace().tree();
    QTreeWidgetItem* node = tree->topLevelItem(1);
    for (const QString& caption : below) {
        QTreeWidgetItem* child = nullptr;
        for (int i = 0; i < node->childCount() && !child; ++i)
            if (node->child(i)->text(0) == caption) child = node->child(i);
        if (!child) child = new QTreeWidgetItem(node, {caption});
        node = child;
    }
    tree->setCurrentItem(node);
}

}  // namespace linktest
