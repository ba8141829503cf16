#pragma once

#include "configurator/app/navigation.h"

#include <QByteArray>

#include <cstdint>
#include <functional>
#include <map>

namespace platform {
class Timer;
}

namespace veldar {

class EventLog;
class Indicator;

// A checked answer as its owner gets it.
struct Answer {
    int address = 0;
    int command = 0;
    QByteArray frame;     // address, command, data, LRC
    UnitContext context;  // the current unit and channel when the answer came

    QByteArray data() const { return frame.mid(2, frame.size() - 3); }
};

// The single entry of every answer line: checks it, drops what comes from addresses the
// program does not listen to, stops the general answer timer, logs the answer and hands it
// to the owner of its command code. Owners register their handling by code; a code nobody
// owns is only logged.
class Dispatcher {
public:
    // Polling answers, which come every second, are not logged.
    static constexpr int kUnloggedCommand = 52;

    using Handler = std::function<void(const Answer&)>;
    using TitleSource = std::function<QString()>;

    Dispatcher(EventLog& log, platform::Timer& waitAnsewerTimer, Indicator& crcFailed, TitleSource title);

    // One owner per code; a later registration replaces an earlier one.
    void route(std::uint8_t command, Handler handler);

    void dispatch(const QByteArray& hexText);

private:
    EventLog& log_;
    platform::Timer& waitAnsewerTimer_;
    Indicator& crcFailed_;
    TitleSource title_;
    std::map<int, Handler> owners_;
};

}  // namespace veldar
