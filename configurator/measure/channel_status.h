#pragma once

#include <QColor>
#include <QString>

#include <cstdint>

namespace veldar {

// A channel status label of the unit page: its text and colour.
struct ChannelStatusLabel {
    QString text;
    QColor colour;
};

// Before anything is known about the channel (black).
ChannelStatusLabel channelNoData(int channel);
// From a polling mask, bit k − 1 for channel k: polled in green, not polled in red.
ChannelStatusLabel channelPolling(int channel, std::uint8_t mask);

}  // namespace veldar
