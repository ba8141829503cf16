#pragma once

#include "scheduler.h"

#include <functional>
#include <memory>

namespace platform {

// A window timer: while enabled it calls its handler every interval. Enabling a running
// timer does not restart its interval; changing the interval of a running timer does.
// A handler that wants a one-shot disables its own timer first. An interval of 0 never fires.
class Timer {
public:
    Timer(Scheduler& scheduler, int intervalMs = 1000, std::function<void()> handler = {});
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    ~Timer();

    void setHandler(std::function<void()> handler) { handler_ = std::move(handler); }
    void setInterval(int ms);
    int interval() const { return interval_; }
    void setEnabled(bool on);
    bool enabled() const { return enabled_; }
    void start() { setEnabled(true); }
    void stop() { setEnabled(false); }

private:
    void tick();
    void rearm();

    std::unique_ptr<TimerImpl> impl_;
    std::function<void()> handler_;
    int interval_;
    bool enabled_ = false;
};

}  // namespace platform
