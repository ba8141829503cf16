#pragma once

#include "line_monitor.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace veldar {

// `TDataRSForm`, the line traffic monitor: lists the answer lines as they arrive, with the
// address and command code of the last one, while reception is on.
class TDataRSForm : public QDialog, public LineMonitor {
    Q_OBJECT
public:
    // The memo keeps the newest lines only, so a monitor left running stays small.
    static constexpr int kMaxLines = 10000;

    explicit TDataRSForm(QWidget* parent);

    // LineMonitor
    bool receiving() const override { return receiving_; }
    void lineReceived(const QByteArray& hexText) override;
    void answerFields(int address, int command) override;

protected:
    // Closing (close box or Escape) only hides the window, and ends reception.
    void hideEvent(QHideEvent* event) override;

private:
    void RSDataRecivClick();
    void ClearButtonClick();
    void setReceiving(bool on);

    QPlainTextEdit* DataRS;
    QLineEdit* AdrBO;
    QLineEdit* MsgNum;
    QPushButton* RSDataReciv;
    QPushButton* ClearButton;
    bool receiving_ = false;
};

}  // namespace veldar
