#include "timer.h"

namespace platform {

Timer::Timer(Scheduler& scheduler, int intervalMs, std::function<void()> handler)
    : impl_(scheduler.makeTimer([this] { tick(); })),
      handler_(std::move(handler)),
      interval_(intervalMs) {}

Timer::~Timer() { impl_->stop(); }

void Timer::setInterval(int ms) {
    interval_ = ms;
    if (enabled_) rearm();
}

void Timer::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    rearm();
}

void Timer::rearm() {
    impl_->stop();
    if (enabled_ && interval_ > 0) impl_->start(interval_);
}

void Timer::tick() {
    if (enabled_ && handler_) handler_();
}

}  // namespace platform
