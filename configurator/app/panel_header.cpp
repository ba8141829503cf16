#include "panel_header.h"

#include <QLabel>

namespace veldar {

QLabel* panelHeader(const QString& text, const QString& objectName) {
    auto* label = new QLabel(text);
    if (!objectName.isEmpty()) label->setObjectName(objectName);
    label->setFixedHeight(24);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setStyleSheet(QStringLiteral(
        "QLabel { color: white; font-weight: bold; padding-left: 4px;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 rgb(98, 132, 180), stop:1 rgb(62, 94, 144)); }"));
    return label;
}

}  // namespace veldar
