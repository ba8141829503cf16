#pragma once

#include <QChar>
#include <QWidget>

class QCheckBox;
class QLabel;

namespace veldar {

class ChannelConstantsTab;
class ConstantRows;
struct PageSurroundings;

// The sensor page `PanelSensorSettings` of a channel: the current data of the channel above,
// its tab "Датчик" with the sensor constants below.
class SensorPage : public QWidget {
    Q_OBJECT
public:
    SensorPage(const PageSurroundings& surroundings, QChar decimalSeparator, QWidget* parent = nullptr);

    ChannelConstantsTab& constantsTab() const { return *constants_; }
    ConstantRows* constantRows() const;
    // "Опрос канала": polling the channel while checked.
    QCheckBox* channelQuery() const { return chkChannelQueryEnabled; }
    // The state label as a page opens: nothing is being polled.
    void showNotPolled();

private:
    ChannelConstantsTab* constants_;
    QLabel* lblChannelState;
    QCheckBox* chkChannelQueryEnabled;
};

}  // namespace veldar
