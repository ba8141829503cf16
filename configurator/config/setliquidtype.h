#pragma once

#include <QDialog>

#include <vector>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace veldar {

// `TfrmSetLiquidType`, the liquid of a channel: shows the liquid of the page's row and puts
// the chosen one back into it.
class TfrmSetLiquidType : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSetLiquidType(QWidget* parent);

    // The page's liquid row, read when the dialog shows and written by "OK".
    void setLiquidEdit(QLineEdit* edit) { liquidEdit_ = edit; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void btnOKClick();

    std::vector<QRadioButton*> liquids_;
    QPushButton* btnOK;
    QLineEdit* liquidEdit_ = nullptr;
};

}  // namespace veldar
