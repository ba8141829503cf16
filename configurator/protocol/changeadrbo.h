#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace veldar {

// `TChangeAdrBOForm`, the new address of the current unit.
class TChangeAdrBOForm : public QDialog {
    Q_OBJECT
public:
    explicit TChangeAdrBOForm(QWidget* parent);

private:
    QLineEdit* txtNewAdr;
    QPushButton* btnWriteBOAdr;
};

}  // namespace veldar
