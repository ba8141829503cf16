#include "frame.h"

namespace veldar {

std::uint8_t lrc(QByteArrayView bytes) {
    std::uint8_t sum = 0;
    for (char b : bytes) sum = static_cast<std::uint8_t>(sum + static_cast<std::uint8_t>(b));
    return static_cast<std::uint8_t>(-sum);
}

QByteArray requestFrame(std::uint8_t address, std::uint8_t command, QByteArrayView data) {
    QByteArray frame;
    frame.reserve(data.size() + 3);
    frame.append(static_cast<char>(address));
    frame.append(static_cast<char>(command));
    frame.append(data);
    frame.append(static_cast<char>(lrc(frame)));
    return frame;
}

QByteArray wireText(QByteArrayView frame) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    QByteArray text;
    text.reserve(2 * frame.size() + 3);
    text.append(':');
    for (char c : frame) {
        const auto b = static_cast<std::uint8_t>(c);
        text.append(kDigits[b >> 4]);
        text.append(kDigits[b & 0x0F]);
    }
    text.append("\r\n");
    return text;
}

}  // namespace veldar
