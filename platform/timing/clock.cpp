#include "clock.h"

#include "scheduler.h"

namespace platform {

SchedulerClock::SchedulerClock(const Scheduler& scheduler, QDateTime start)
    : scheduler_(scheduler), start_(std::move(start)), startMs_(scheduler.now()) {}

QDateTime SchedulerClock::now() const { return start_.addMSecs(scheduler_.now() - startMs_); }

}  // namespace platform
