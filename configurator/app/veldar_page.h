#pragma once

#include <QWidget>

class QPushButton;

namespace veldar {

// `PanelVELDAR`, the page of the system root: finding, adding and detecting units.
class VeldarPage : public QWidget {
    Q_OBJECT
public:
    explicit VeldarPage(QWidget* parent = nullptr);

    QPushButton* searchButton() const { return btnSearchDevicesTVR; }
    QPushButton* addButton() const { return btnAddTVR; }
    QPushButton* detectButton() const { return btnCheckTVRAddress; }

private:
    QPushButton* btnSearchDevicesTVR;
    QPushButton* btnAddTVR;
    QPushButton* btnCheckTVRAddress;
};

}  // namespace veldar
