#pragma once

#include <QByteArray>

namespace platform {

// The host side of a serial line as a simulated device sees it. Implemented by the
// in-process wire (tests) and by the pseudo-terminal front end (simulator programs).
class HostLink {
public:
    virtual ~HostLink() = default;
    // Queues bytes toward the host. They start on the line after delayMs and go out one after
    // another, after whatever is already queued, as on a real line.
    virtual void send(const QByteArray& bytes, int delayMs = 0) = 0;
    // The baud rate the host set on its port, 0 while it has none open.
    virtual int hostBaud() const = 0;
};

// A simulated device on a serial line.
class SimulatedDevice {
public:
    virtual ~SimulatedDevice() = default;
    virtual void attach(HostLink* link) = 0;
    // Bytes the host wrote, as they arrive.
    virtual void received(const QByteArray& bytes) = 0;
};

}  // namespace platform
