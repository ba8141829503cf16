#pragma once

#include <QWidget>

class QTabWidget;

namespace veldar {

class ConstantRows;

// The sensor page `PanelSensorSettings` of a channel; its tab "Датчик" holds the constant
// rows.
class SensorPage : public QWidget {
    Q_OBJECT
public:
    explicit SensorPage(QWidget* parent = nullptr);

    QTabWidget* tabs() const { return tabs_; }
    ConstantRows* constantRows() const { return rows_; }

private:
    QTabWidget* tabs_;
    ConstantRows* rows_;
};

}  // namespace veldar
