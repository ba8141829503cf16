#include "sensor_page.h"

#include "panel_header.h"

#include "configurator/config/constant_rows.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace veldar {

SensorPage::SensorPage(QWidget* parent)
    : QWidget(parent),
      rows_(new ConstantRows),
      lblChannelState(new QLabel(QStringLiteral("Нет опроса"))),
      chkChannelQueryEnabled(new QCheckBox(QStringLiteral("Опрос канала"))) {
    setObjectName(QStringLiteral("PanelSensorSettings"));
    lblChannelState->setObjectName(QStringLiteral("lblChannelState"));
    chkChannelQueryEnabled->setObjectName(QStringLiteral("chkChannelQueryEnabled"));
    auto* current = new QWidget;
    auto* currentLayout = new QHBoxLayout(current);
    currentLayout->addWidget(lblChannelState);
    currentLayout->addWidget(chkChannelQueryEnabled);
    currentLayout->addStretch(1);

    auto* sensor = new QWidget;
    auto* sensorLayout = new QVBoxLayout(sensor);
    sensorLayout->addWidget(rows_);
    auto* tabs = new QTabWidget;
    tabs->addTab(sensor, QStringLiteral("Датчик"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panelHeader(QStringLiteral("     Текущие данные")));
    layout->addWidget(current);
    layout->addWidget(tabs, 1);
}

}  // namespace veldar
