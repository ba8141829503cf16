#include "setsensorregime.h"

#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace veldar {

TfrmSetSensorRegime::TfrmSetSensorRegime(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint),
      rbWeightSensor(new QRadioButton(QStringLiteral("Одноэлектродный датчик VLK-2R"))),
      rbWeightAndPressureSensor(new QRadioButton(QStringLiteral("Одноэлектродный датчик VLK-2R с датчиком давления"))),
      rbPlotnomer(new QRadioButton(QStringLiteral("Плотномер"))),
      btnOk(new QPushButton(QStringLiteral("\u041E\u041A"))) {
    setObjectName(QStringLiteral("TfrmSetSensorRegime"));
    setWindowTitle(QStringLiteral("Режим работы"));
    rbWeightSensor->setObjectName(QStringLiteral("rbWeightSensor"));
    rbWeightAndPressureSensor->setObjectName(QStringLiteral("rbWeightAndPressureSensor"));
    rbPlotnomer->setObjectName(QStringLiteral("rbPlotnomer"));
    btnOk->setObjectName(QStringLiteral("btnOk"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rbWeightSensor);
    layout->addWidget(rbWeightAndPressureSensor);
    layout->addWidget(rbPlotnomer);
    layout->addWidget(btnOk, 0, Qt::AlignHCenter);
}

}  // namespace veldar
