#include "searchtvrsettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace veldar {

TfrmSearchTVRSettings::TfrmSearchTVRSettings(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint),
      cbStartSearchAdr(new QComboBox),
      cbStopSearchAdr(new QComboBox),
      chkShowTVRFind(new QCheckBox(QStringLiteral("Уведомлять о чтении констант"))) {
    setObjectName(QStringLiteral("TfrmSearchTVRSettings"));
    setWindowTitle(QStringLiteral("Поиск подключенных TVR"));
    cbStartSearchAdr->setObjectName(QStringLiteral("cbStartSearchAdr"));
    cbStopSearchAdr->setObjectName(QStringLiteral("cbStopSearchAdr"));
    chkShowTVRFind->setObjectName(QStringLiteral("chkShowTVRFind"));
    for (int address = 1; address <= 255; ++address) {
        cbStartSearchAdr->addItem(QString::number(address));
        cbStopSearchAdr->addItem(QString::number(address));
    }

    auto* range = new QGroupBox(QStringLiteral("Диапазон поиска"));
    auto* rangeGrid = new QGridLayout(range);
    rangeGrid->addWidget(new QLabel(QStringLiteral("с адреса")), 0, 0);
    rangeGrid->addWidget(cbStartSearchAdr, 0, 1);
    rangeGrid->addWidget(new QLabel(QStringLiteral("по")), 0, 2);
    rangeGrid->addWidget(cbStopSearchAdr, 0, 3);

    auto* grid = new QGridLayout(this);
    grid->addWidget(range, 0, 0, 1, 2);
    grid->addWidget(chkShowTVRFind, 1, 0, 1, 2);
    grid->addWidget(new QPushButton(QStringLiteral("Начать поиск")), 2, 0);
    grid->addWidget(new QPushButton(QStringLiteral("Отмена")), 2, 1);
}

}  // namespace veldar
