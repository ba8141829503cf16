#pragma once

#include <QString>

class QLabel;

namespace veldar {

// The caption bar of a panel ("Состав системы", the workspace title, "Журнал событий").
QLabel* panelHeader(const QString& text, const QString& objectName = QString());

}  // namespace veldar
