#include "presence.h"

#include "answer_waits.h"
#include "dispatcher.h"

#include "configurator/link/sender.h"

namespace veldar {
namespace {

constexpr std::uint8_t kCMD50 = 50;

bool isPending(const Presence::Asker& asker) { return asker.pending && asker.pending(); }

}  // namespace

Presence::Presence(Sender& sender, Dispatcher& dispatcher, platform::Scheduler& scheduler,
                   const WaitSurroundings& surroundings)
    : sender_(sender), TimerWaitAnsewerCMD50(waits::kCMD50, scheduler, surroundings, {{}, [this] { unanswered(); }, {}}) {
    dispatcher.route(kCMD50, [this](const Answer& a) { answer(a); });
}

void Presence::setUnitStatus(Asker asker, std::function<void()> unanswered) {
    unitStatus_ = std::move(asker);
    unitStatusUnanswered_ = std::move(unanswered);
}

void Presence::setSearch(std::function<void(const Answer&)> answered, std::function<void()> unanswered) {
    searchAnswered_ = std::move(answered);
    searchUnanswered_ = std::move(unanswered);
}

void Presence::ask(int address) {
    askOnly(address);
    TimerWaitAnsewerCMD50.start();
}

void Presence::askOnly(int address) { sender_.sendRequest(static_cast<std::uint8_t>(address), kCMD50); }

// The detection only announces what it found; the answer then goes on to the others.
void Presence::answer(const Answer& a) {
    if (isPending(detection_)) detection_.answered(a);
    if (isPending(unitStatus_)) {
        TimerWaitAnsewerCMD50.answered();
        unitStatus_.answered(a);
    } else if (isPending(addressCheck_)) {
        addressCheck_.answered(a);
    } else {
        TimerWaitAnsewerCMD50.answered();
        if (searchAnswered_) searchAnswered_(a);
    }
}

void Presence::unanswered() {
    if (isPending(unitStatus_)) {
        if (unitStatusUnanswered_) unitStatusUnanswered_();
    } else if (searchUnanswered_) {
        searchUnanswered_();
    }
}

}  // namespace veldar
