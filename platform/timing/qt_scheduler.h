#pragma once

#include "scheduler.h"

#include <QElapsedTimer>

namespace platform {

// Time as the running program sees it: QTimer on the window thread's event loop.
class QtScheduler : public Scheduler {
public:
    QtScheduler();
    std::int64_t now() const override;
    void sleep(int ms) override;
    std::unique_ptr<TimerImpl> makeTimer(std::function<void()> onTick) override;

private:
    QElapsedTimer clock_;
};

}  // namespace platform
