#include "channel_status.h"

namespace veldar {
namespace {

const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

QString channelName(int channel) { return QStringLiteral("Канал ") + QString::number(channel); }

}  // namespace

ChannelStatusLabel channelNoData(int channel) {
    return {channelName(channel) + QStringLiteral(" - НЕТ ДАННЫХ"), kBlack};
}

ChannelStatusLabel channelPolling(int channel, std::uint8_t mask) {
    if ((mask >> (channel - 1)) & 1) return {channelName(channel) + QStringLiteral(" - опрос включен"), kGreen};
    return {channelName(channel) + QStringLiteral(" - опрос выключен"), kRed};
}

}  // namespace veldar
