#pragma once

#include <QDialog>

class QPushButton;
class QRadioButton;

namespace veldar {

// `TfrmSetLiquidType`, the liquid of a channel.
class TfrmSetLiquidType : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSetLiquidType(QWidget* parent);

private:
    QPushButton* btnOK;
};

}  // namespace veldar
