#include "indicator.h"

#include <QProgressBar>

namespace veldar {

Indicator::Indicator(QProgressBar* bar, platform::Scheduler& scheduler, int ms)
    : bar_(bar), timer_(scheduler, ms, [this] { timerTick(); }) {}

void Indicator::light() {
    bar_->setValue(kLit);
    timer_.start();
}

bool Indicator::lit() const { return bar_->value() == kLit; }

void Indicator::timerTick() {
    timer_.stop();
    bar_->setValue(0);
}

}  // namespace veldar
