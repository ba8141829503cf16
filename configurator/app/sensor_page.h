#pragma once

#include <QWidget>

namespace veldar {

class ConstantRows;

// The sensor page `PanelSensorSettings` of a channel; its tab "Датчик" holds the constant
// rows.
class SensorPage : public QWidget {
    Q_OBJECT
public:
    explicit SensorPage(QWidget* parent = nullptr);

    ConstantRows* constantRows() const { return rows_; }

private:
    ConstantRows* rows_;
};

}  // namespace veldar
