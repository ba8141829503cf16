#include "sensor_page.h"

#include "configurator/config/constant_rows.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace veldar {

SensorPage::SensorPage(QWidget* parent) : QWidget(parent), rows_(new ConstantRows) {
    setObjectName(QStringLiteral("PanelSensorSettings"));
    auto* sensor = new QWidget;
    auto* sensorLayout = new QVBoxLayout(sensor);
    sensorLayout->addWidget(rows_);
    auto* tabs = new QTabWidget;
    tabs->addTab(sensor, QStringLiteral("Датчик"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabs);
}

}  // namespace veldar
