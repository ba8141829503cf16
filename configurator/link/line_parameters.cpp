#include "line_parameters.h"

namespace veldar {

QStringList portNames() {
    QStringList names;
    for (int i = 1; i <= kPortCount; ++i) names.append(QStringLiteral("COM%1").arg(i));
    return names;
}

int portIndexOf(const QString& currComm) {
    bool ok = false;
    const int number = currComm.mid(3).toInt(&ok);
    return ok && number >= 1 && number <= kPortCount ? number - 1 : -1;
}

int baudIndexOf(const QString& text) {
    bool ok = false;
    const int index = text.trimmed().toInt(&ok);
    return ok && index >= 0 && index < static_cast<int>(kBaudRates.size()) ? index : kDefaultBaudIndex;
}

std::optional<int> waitAnsewerSeconds(const QString& text) {
    bool ok = false;
    const int seconds = text.trimmed().toInt(&ok);
    if (!ok || seconds < 1 || seconds > kMaxWaitAnsewerSeconds) return std::nullopt;
    return seconds;
}

platform::Timeouts portTimeouts() {
    platform::Timeouts t;
    t.readIntervalMs = 10;
    t.readTotalMultiplierMs = 0;
    t.readTotalConstantMs = 1;
    t.writeTotalMultiplierMs = 0;
    t.writeTotalConstantMs = 1500;
    return t;
}

platform::LineSettings lineSettings(int baudRate) {
    platform::LineSettings line;
    line.baud = baudRate;
    line.dtr = false;
    line.rts = false;
    return line;
}

}  // namespace veldar
