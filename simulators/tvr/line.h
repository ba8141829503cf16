#pragma once

#include "faults.h"
#include "frame.h"
#include "unit.h"

#include "platform/serial/device_link.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace tvrsim {

// Several units on one serial line. Every unit hears every byte; a request is acted on by
// the units with its address, or by all of them for address 0. Answers that start at the
// same moment from several units collide. The line's faults apply to every answer.
class Line : public platform::SimulatedDevice {
public:
    Line() = default;
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

    Unit& add(std::unique_ptr<Unit> unit);
    // The unit answering to this address now, if any.
    Unit* unit(int address);
    const std::vector<std::unique_ptr<Unit>>& units() const { return units_; }

    FaultInjector& faults() { return faults_; }
    void setFaults(const FaultSettings& s) { faults_.setSettings(s); }
    void reseed(std::uint32_t seed) { faults_.random().seed(seed); }

    // One line of text per event on the line, for a traffic log.
    void setLog(std::function<void(const QString&)> log) { log_ = std::move(log); }

    // platform::SimulatedDevice
    void attach(platform::HostLink* link) override { link_ = link; }
    void received(const QByteArray& bytes) override;

    // What several units sending at once put on the line: bytes all senders agree on pass,
    // any other byte arrives as a framing error (the senders' common bits with bit 7 set).
    static QByteArray collide(const std::vector<QByteArray>& wires);

private:
    void route(const Frame& request);
    void deliver(const QByteArray& wire, int delayMs, const QString& who);
    void log(const QString& text) const;

    std::vector<std::unique_ptr<Unit>> units_;
    platform::HostLink* link_ = nullptr;
    FrameReader reader_;
    FaultInjector faults_;
    std::function<void(const QString&)> log_;
};

}  // namespace tvrsim
