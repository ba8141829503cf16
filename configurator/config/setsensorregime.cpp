#include "setsensorregime.h"

#include "constchannelfunc.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace veldar {

TfrmSetSensorRegime::TfrmSetSensorRegime(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint),
      rbWeightSensor(new QRadioButton(regimeText(kRegimeWeight))),
      rbWeightAndPressureSensor(new QRadioButton(regimeText(kRegimeWeightAndPressure))),
      rbPlotnomer(new QRadioButton(regimeText(kRegimeDensityMeter))),
      btnOk(new QPushButton(QStringLiteral("\u041E\u041A"))) {
    setObjectName(QStringLiteral("TfrmSetSensorRegime"));
    setWindowTitle(QStringLiteral("Режим работы"));
    rbWeightSensor->setObjectName(QStringLiteral("rbWeightSensor"));
    rbWeightAndPressureSensor->setObjectName(QStringLiteral("rbWeightAndPressureSensor"));
    rbPlotnomer->setObjectName(QStringLiteral("rbPlotnomer"));
    btnOk->setObjectName(QStringLiteral("btnOk"));
    auto* layout = new QVBoxLayout(this);
    for (QRadioButton* rb : {rbWeightSensor, rbWeightAndPressureSensor, rbPlotnomer}) layout->addWidget(rb, 0, Qt::AlignLeft);
    layout->addWidget(btnOk, 0, Qt::AlignHCenter);
    connect(btnOk, &QPushButton::clicked, this, [this] { btnOkClick(); });
}

void TfrmSetSensorRegime::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TfrmSetSensorRegime::FormShow() {
    if (!regimeEdit_) return;
    regimeOnShow_ = regimeEdit_->text();
    // A row showing no known regime leaves the buttons as they were last time.
    for (QRadioButton* rb : {rbWeightSensor, rbWeightAndPressureSensor, rbPlotnomer})
        if (rb->text() == regimeOnShow_) rb->setChecked(true);
}

void TfrmSetSensorRegime::btnOkClick() {
    if (regimeEdit_) {
        for (QRadioButton* rb : {rbWeightSensor, rbWeightAndPressureSensor, rbPlotnomer})
            if (rb->isChecked()) regimeEdit_->setText(rb->text());
        if (regimeEdit_->text() != regimeOnShow_) emit regimeChanged(regimeEdit_->text());
    }
    close();
}

}  // namespace veldar
