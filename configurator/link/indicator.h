#pragma once

#include "platform/timing/timer.h"

class QProgressBar;

namespace platform {
class Scheduler;
}

namespace veldar {

// A status-bar lamp (a progress bar 0..10): lighting it starts its one-shot timer, whose
// tick darkens it. Lighting it again while lit does not prolong it, as with a window timer.
class Indicator {
public:
    static constexpr int kLit = 10;

    Indicator(QProgressBar* bar, platform::Scheduler& scheduler, int ms);

    void light();
    bool lit() const;

private:
    void timerTick();

    QProgressBar* bar_;
    platform::Timer timer_;
};

}  // namespace veldar
