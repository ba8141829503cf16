#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace veldar {

class AddressChange;

// `TChangeAdrBOForm`, the new address of the current unit.
class TChangeAdrBOForm : public QDialog {
    Q_OBJECT
public:
    TChangeAdrBOForm(AddressChange& change, QWidget* parent);

private:
    void btnWriteBOAdrClick();

    AddressChange& change_;
    QLineEdit* txtNewAdr;
    QPushButton* btnWriteBOAdr;
};

}  // namespace veldar
