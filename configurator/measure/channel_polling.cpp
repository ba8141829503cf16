#include "channel_polling.h"

#include "configurator/app/eventlog.h"
#include "configurator/app/log_line.h"
#include "configurator/link/sender.h"
#include "configurator/protocol/answer_waits.h"
#include "configurator/protocol/dispatcher.h"

#include "platform/ui/dialogs.h"

namespace veldar {
namespace {

constexpr std::uint8_t kCMD51 = 51;
constexpr int kChannels = 8;

}  // namespace

QString pollingAnswerLogText(std::uint8_t mask) {
    if (mask == 0) return QStringLiteral("TVR ответил на сообщение CMD51. TVR не опрашивает имерительные каналы ");
    QString text = QStringLiteral("TVR ответил на сообщение CMD51. TVR опрашивает канал ");
    for (int channel = 1; channel <= kChannels; ++channel)
        if (mask >> (channel - 1) & 1) text += QLatin1Char(' ') + QString::number(channel) + QLatin1Char(' ');
    return text;
}

ChannelPolling::ChannelPolling(const Surroundings& surroundings)
    : s_(surroundings), TimerWaitAnsewerCMD51(waits::kCMD51, surroundings.scheduler, surroundings.waits) {
    s_.dispatcher.route(kCMD51, [this](const Answer& a) { answered(a); });
}

void ChannelPolling::request(int address, std::uint8_t mask, bool singleChannel) {
    singleChannelRequest_ = singleChannel;
    s_.sender.sendRequest(static_cast<std::uint8_t>(address), kCMD51, mask);
    TimerWaitAnsewerCMD51.start();
    s_.holdWindow();
}

void ChannelPolling::answered(const Answer& answer) {
    if (s_.waits.releaseWindow) s_.waits.releaseWindow();
    TimerWaitAnsewerCMD51.answered();
    const QByteArray data = answer.data();
    if (data.isEmpty()) return;
    const auto mask = static_cast<std::uint8_t>(data[0]);
    s_.showPolled(mask);
    s_.waits.log.log(kLogMessage, pollingAnswerLogText(mask));
    s_.waits.dialogs.message(s_.waits.dialogParent, QStringLiteral("VELDAR"),
                             singleChannelRequest_ ? QStringLiteral("TVR ответил на сообщение CMD51. Для получения данных по "
                                                                    "каналу установите опцию \"Опрос канала\".")
                                                   : QStringLiteral("Команда выполнена"),
                             platform::Icon::Information);
    singleChannelRequest_ = false;
}

}  // namespace veldar
