#pragma once

#include "platform/timing/timer.h"

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace platform {
class Dialogs;
class Scheduler;
}  // namespace platform

namespace veldar {

class EventLog;

// One member of the family of answer timers. In the texts "{address}" stands for the
// current unit's address and "{seconds}" for the interval in whole seconds; an empty text
// is not logged or shown.
struct AnswerWaitRule {
    int intervalMs = 0;
    int resends = 0;  // before giving up; 0 gives up at the first expiry
    bool releasesWindow = false;
    // The interval starts again after the resend has been written instead of running on
    // from the expiry.
    bool restartsOnResend = false;
    QString resendLog;      // an error line before each resend
    QString giveUpLog;      // an error line when giving up
    QString giveUpMessage;  // an error box when giving up
};

// What every member takes from the main window.
struct WaitSurroundings {
    EventLog& log;
    platform::Dialogs& dialogs;
    QWidget* dialogParent;
    std::function<std::optional<int>()> currentAddress;
    std::function<void()> releaseWindow;
};

// A window timer that watches one kind of request: on expiry it resends the request up to
// the member's number of times, then gives up, releases the window, logs and tells the
// user. What resending and giving up do to the owner's own state is the owner's.
class AnswerWait {
public:
    struct Owner {
        std::function<void()> resend;
        std::function<void()> giveUp;     // runs last when giving up
        std::function<bool()> mayResend;  // asked before each resend; unset: always
    };

    AnswerWait(const AnswerWaitRule& rule, platform::Scheduler& scheduler, const WaitSurroundings& surroundings,
               Owner owner = {});

    // A running timer keeps its interval, as a window timer does.
    void start() { timer_.start(); }
    // The answer came (or a new operation begins): no more waiting, and the next request
    // starts with all its resends.
    void answered();
    int counter() const { return counter_; }
    platform::Timer& timer() { return timer_; }

private:
    void expired();
    void giveUp();
    QString filled(const QString& text) const;

    AnswerWaitRule rule_;
    WaitSurroundings surroundings_;
    Owner owner_;
    platform::Timer timer_;
    int counter_ = 0;
};

}  // namespace veldar
