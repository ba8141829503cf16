#pragma once

// A client's end of an in-process wire with a simulated programmer on the other, in virtual
// time, as the programs' tests will use it.

#include "simulators/isp/programmer.h"

#include "platform/serial/in_process_wire.h"
#include "platform/timing/virtual_scheduler.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace ispsim::test {

inline const PartInfo& part(const char* id) { return *findPart(QString::fromLatin1(id)); }

inline QByteArray bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values) b.append(static_cast<char>(v));
    return b;
}

class Bench {
public:
    explicit Bench(const char* partId, ProgrammerConfig config = ProgrammerConfig::inSystemProgrammer(),
                   int baud = 115200)
        : isp(part(partId), std::move(config)) {
        port->open(QStringLiteral("COM1"), platform::LineSettings{baud},
                   platform::Timeouts{100, 50, 4000, 500, 1500});
    }

    // Writes the command and reads up to replyBytes of the answer (fewer on a time-out).
    QByteArray ask(const QByteArray& command, int replyBytes = 1) {
        write(command);
        return read(replyBytes);
    }
    QByteArray read(int n) {
        QByteArray reply(n, '\0');
        const auto r = port->read(reinterpret_cast<std::uint8_t*>(reply.data()), static_cast<std::size_t>(n));
        reply.truncate(static_cast<qsizetype>(r.count));
        return reply;
    }
    void write(const QByteArray& command) {
        port->write(reinterpret_cast<const std::uint8_t*>(command.constData()), static_cast<std::size_t>(command.size()));
    }
    // Everything that arrives within ms.
    QByteArray drain(int ms = 200) {
        clock.advance(ms);
        QByteArray all;
        while (port->bytesWaiting() > 0) all += read(static_cast<int>(port->bytesWaiting()));
        return all;
    }
    QByteArray flash(int offset, int n) const { return isp.chip().flash().mid(offset, n); }
    QByteArray eeprom(int offset, int n) const { return isp.chip().eeprom().mid(offset, n); }

    platform::VirtualScheduler clock;
    Programmer isp;
    platform::InProcessWire wire{clock, &isp};
    std::unique_ptr<platform::SerialPort> port = wire.makePort();
};

inline const QByteArray kCr("\r");
inline const QByteArray kUnknown("?");

}  // namespace ispsim::test
