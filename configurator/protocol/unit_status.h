#pragma once

#include "answer_wait.h"

namespace platform {
class Scheduler;
class Timer;
}  // namespace platform

namespace veldar {

struct Answer;
class CommonSettingsPage;
class Dispatcher;
class EventLog;
class Presence;
class Sender;
class UnitPage;
class Workspace;

// What a unit tells about itself when its page opens: its version record (CMD81), then
// which channels it polls (CMD50); the window waits for both. The version answer also
// decides whether the page "Общие настройки" offers the vapour pressure table.
class UnitStatus {
public:
    // The firmware version whose units keep a vapour pressure table.
    static constexpr int kGasPressureVersion = 60;

    UnitStatus(Sender& sender, Dispatcher& dispatcher, Presence& presence, Workspace& workspace, UnitPage& page,
               CommonSettingsPage& commonSettings, EventLog& log, platform::Scheduler& scheduler,
               const WaitSurroundings& surroundings, platform::Timer& focusTree);

    // The unit page opens online: CMD81, watched by `TimerWaitAnsewerCMD81`.
    void askVersion(int address);
    // "Общие настройки" opens: CMD81 decides the vapour pressure tab.
    void askGasPressureTab(int address);

    bool gasPressureDecisionPending() const { return gasPressurePending_; }

private:
    void versionAnswer(const Answer& a);
    void statusAnswer(const Answer& a);
    void statusUnanswered();

    Sender& sender_;
    Presence& presence_;
    Workspace& workspace_;
    UnitPage& page_;
    CommonSettingsPage& commonSettings_;
    EventLog& log_;
    platform::Timer& focusTree_;
    AnswerWait TimerWaitAnsewerCMD81;
    bool gasPressurePending_ = false;
    bool statusPending_ = false;
};

}  // namespace veldar
