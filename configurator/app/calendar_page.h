#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;

namespace veldar {

// `PanelCalendar`, the unit's clock beside the PC's.
class CalendarPage : public QWidget {
    Q_OBJECT
public:
    static inline const QString kNoTime = QStringLiteral("________        __:__:__");

    explicit CalendarPage(QWidget* parent = nullptr);

private:
    QLabel* lblTimePC;
    QCheckBox* CheckTimeBO;
    QLabel* TimeBO;
    QPushButton* GetTimeBO;
    QPushButton* SetDateTime;
};

}  // namespace veldar
