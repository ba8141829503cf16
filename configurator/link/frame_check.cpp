#include "frame_check.h"

#include <cstdint>

namespace veldar {
namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The byte at pair i, if both characters are hex digits.
std::optional<std::uint8_t> byteAt(QByteArrayView hexText, qsizetype i) {
    const int high = hexValue(hexText[2 * i]);
    const int low = hexValue(hexText[2 * i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    return static_cast<std::uint8_t>(high * 16 + low);
}

}  // namespace

CheckedFrame checkFrame(QByteArrayView hexText) {
    CheckedFrame out;
    if (hexText.size() % 2 != 0) {
        out.fault = FrameFault::OddLength;
        return out;
    }
    const qsizetype n = hexText.size() / 2;
    out.bytes.reserve(n);
    std::uint8_t sum = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const auto b = byteAt(hexText, i);
        if (!b) {
            out.fault = FrameFault::NotHex;
            return out;
        }
        out.bytes.append(static_cast<char>(*b));
        sum = static_cast<std::uint8_t>(sum + *b);
    }
    if (n < 3)
        out.fault = FrameFault::TooShort;
    else if (sum != 0)
        out.fault = FrameFault::Checksum;
    return out;
}

std::optional<MonitorFields> monitorFields(QByteArrayView hexText) {
    if (hexText.size() % 2 != 0 || hexText.size() < 4) return std::nullopt;
    const auto address = byteAt(hexText, 0);
    const auto command = byteAt(hexText, 1);
    if (!address || !command || *address < kFirstListenedAddress) return std::nullopt;
    return MonitorFields{*address, *command};
}

}  // namespace veldar
