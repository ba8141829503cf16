#pragma once

#include <QString>

class QWidget;

namespace platform {
class Dialogs;
class Timer;
}  // namespace platform

namespace veldar {

class ComPort;
class EventLog;
class Settings;
class StatusPanels;

// The port as the operator manages it: the choice stored in the settings, the opening at
// start-up and from the "Терминал" page, and what the status bar and message boxes say.
class Terminal {
public:
    struct Choice {
        int portIndex = -1;  // into portNames(), -1 when none is chosen
        int baudIndex = 0;   // into kBaudRates
        QString waitAnsewer; // seconds, as typed
    };

    Terminal(ComPort& port, Settings& settings, StatusPanels& status, EventLog& log,
             platform::Dialogs& dialogs, platform::Timer& waitAnsewerTimer, QWidget* dialogParent);

    // The general answer time-out from the settings.
    void loadWaitAnsewer();
    // Opens the stored port after login, and says how that went.
    void startupCheck();
    // The "Терминал" page's "ОК": reopens the port and stores the choice.
    void apply(const Choice& choice);
    // The choice as stored, for filling the page.
    Choice stored();

private:
    void report(const QString& name, int baudRate, bool opened);
    void noPortChosen();

    ComPort& port_;
    Settings& settings_;
    StatusPanels& status_;
    EventLog& log_;
    platform::Dialogs& dialogs_;
    platform::Timer& waitAnsewerTimer_;
    QWidget* dialogParent_;
};

}  // namespace veldar
