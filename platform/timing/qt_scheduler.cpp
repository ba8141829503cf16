#include "qt_scheduler.h"

#include <QThread>
#include <QTimer>

namespace platform {
namespace {

class QtTimerImpl : public TimerImpl {
public:
    explicit QtTimerImpl(std::function<void()> onTick) {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [cb = std::move(onTick)] { cb(); });
    }
    void start(int intervalMs) override { timer_.start(intervalMs); }
    void stop() override { timer_.stop(); }

private:
    QTimer timer_;
};

}  // namespace

QtScheduler::QtScheduler() { clock_.start(); }

std::int64_t QtScheduler::now() const { return clock_.elapsed(); }

void QtScheduler::sleep(int ms) {
    if (ms > 0) QThread::msleep(static_cast<unsigned long>(ms));
}

std::unique_ptr<TimerImpl> QtScheduler::makeTimer(std::function<void()> onTick) {
    return std::make_unique<QtTimerImpl>(std::move(onTick));
}

}  // namespace platform
