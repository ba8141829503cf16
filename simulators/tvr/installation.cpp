#include "installation.h"

#include "density_tables.h"
#include "factory_settings.h"

#include <stdexcept>

namespace tvrsim {

std::unique_ptr<Unit> makeUnit(std::uint8_t address, platform::Scheduler& scheduler,
                               const platform::Clock& clock) {
    return std::make_unique<Unit>(address, scheduler, clock,
                                  factorySettings(builtInDensityTables()));
}

Installation::Installation(const std::vector<int>& addresses, const QDateTime& start)
    : clock_(scheduler_, start), wire_(scheduler_, &line_) {
    for (int a : addresses) line_.add(makeUnit(static_cast<std::uint8_t>(a), scheduler_, clock_));
    factory_.add(QStringLiteral("COM1"), &wire_);
}

Unit& Installation::unit(int address) {
    Unit* u = line_.unit(address);
    if (!u) throw std::out_of_range("no unit answers to address " + std::to_string(address));
    return *u;
}

}  // namespace tvrsim
