#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;

namespace veldar {

class ConstantRows;

// The sensor page `PanelSensorSettings` of a channel: the current data of the channel above,
// its tab "Датчик" with the constant rows below.
class SensorPage : public QWidget {
    Q_OBJECT
public:
    explicit SensorPage(QWidget* parent = nullptr);

    ConstantRows* constantRows() const { return rows_; }
    // "Опрос канала": polling the channel while checked.
    QCheckBox* channelQuery() const { return chkChannelQueryEnabled; }

private:
    ConstantRows* rows_;
    QLabel* lblChannelState;
    QCheckBox* chkChannelQueryEnabled;
};

}  // namespace veldar
