#include "dispatcher.h"

#include "configurator/app/eventlog.h"
#include "configurator/app/log_line.h"
#include "configurator/link/frame_check.h"
#include "configurator/link/indicator.h"

#include "platform/timing/timer.h"

namespace veldar {

Dispatcher::Dispatcher(EventLog& log, platform::Timer& waitAnsewerTimer, Indicator& crcFailed, TitleSource title)
    : log_(log), waitAnsewerTimer_(waitAnsewerTimer), crcFailed_(crcFailed), title_(std::move(title)) {}

void Dispatcher::route(std::uint8_t command, Handler handler) { owners_[command] = std::move(handler); }

void Dispatcher::dispatch(const QByteArray& hexText) {
    // A damaged answer counts as none: the request it answered is reported by its time-out.
    CheckedFrame checked = checkFrame(hexText);
    if (checked.fault != FrameFault::None) {
        crcFailed_.light();
        return;
    }
    Answer answer;
    answer.address = static_cast<std::uint8_t>(checked.bytes.at(0));
    answer.command = static_cast<std::uint8_t>(checked.bytes.at(1));
    if (answer.address < kFirstListenedAddress) return;
    answer.frame = std::move(checked.bytes);
    waitAnsewerTimer_.stop();
    answer.context = unitContextOf(title_());
    if (answer.command != kUnloggedCommand)
        log_.log(kLogMessage, QStringLiteral("Получен ответ от TVR(%1) на сообщение CMD%2")
                                  .arg(answer.address)
                                  .arg(answer.command));
    const auto owner = owners_.find(answer.command);
    if (owner == owners_.end()) return;
    // The handler may register again while it runs.
    const Handler handler = owner->second;
    handler(answer);
}

}  // namespace veldar
