#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>

class QWidget;

namespace platform {
class Dialogs;
class Scheduler;
class Timer;
}  // namespace platform

namespace veldar {

class ComPort;
class EventLog;

// The way out to the units: frames requests, paces them and writes them, and starts the
// general answer timer for every request, written or not.
class Sender {
public:
    // The pause before every request of the general sender but the first of the run.
    static constexpr int kPauseMs = 500;
    // Pre-built table pages, 133 bytes each: address, command, 130 data bytes, LRC.
    static constexpr int kPages = 11;

    Sender(ComPort& port, platform::Scheduler& scheduler, platform::Timer& waitAnsewerTimer, EventLog& log,
           platform::Dialogs& dialogs, QWidget* dialogParent);

    void sendRequest(std::uint8_t address, std::uint8_t command, const QByteArray& data);
    void sendRequest(std::uint8_t address, std::uint8_t command, std::uint8_t byte);
    void sendRequest(std::uint8_t address, std::uint8_t command);
    // The general sender, for a frame built elsewhere (address, command, data, LRC).
    void send(const QByteArray& frame);

    // Table writers fill the pages; the page sender writes one without the pause.
    void setPage(int index, const QByteArray& frame);
    // False for an index outside the array, which sends nothing.
    bool sendPage(int index);

    bool firstFrameSent() const { return firstFrameSent_; }

private:
    static bool isPage(int index) { return index >= 0 && index < kPages; }

    ComPort& port_;
    platform::Scheduler& scheduler_;
    platform::Timer& waitAnsewerTimer_;
    EventLog& log_;
    platform::Dialogs& dialogs_;
    QWidget* dialogParent_;
    bool firstFrameSent_ = false;
    std::array<QByteArray, kPages> pages_{};
};

}  // namespace veldar
