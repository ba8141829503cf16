#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace veldar {

// `TDataRSForm`, the line traffic monitor window.
class TDataRSForm : public QDialog {
    Q_OBJECT
public:
    explicit TDataRSForm(QWidget* parent);

private:
    QPlainTextEdit* DataRS;
    QLineEdit* AdrBO;
    QLineEdit* MsgNum;
    QPushButton* RSDataReciv;
    QPushButton* ClearButton;
};

}  // namespace veldar
