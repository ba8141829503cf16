#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace veldar {

class Terminal;

// The "Терминал" page `PanelRSSettings`: port, baud rate and answer time-out.
class TerminalPage : public QWidget {
    Q_OBJECT
public:
    TerminalPage(Terminal& terminal, QWidget* parent = nullptr);

    // Shows the stored choice; called when the page's node is chosen.
    void fill();

private:
    void BtnOkClick();

    Terminal& terminal_;
    QComboBox* COMMText;
    QComboBox* cbBaudRate;
    QLineEdit* txtWaitAnsewer;
    QPushButton* BtnOk;
};

}  // namespace veldar
