#include "virtual_scheduler.h"

#include <algorithm>

namespace platform {

class VirtualScheduler::Impl : public TimerImpl {
public:
    Impl(VirtualScheduler& owner, std::function<void()> onTick)
        : owner_(owner), onTick_(std::move(onTick)) {}
    ~Impl() override { owner_.disarm(this); }
    void start(int intervalMs) override { owner_.arm(this, intervalMs); }
    void stop() override { owner_.disarm(this); }
    void fire() { onTick_(); }

private:
    VirtualScheduler& owner_;
    std::function<void()> onTick_;
};

std::unique_ptr<TimerImpl> VirtualScheduler::makeTimer(std::function<void()> onTick) {
    return std::make_unique<Impl>(*this, std::move(onTick));
}

void VirtualScheduler::arm(Impl* t, int interval) {
    armed_[t] = Entry{now_ + std::max(interval, 0), nextSeq_++, interval};
}

void VirtualScheduler::disarm(Impl* t) { armed_.erase(t); }

void VirtualScheduler::sleep(int ms) {
    if (ms > 0) now_ += ms;
}

void VirtualScheduler::advance(std::int64_t ms) {
    const std::int64_t target = now_ + std::max<std::int64_t>(ms, 0);
    for (;;) {
        auto next = armed_.end();
        for (auto it = armed_.begin(); it != armed_.end(); ++it) {
            if (it->second.due > target) continue;
            if (next == armed_.end() || it->second.due < next->second.due ||
                (it->second.due == next->second.due && it->second.seq < next->second.seq))
                next = it;
        }
        if (next == armed_.end()) break;
        Impl* timer = next->first;
        const std::uint64_t seq = next->second.seq;
        now_ = std::max(now_, next->second.due);
        const std::int64_t firedAt = now_;
        timer->fire();
        // A handler that stopped or restarted its own timer has already decided its future.
        auto again = armed_.find(timer);
        if (again != armed_.end() && again->second.seq == seq) {
            again->second.due = firedAt + std::max(again->second.interval, 1);
            again->second.seq = nextSeq_++;
        }
    }
    now_ = std::max(now_, target);
}

bool VirtualScheduler::advanceUntil(const std::function<bool()>& done, std::int64_t maxMs,
                                    int stepMs) {
    const std::int64_t end = now_ + maxMs;
    while (!done()) {
        if (now_ >= end) return false;
        advance(std::min<std::int64_t>(stepMs, end - now_));
    }
    return true;
}

}  // namespace platform
