#pragma once

#include <QDateTime>

namespace platform {

class Scheduler;

// Wall-clock date and time for log lines, archive records and the unit's clock page.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// A wall clock that starts at a fixed moment and follows a scheduler's time.
class SchedulerClock : public Clock {
public:
    SchedulerClock(const Scheduler& scheduler, QDateTime start);
    QDateTime now() const override;

private:
    const Scheduler& scheduler_;
    QDateTime start_;
    std::int64_t startMs_;
};

}  // namespace platform
