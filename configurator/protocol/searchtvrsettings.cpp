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
    auto* start = new QPushButton(QStringLiteral("Начать поиск"));
    start->setObjectName(QStringLiteral("btnStartSearch"));
    auto* cancel = new QPushButton(QStringLiteral("Отмена"));
    cancel->setObjectName(QStringLiteral("btnCancel"));

    auto* range = new QGroupBox(QStringLiteral("Диапазон поиска"));
    auto* rangeGrid = new QGridLayout(range);
    rangeGrid->addWidget(new QLabel(QStringLiteral("с адреса")), 0, 0);
    rangeGrid->addWidget(cbStartSearchAdr, 0, 1);
    rangeGrid->addWidget(new QLabel(QStringLiteral("по")), 0, 2);
    rangeGrid->addWidget(cbStopSearchAdr, 0, 3);

    auto* grid = new QGridLayout(this);
    grid->addWidget(range, 0, 0, 1, 2);
    grid->addWidget(chkShowTVRFind, 1, 0, 1, 2);
    grid->addWidget(start, 2, 0);
    grid->addWidget(cancel, 2, 1);

    connect(cbStartSearchAdr, &QComboBox::currentIndexChanged, this, [this] { keepRangeOrdered(); });
    connect(cbStopSearchAdr, &QComboBox::currentIndexChanged, this, [this] { keepRangeOrdered(); });
    connect(start, &QPushButton::clicked, this, [this] {
        close();
        emit searchRequested(firstAddress(), lastAddress(), notify());
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
}

int TfrmSearchTVRSettings::firstAddress() const { return cbStartSearchAdr->currentIndex() + 1; }

int TfrmSearchTVRSettings::lastAddress() const { return cbStopSearchAdr->currentIndex() + 1; }

bool TfrmSearchTVRSettings::notify() const { return chkShowTVRFind->isChecked(); }

void TfrmSearchTVRSettings::keepRangeOrdered() {
    if (cbStopSearchAdr->currentIndex() < cbStartSearchAdr->currentIndex())
        cbStopSearchAdr->setCurrentIndex(cbStartSearchAdr->currentIndex());
}

}  // namespace veldar
