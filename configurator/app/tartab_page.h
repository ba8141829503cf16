#pragma once

#include <QWidget>

class QTabWidget;

namespace veldar {

// `PanelTarTab`, the calibration tables of a channel: the main one and the extended one.
class TarTabPage : public QWidget {
    Q_OBJECT
public:
    explicit TarTabPage(QWidget* parent = nullptr);

private:
    QTabWidget* PageControlTarTab;
};

}  // namespace veldar
