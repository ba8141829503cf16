#pragma once

#include "scheduler.h"

#include <cstdint>
#include <functional>
#include <map>

namespace platform {

// Time that moves only when a test says so. Timers fire inside advance(), in the order they
// fall due; timers due at the same moment fire in the order they were armed. sleep() moves
// the clock without firing anything, as a blocked window thread would.
class VirtualScheduler : public Scheduler {
public:
    std::int64_t now() const override { return now_; }
    void sleep(int ms) override;
    std::unique_ptr<TimerImpl> makeTimer(std::function<void()> onTick) override;

    // Moves time forward by ms, firing every timer that falls due on the way.
    void advance(std::int64_t ms);
    // Advances in small steps until the predicate holds or maxMs have passed; returns
    // whether it held.
    bool advanceUntil(const std::function<bool()>& done, std::int64_t maxMs, int stepMs = 1);
    // Number of armed timers, for tests that check nothing is left running.
    std::size_t armedTimers() const { return armed_.size(); }

private:
    class Impl;
    struct Entry {
        std::int64_t due;
        std::uint64_t seq;
        int interval;
    };
    void arm(Impl* t, int interval);
    void disarm(Impl* t);

    std::int64_t now_ = 0;
    std::uint64_t nextSeq_ = 0;
    std::map<Impl*, Entry> armed_;
};

}  // namespace platform
