#include "calendar_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace veldar {

CalendarPage::CalendarPage(QWidget* parent)
    : QWidget(parent),
      lblTimePC(new QLabel(kNoTime)),
      CheckTimeBO(new QCheckBox(QStringLiteral("Текущие дата и время в TVR"))),
      TimeBO(new QLabel(kNoTime)),
      GetTimeBO(new QPushButton(QStringLiteral("Прочитать настройки"))),
      SetDateTime(new QPushButton(QStringLiteral("Синхронизировать"))) {
    setObjectName(QStringLiteral("PanelCalendar"));
    lblTimePC->setObjectName(QStringLiteral("lblTimePC"));
    CheckTimeBO->setObjectName(QStringLiteral("CheckTimeBO"));
    TimeBO->setObjectName(QStringLiteral("TimeBO"));
    GetTimeBO->setObjectName(QStringLiteral("GetTimeBO"));
    SetDateTime->setObjectName(QStringLiteral("SetDateTime"));
    auto* group = new QGroupBox;
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(QStringLiteral("Текущие дата и время (ПЭВМ)")), 0, 0);
    grid->addWidget(lblTimePC, 0, 1);
    grid->addWidget(CheckTimeBO, 1, 0);
    grid->addWidget(TimeBO, 1, 1);
    grid->addWidget(GetTimeBO, 2, 0);
    grid->addWidget(SetDateTime, 2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group, 0, Qt::AlignLeft);
    layout->addStretch(1);
}

}  // namespace veldar
