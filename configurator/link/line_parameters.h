#pragma once

#include "platform/serial/serial_port.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace veldar {

// The ports and rates the operator chooses from; the rate is stored as its index here.
inline constexpr int kPortCount = 15;
inline constexpr std::array<int, 8> kBaudRates{1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
inline constexpr int kDefaultBaudIndex = 3;  // 9600

// The general answer time-out in whole seconds, and what a value outside it falls back to.
inline constexpr int kDefaultWaitAnsewerSeconds = 60;
inline constexpr int kMaxWaitAnsewerSeconds = 86400;

// The name stored when no port is usable.
inline const QString kNoPort = QStringLiteral("n/a");

QStringList portNames();  // "COM1" … "COM15"

// The entry of the port list a stored "CurrComm" selects: the number after its first three
// characters, 0-based; -1 for "n/a" or anything that names no listed port.
int portIndexOf(const QString& currComm);

// A stored "BaudRate" index, or the default when it is missing, not a number or out of range.
int baudIndexOf(const QString& text);

// The answer time-out typed on the page or stored as "WaitAnsewer", in seconds, when it is
// a whole number from 1 to a day; otherwise nothing.
std::optional<int> waitAnsewerSeconds(const QString& text);

// Fixed for every open: a read returns after about 1 ms when nothing is waiting.
platform::Timeouts portTimeouts();
platform::LineSettings lineSettings(int baudRate);

}  // namespace veldar
