#pragma once

#include "device_link.h"
#include "serial_port.h"

#include <QString>

#include <deque>
#include <map>
#include <memory>

namespace platform {

class Scheduler;
class TimerImpl;

// A serial line inside the process: a program's port on one end, a simulated device on the
// other, both on the same scheduler. The device's bytes arrive after the turnaround and, with
// pacing on, one after another at the baud rate the program chose. Bytes sent while the
// program's port is closed are lost, as on a real line.
class InProcessWire : public HostLink {
public:
    InProcessWire(Scheduler& scheduler, SimulatedDevice* device = nullptr);
    ~InProcessWire() override;

    void attach(SimulatedDevice* device);
    void setTurnaroundMs(int ms) { turnaroundMs_ = ms; }
    void setPacing(bool on) { pacing_ = on; }
    // The device listens at this rate only (0 = any). A host at another rate hears nothing
    // and is not heard.
    void setDeviceBaud(int baud) { deviceBaud_ = baud; }

    // HostLink
    void send(const QByteArray& bytes, int delayMs = 0) override;
    int hostBaud() const override { return hostOpen_ ? hostBaud_ : 0; }

    // The program's end; one port at a time may be open on it.
    std::unique_ptr<SerialPort> makePort(const QString& name = QStringLiteral("COM1"));

    // Everything the program wrote since the last take, for tests.
    QByteArray takeWritten();
    const QByteArray& written() const { return written_; }
    bool hostOpen() const { return hostOpen_; }

private:
    class Port;
    friend class Port;
    struct Pending {
        std::int64_t arrivalUs;
        std::uint8_t byte;
    };

    bool hostHears() const;
    double byteTimeUs() const;
    std::int64_t nowUs() const;
    std::size_t arrived() const;
    std::int64_t nextArrivalUs() const;  // of the first byte not yet arrived, or -1
    void hostWrote(const std::uint8_t* data, std::size_t n);
    void scheduleReady();
    void fireReady();

    Scheduler& scheduler_;
    SimulatedDevice* device_ = nullptr;
    int turnaroundMs_ = 5;
    bool pacing_ = true;
    int deviceBaud_ = 0;
    bool hostOpen_ = false;
    int hostBaud_ = 0;
    Port* openPort_ = nullptr;
    std::int64_t lineFreeUs_ = 0;
    std::deque<Pending> pending_;
    QByteArray written_;
    std::unique_ptr<TimerImpl> readyTimer_;
};

// Ports by name over a set of wires: "COM1" opens the wire registered as COM1; any other
// name is not found.
class WirePortFactory : public SerialPortFactory {
public:
    void add(const QString& name, InProcessWire* wire) { wires_[name.toUpper()] = wire; }
    std::unique_ptr<SerialPort> create() override;

private:
    class NamedPort;
    std::map<QString, InProcessWire*> wires_;
};

}  // namespace platform
