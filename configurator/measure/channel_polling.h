#pragma once

#include "configurator/protocol/answer_wait.h"

#include <QString>

#include <cstdint>
#include <functional>

class QWidget;

namespace platform {
class Dialogs;
class Scheduler;
}  // namespace platform

namespace veldar {

struct Answer;
class Dispatcher;
class EventLog;
class Sender;

// The log line of a CMD51 answer: the channels the unit now polls.
QString pollingAnswerLogText(std::uint8_t mask);

// CMD51: which channels a unit polls. The request holds the window until the answer or
// `TimerWaitAnsewerCMD51` gives up.
class ChannelPolling {
public:
    struct Surroundings {
        Sender& sender;
        Dispatcher& dispatcher;
        platform::Scheduler& scheduler;
        const WaitSurroundings& waits;
        std::function<void()> holdWindow;
        // The unit page's channel labels for the mask in force.
        std::function<void(std::uint8_t mask)> showPolled;
    };

    explicit ChannelPolling(const Surroundings& surroundings);

    // `singleChannel` when opening a sensor page asks for its one channel: the answer then
    // tells the user how to see its data.
    void request(int address, std::uint8_t mask, bool singleChannel);

private:
    void answered(const Answer& answer);

    Surroundings s_;
    AnswerWait TimerWaitAnsewerCMD51;
    bool singleChannelRequest_ = false;
};

}  // namespace veldar
