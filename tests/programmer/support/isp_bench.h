#pragma once

// CLowIO of the program on one end of an in-process wire, isp-sim on the other, in virtual
// time: what the protocol and transfer tests drive.

#include "programmer/link/device_table.h"
#include "programmer/link/lowio.h"

#include "simulators/isp/programmer.h"

#include "platform/serial/in_process_wire.h"
#include "platform/timing/virtual_scheduler.h"
#include "platform/ui/scripted_dialogs.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace burnettest {

using burnet::CLowIO;
using burnet::DeviceRow;
using ispsim::ProgrammerConfig;

inline const ispsim::PartInfo& part(const char* id) { return *ispsim::findPart(QString::fromLatin1(id)); }
inline const DeviceRow& row(const char* name) { return burnet::FindRowByName(QString::fromLatin1(name)); }

inline ProgrammerConfig withoutDeviceList(std::uint8_t version, QByteArray types = "S") {
    ProgrammerConfig c = ProgrammerConfig::inSystemProgrammer();
    c.deviceList.clear();
    c.paramVersion = version;
    c.programmerTypes = std::move(types);
    return c;
}

inline ProgrammerConfig withoutBlockMode() {
    ProgrammerConfig c = ProgrammerConfig::inSystemProgrammer();
    c.blockSize = 0;
    c.autoIncrement = false;
    return c;
}

// A stand-alone programmer that programs in parallel.
inline ProgrammerConfig parallelProgrammer() {
    ProgrammerConfig c = ProgrammerConfig::inSystemProgrammer();
    c.type = 'P';
    c.programmerTypes = "P";
    return c;
}

// isp-sim on a line that loses the answer to the n-th command with a given letter.
class LosingLine : public platform::SimulatedDevice, public platform::HostLink {
public:
    LosingLine(ispsim::Programmer& isp, char letter, int nth) : isp_(isp), letter_(letter), nth_(nth) {}

    void attach(platform::HostLink* link) override {
        link_ = link;
        isp_.attach(this);
    }
    void received(const QByteArray& bytes) override {
        losing_ = !bytes.isEmpty() && bytes[0] == letter_ && ++seen_ == nth_;
        isp_.received(bytes);
        losing_ = false;
    }
    void send(const QByteArray& bytes, int delayMs) override {
        if (!losing_) link_->send(bytes, delayMs);
    }
    int hostBaud() const override { return link_->hostBaud(); }

private:
    ispsim::Programmer& isp_;
    platform::HostLink* link_ = nullptr;
    char letter_;
    int nth_;
    int seen_ = 0;
    bool losing_ = false;
};

// Ports that note every open the program tries, then behave as the wire's ports.
class RecordingPorts : public platform::SerialPortFactory {
public:
    struct Open {
        QString name;
        platform::LineSettings line;
        platform::Timeouts timeouts;
        bool opened;
    };

    explicit RecordingPorts(platform::SerialPortFactory& inner) : inner_(inner) {}
    std::unique_ptr<platform::SerialPort> create() override {
        return std::make_unique<Port>(inner_.create(), opens);
    }

    std::vector<Open> opens;

private:
    class Port : public platform::SerialPort {
    public:
        Port(std::unique_ptr<platform::SerialPort> inner, std::vector<Open>& opens)
            : inner_(std::move(inner)), opens_(opens) {}
        platform::PortError open(const QString& name, const platform::LineSettings& line,
                                 const platform::Timeouts& timeouts) override {
            const platform::PortError e = inner_->open(name, line, timeouts);
            opens_.push_back(Open{name, line, timeouts, e == platform::PortError::None});
            return e;
        }
        bool isOpen() const override { return inner_->isOpen(); }
        void close() override { inner_->close(); }
        platform::PortError setTimeouts(const platform::Timeouts& t) override { return inner_->setTimeouts(t); }
        platform::IoResult write(const std::uint8_t* d, std::size_t n) override { return inner_->write(d, n); }
        platform::IoResult read(std::uint8_t* d, std::size_t n) override { return inner_->read(d, n); }
        std::size_t bytesWaiting() override { return inner_->bytesWaiting(); }
        void purge(bool in, bool out) override { inner_->purge(in, out); }
        void setReadyHandler(std::function<void()> h) override { inner_->setReadyHandler(std::move(h)); }

    private:
        std::unique_ptr<platform::SerialPort> inner_;
        std::vector<Open>& opens_;
    };

    platform::SerialPortFactory& inner_;
};

// isp-sim on one of a set of named ports, and the CLowIO object of the program.
class Bench {
public:
    explicit Bench(const char* partId, ProgrammerConfig config = ProgrammerConfig::inSystemProgrammer(),
                   const QStringList& portNames = {QStringLiteral("COM1")},
                   const QString& programmerPort = QStringLiteral("COM1"))
        : isp(part(partId), std::move(config)) {
        for (const QString& name : portNames) {
            wires.push_back(std::make_unique<platform::InProcessWire>(clock));
            wirePorts.add(name, wires.back().get());
            if (name == programmerPort) {
                wires.back()->attach(&isp);
                programmerWire = wires.back().get();
            }
        }
    }

    // Finds the programmer and forgets what the scan sent.
    bool find() {
        const bool found = io.FindProgrammer();
        isp.clearLog();
        return found;
    }
    // The commands the programmer received since the last call.
    QStringList sent() {
        const QStringList texts = isp.logTexts();
        isp.clearLog();
        return texts;
    }
    // Runs a call and gives the virtual time it took.
    template <typename F>
    std::int64_t timed(F call) {
        const std::int64_t start = clock.now();
        call();
        return clock.now() - start;
    }

    platform::VirtualScheduler clock;
    platform::ScriptedDialogs dialogs{[](const QString& what) { ADD_FAILURE() << qPrintable(what); }};
    ispsim::Programmer isp;
    std::vector<std::unique_ptr<platform::InProcessWire>> wires;
    platform::InProcessWire* programmerWire = nullptr;
    platform::WirePortFactory wirePorts;
    RecordingPorts ports{wirePorts};
    CLowIO io{ports, clock, dialogs};
};

}  // namespace burnettest
