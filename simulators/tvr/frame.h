#pragma once

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace tvrsim {

// One message on the line: address, command code, data. On the wire it travels as ":", two
// upper-case hex digits per byte of address, command, data and check byte, then CR LF; the
// check byte (LRC) makes all bytes sum to 0 modulo 256. Answers use the same form.
struct Frame {
    std::uint8_t address = 0;
    std::uint8_t command = 0;
    QByteArray data;

    // Address, command, data and LRC.
    QByteArray binary() const;
    // ":" + hex + CR LF.
    QByteArray wire() const;
};

std::uint8_t lrcOf(const QByteArray& bytes);
QByteArray toWire(const QByteArray& binary);

// Why a received line was not taken as a frame.
enum class LineFault { None, OddLength, NotHex, TooShort, Checksum, TooLong };
const char* lineFaultName(LineFault f);

struct ReceivedLine {
    LineFault fault = LineFault::None;
    Frame frame;      // valid when fault is None
    QByteArray text;  // the characters between ":" and CR LF, as received
};

// Assembles frames from the bytes of a line, as a unit's receiver does: a ":" starts a line
// (dropping any partial one), CR LF ends it, anything outside a line is ignored, and a line
// that grows past the longest frame is dropped without waiting for its end.
class FrameReader {
public:
    // A request carries at most 299 bytes, 598 hex digits, plus CR LF.
    static constexpr int kMaxChars = 600;

    // A completed (or dropped) line, if this byte ended one.
    std::optional<ReceivedLine> feed(char c);

private:
    bool started_ = false;
    QByteArray line_;
};

}  // namespace tvrsim
