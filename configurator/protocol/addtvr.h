#pragma once

#include <QDialog>

class QLineEdit;

namespace veldar {

// `TfrmAddTVR`, adding a unit by its address.
class TfrmAddTVR : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAddTVR(QWidget* parent);

private:
    QLineEdit* txtTVRADR;
};

}  // namespace veldar
