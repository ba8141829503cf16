#pragma once

#include "line.h"
#include "unit.h"

#include "platform/serial/in_process_wire.h"
#include "platform/timing/clock.h"
#include "platform/timing/virtual_scheduler.h"

#include <QDateTime>

#include <memory>
#include <vector>

namespace tvrsim {

// A unit fresh from the factory: factory settings memory, default firmware record.
std::unique_ptr<Unit> makeUnit(std::uint8_t address, platform::Scheduler& scheduler,
                               const platform::Clock& clock);

// A virtual installation for tests: factory-fresh units on one line behind an in-process
// wire, in virtual time. The program under test opens "COM1" through portFactory().
class Installation {
public:
    explicit Installation(const std::vector<int>& addresses,
                          const QDateTime& start = QDateTime(QDate(2012, 3, 5), QTime(14, 7, 9)));

    platform::VirtualScheduler& scheduler() { return scheduler_; }
    const platform::Clock& clock() const { return clock_; }
    platform::InProcessWire& wire() { return wire_; }
    platform::SerialPortFactory& portFactory() { return factory_; }
    Line& line() { return line_; }
    // The unit answering to this address now; the test fails loudly on a wrong address.
    Unit& unit(int address);

    void dropNextAnswers(int n) { line_.faults().dropNextAnswers(n); }

private:
    platform::VirtualScheduler scheduler_;
    platform::SchedulerClock clock_;
    Line line_;
    platform::InProcessWire wire_;
    platform::WirePortFactory factory_;
};

}  // namespace tvrsim
