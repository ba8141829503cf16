#pragma once

#include <QDialog>

class QLineEdit;

namespace veldar {

class UnitRoster;

// `TfrmAddTVR`, adding a unit by its address.
class TfrmAddTVR : public QDialog {
    Q_OBJECT
public:
    TfrmAddTVR(UnitRoster& roster, QWidget* parent);

private:
    void btnAddClick();

    UnitRoster& roster_;
    QLineEdit* txtTVRADR;
};

}  // namespace veldar
