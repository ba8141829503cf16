#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace veldar {

// `TfrmSetSensorRegime`, the sensor regime of a channel: shows the regime of the page's row
// and puts the chosen one back into it.
class TfrmSetSensorRegime : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSetSensorRegime(QWidget* parent);

    // The page's regime row, read when the dialog shows and written by "ОК".
    void setRegimeEdit(QLineEdit* edit) { regimeEdit_ = edit; }

signals:
    // "ОК" left the row with a regime other than the one it showed when the dialog opened.
    void regimeChanged(const QString& regime);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void btnOkClick();

    QRadioButton* rbWeightSensor;
    QRadioButton* rbWeightAndPressureSensor;
    QRadioButton* rbPlotnomer;
    QPushButton* btnOk;
    QLineEdit* regimeEdit_ = nullptr;
    QString regimeOnShow_;
};

}  // namespace veldar
