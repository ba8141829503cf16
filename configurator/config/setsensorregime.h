#pragma once

#include <QDialog>

class QPushButton;
class QRadioButton;

namespace veldar {

// `TfrmSetSensorRegime`, the sensor regime of a channel.
class TfrmSetSensorRegime : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSetSensorRegime(QWidget* parent);

private:
    QRadioButton* rbWeightSensor;
    QRadioButton* rbWeightAndPressureSensor;
    QRadioButton* rbPlotnomer;
    QPushButton* btnOk;
};

}  // namespace veldar
