#include "sender.h"

#include "comport.h"
#include "frame.h"

#include "configurator/app/eventlog.h"
#include "configurator/app/log_line.h"

#include "platform/timing/scheduler.h"
#include "platform/timing/timer.h"
#include "platform/ui/dialogs.h"

namespace veldar {
namespace {
const QString kNoPort = QStringLiteral("Отправка данных не возможна. Не выбран COM порт!");
}

Sender::Sender(ComPort& port, platform::Scheduler& scheduler, platform::Timer& waitAnsewerTimer, EventLog& log,
               platform::Dialogs& dialogs, QWidget* dialogParent)
    : port_(port),
      scheduler_(scheduler),
      waitAnsewerTimer_(waitAnsewerTimer),
      log_(log),
      dialogs_(dialogs),
      dialogParent_(dialogParent) {}

void Sender::sendRequest(std::uint8_t address, std::uint8_t command, const QByteArray& data) {
    send(requestFrame(address, command, data));
}

void Sender::sendRequest(std::uint8_t address, std::uint8_t command, std::uint8_t byte) {
    send(requestFrame(address, command, QByteArray(1, static_cast<char>(byte))));
}

void Sender::sendRequest(std::uint8_t address, std::uint8_t command) { send(requestFrame(address, command)); }

void Sender::send(const QByteArray& frame) {
    const QByteArray text = wireText(frame);
    // The units need time between requests; the window thread waits it out.
    if (firstFrameSent_) scheduler_.sleep(kPauseMs);
    firstFrameSent_ = true;
    if (port_.write(text) == -1) {
        log_.log(kLogError, kNoPort);
        dialogs_.message(dialogParent_, QStringLiteral("VELDAR"), kNoPort, platform::Icon::Information);
    }
    waitAnsewerTimer_.start();
}

void Sender::setPage(int index, const QByteArray& frame) {
    if (isPage(index)) pages_[static_cast<std::size_t>(index)] = frame;
}

bool Sender::sendPage(int index) {
    if (!isPage(index)) return false;
    if (port_.write(wireText(pages_[static_cast<std::size_t>(index)])) == -1)
        dialogs_.message(dialogParent_, QStringLiteral("VELDAR"), kNoPort, platform::Icon::Information);
    waitAnsewerTimer_.start();
    return true;
}

}  // namespace veldar
