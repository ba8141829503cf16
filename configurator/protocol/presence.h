#pragma once

#include "answer_wait.h"

#include <functional>

namespace platform {
class Scheduler;
}

namespace veldar {

struct Answer;
class Dispatcher;
class Sender;

// Everyone who asks units whether they are there (CMD50): the address detection, the unit
// page's status request, the check of a new address and the search. One answer goes to them
// in that order; `TimerWaitAnsewerCMD50` watches the status request and the search.
class Presence {
public:
    struct Asker {
        std::function<bool()> pending;
        std::function<void(const Answer&)> answered;
    };

    Presence(Sender& sender, Dispatcher& dispatcher, platform::Scheduler& scheduler,
             const WaitSurroundings& surroundings);

    // The detection and the address check only answer; the status request and the search
    // also hear when nobody answered in time.
    void setDetection(Asker asker) { detection_ = std::move(asker); }
    void setAddressCheck(Asker asker) { addressCheck_ = std::move(asker); }
    void setUnitStatus(Asker asker, std::function<void()> unanswered);
    void setSearch(std::function<void(const Answer&)> answered, std::function<void()> unanswered);

    // CMD50 to the address, watched by `TimerWaitAnsewerCMD50`.
    void ask(int address);
    // CMD50 to the address, watched by nobody here.
    void askOnly(int address);

private:
    void answer(const Answer& a);
    void unanswered();

    Sender& sender_;
    AnswerWait TimerWaitAnsewerCMD50;
    Asker detection_;
    Asker addressCheck_;
    Asker unitStatus_;
    std::function<void()> unitStatusUnanswered_;
    std::function<void(const Answer&)> searchAnswered_;
    std::function<void()> searchUnanswered_;
};

}  // namespace veldar
