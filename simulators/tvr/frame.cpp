#include "frame.h"

namespace tvrsim {
namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

ReceivedLine decode(const QByteArray& text) {
    ReceivedLine out;
    out.text = text;
    if (text.size() % 2 != 0) {
        out.fault = LineFault::OddLength;
        return out;
    }
    QByteArray bytes;
    bytes.reserve(text.size() / 2);
    for (qsizetype i = 0; i < text.size(); i += 2) {
        const int hi = hexValue(text[i]);
        const int lo = hexValue(text[i + 1]);
        if (hi < 0 || lo < 0) {
            out.fault = LineFault::NotHex;
            return out;
        }
        bytes.append(static_cast<char>(hi * 16 + lo));
    }
    if (bytes.size() < 3) {
        out.fault = LineFault::TooShort;
        return out;
    }
    if (lrcOf(bytes) != 0) {
        out.fault = LineFault::Checksum;
        return out;
    }
    out.frame.address = static_cast<std::uint8_t>(bytes[0]);
    out.frame.command = static_cast<std::uint8_t>(bytes[1]);
    out.frame.data = bytes.mid(2, bytes.size() - 3);
    return out;
}

}  // namespace

std::uint8_t lrcOf(const QByteArray& bytes) {
    std::uint8_t sum = 0;
    for (char b : bytes) sum = static_cast<std::uint8_t>(sum + static_cast<std::uint8_t>(b));
    return static_cast<std::uint8_t>(-sum);
}

QByteArray toWire(const QByteArray& binary) {
    return ':' + binary.toHex().toUpper() + "\r\n";
}

QByteArray Frame::binary() const {
    QByteArray out;
    out.reserve(data.size() + 3);
    out.append(static_cast<char>(address));
    out.append(static_cast<char>(command));
    out.append(data);
    out.append(static_cast<char>(lrcOf(out)));
    return out;
}

QByteArray Frame::wire() const {
    return toWire(binary());
}

const char* lineFaultName(LineFault f) {
    switch (f) {
        case LineFault::None:
            return "valid";
        case LineFault::OddLength:
            return "odd number of hex digits";
        case LineFault::NotHex:
            return "not upper-case hex";
        case LineFault::TooShort:
            return "shorter than address, command and check byte";
        case LineFault::Checksum:
            return "check byte mismatch";
        case LineFault::TooLong:
            return "longer than any frame";
    }
    return "?";
}

std::optional<ReceivedLine> FrameReader::feed(char c) {
    if (c == ':') {
        started_ = true;
        line_.clear();
        return std::nullopt;
    }
    if (!started_) return std::nullopt;
    line_.append(c);
    if (line_.size() >= 2 && line_.endsWith("\r\n")) {
        started_ = false;
        ReceivedLine done = decode(line_.left(line_.size() - 2));
        line_.clear();
        return done;
    }
    if (line_.size() > kMaxChars) {
        started_ = false;
        ReceivedLine dropped;
        dropped.fault = LineFault::TooLong;
        dropped.text = line_;
        line_.clear();
        return dropped;
    }
    return std::nullopt;
}

}  // namespace tvrsim
