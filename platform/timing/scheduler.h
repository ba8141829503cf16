#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

// A scheduler-owned countdown behind one Timer. start() arms it to fire after the
// interval and again every interval until stop().
class TimerImpl {
public:
    virtual ~TimerImpl() = default;
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
};

// The source of time for a program: a monotonic clock in milliseconds, blocking pauses
// and timers. Production uses the Qt event loop; tests use VirtualScheduler.
class Scheduler {
public:
    virtual ~Scheduler() = default;

    virtual std::int64_t now() const = 0;

    // Blocks the calling (window) thread. No timer fires during the pause; timers that fell
    // due meanwhile fire, overdue, when control returns to the event loop.
    virtual void sleep(int ms) = 0;

    virtual std::unique_ptr<TimerImpl> makeTimer(std::function<void()> onTick) = 0;
};

}  // namespace platform
