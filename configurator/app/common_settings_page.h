#pragma once

#include <QWidget>

class QTabWidget;

namespace veldar {

// `PanelTVRCommonSettings`: the unit's common settings above, its density tables and, for
// firmware that keeps one, its vapour pressure table below.
class CommonSettingsPage : public QWidget {
    Q_OBJECT
public:
    explicit CommonSettingsPage(QWidget* parent = nullptr);

    // The tab "Давление пара" (`tabGasPressure`).
    void setGasPressureShown(bool shown);
    bool gasPressureShown() const;

private:
    QTabWidget* PageControlDensitySettings;
    QWidget* tabGasPressure;
};

}  // namespace veldar
