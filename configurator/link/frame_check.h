#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace veldar {

// Why an answer line is not a frame.
enum class FrameFault { None, OddLength, NotHex, TooShort, Checksum };

struct CheckedFrame {
    FrameFault fault = FrameFault::None;
    QByteArray bytes;  // address, command, data, LRC; decoded as far as the check got
};

// Decodes the hex characters of an answer line and checks it: an even number of upper-case
// hex digits, at least address, command and LRC, and a byte sum of 0.
CheckedFrame checkFrame(QByteArrayView hexText);

// What the line monitor shows of a line, whatever its check byte: the address and command
// code when the line has whole bytes and comes from an address the program listens to.
struct MonitorFields {
    int address;
    int command;
};
std::optional<MonitorFields> monitorFields(QByteArrayView hexText);

// Answers are only taken from these addresses.
inline constexpr int kFirstListenedAddress = 100;

}  // namespace veldar
