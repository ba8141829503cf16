#include "receive_path.h"

#include "comport.h"
#include "indicator.h"
#include "line_monitor.h"
#include "frame_check.h"

namespace veldar {

ReceivePath::ReceivePath(ComPort& port, platform::Scheduler& scheduler, Indicator& rx, Indicator& crcFailed,
                         Dispatch dispatch)
    : port_(port),
      rx_(rx),
      crcFailed_(crcFailed),
      dispatch_(std::move(dispatch)),
      RSTimer(scheduler, kTickMs, [this] { RSTimerTimer(); }),
      GetRSListTimer(scheduler, kTickMs, [this] { GetRSListTimerTimer(); }) {
    port_.device().setReadyHandler([this] { RSTimerTimer(); });
    port_.setOpenListener([this](bool opened) { RSTimer.setEnabled(opened); });
}

ReceivePath::~ReceivePath() {
    port_.device().setReadyHandler({});
    port_.setOpenListener({});
}

void ReceivePath::addProgressHook(const QByteArray& commandChars, std::function<void()> advance) {
    progressHooks_.emplace(commandChars, std::move(advance));
}

void ReceivePath::RSTimerTimer() {
    RSTimer.stop();
    bool got = false;
    std::uint8_t byte = 0;
    // A line that never pauses must not hold the window thread; the rest is read at the
    // next wake-up.
    for (std::size_t n = 0; n < kQueueCapacity; ++n) {
        if (port_.device().read(&byte, 1).count != 1) break;
        got = true;
        queueByte(byte);
        if (byteHook_) byteHook_(byte);
    }
    if (got) GetRSListTimer.start();
}

void ReceivePath::queueByte(std::uint8_t byte) {
    if (queue_.size() >= kQueueCapacity) {
        queue_.clear();
        assembler_.abandon();
        crcFailed_.light();
    }
    queue_.push_back(byte);
}

void ReceivePath::GetRSListTimerTimer() {
    GetRSListTimer.stop();
    // A handler's message box lets the poller run; what it reads waits for this pass.
    if (passRunning_) return;
    passRunning_ = true;
    while (!queue_.empty()) {
        const std::uint8_t byte = queue_.front();
        queue_.pop_front();
        // A zero byte ends the pass; the rest is taken at the next one.
        if (byte == 0x00) break;
        const auto event = assembler_.feed(static_cast<char>(byte));
        if (!event) continue;
        if (event->kind == LineAssembler::Event::Kind::Overflow)
            crcFailed_.light();
        else
            handleLine(event->text);
    }
    passRunning_ = false;
    if (!queue_.empty()) GetRSListTimer.start();
}

void ReceivePath::handleLine(const QByteArray& text) {
    if (monitor_ && monitor_->receiving()) monitor_->lineReceived(text);
    rx_.light();
    const auto hooks = progressHooks_.equal_range(text.mid(2, 2));
    for (auto it = hooks.first; it != hooks.second; ++it) it->second();
    dispatch_(text);
    if (monitor_ && monitor_->receiving())
        if (const auto fields = monitorFields(text)) monitor_->answerFields(fields->address, fields->command);
}

}  // namespace veldar
