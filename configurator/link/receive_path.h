#pragma once

#include "line_assembler.h"

#include "platform/timing/timer.h"

#include <QByteArray>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>

namespace platform {
class Scheduler;
}

namespace veldar {

class ComPort;
class Indicator;
class LineMonitor;

// The way in from the port: `RSTimer` (the poller) moves the arriving bytes into the
// received-byte queue, `GetRSListTimer` (the assembler) cuts them into answer lines and hands
// each line to the dispatcher. The poller wakes when the port says bytes are waiting, so an
// idle line costs nothing; it still reads one byte per call, as the port's time-outs expect.
class ReceivePath {
public:
    static constexpr int kTickMs = 1;
    // Far more than the longest answers that can wait while a handler shows a message box;
    // a queue that fills up all the same has lost its place in the lines and starts afresh.
    static constexpr std::size_t kQueueCapacity = 4 * LineAssembler::kCapacity;

    using Dispatch = std::function<void(const QByteArray& hexText)>;

    ReceivePath(ComPort& port, platform::Scheduler& scheduler, Indicator& rx, Indicator& crcFailed,
                Dispatch dispatch);
    ~ReceivePath();
    ReceivePath(const ReceivePath&) = delete;
    ReceivePath& operator=(const ReceivePath&) = delete;

    void setMonitor(LineMonitor* monitor) { monitor_ = monitor; }
    // Every byte the poller receives, as it arrives (the loader's prompt).
    void setByteHook(std::function<void(std::uint8_t)> hook) { byteHook_ = std::move(hook); }
    // Runs once per received line whose command code arrives as these two hex characters
    // (progress of multi-page transfers).
    void addProgressHook(const QByteArray& commandChars, std::function<void()> advance);

    platform::Timer& rsTimer() { return RSTimer; }
    platform::Timer& getRsListTimer() { return GetRSListTimer; }
    std::size_t queued() const { return queue_.size(); }

private:
    void RSTimerTimer();
    void GetRSListTimerTimer();
    void queueByte(std::uint8_t byte);
    void handleLine(const QByteArray& text);

    ComPort& port_;
    Indicator& rx_;
    Indicator& crcFailed_;
    Dispatch dispatch_;
    platform::Timer RSTimer;
    platform::Timer GetRSListTimer;
    std::deque<std::uint8_t> queue_;
    LineAssembler assembler_;
    bool passRunning_ = false;
    LineMonitor* monitor_ = nullptr;
    std::function<void(std::uint8_t)> byteHook_;
    std::multimap<QByteArray, std::function<void()>> progressHooks_;
};

}  // namespace veldar
