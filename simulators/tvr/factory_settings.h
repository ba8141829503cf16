#pragma once

#include "density_tables.h"

#include <QByteArray>

namespace tvrsim {

// The settings memory of a unit as it leaves the factory (29824 bytes): the default
// calibration and extended calibration tables, relay outputs, common settings, channel
// constants, the two extended default density tables, instrumental error tables, and no
// gas pressure table.
QByteArray factorySettings(const DefaultDensityTables& tables);

// A density table in the unit's 1664-byte block layout.
QByteArray densityBlock(const DensityTable& table);

}  // namespace tvrsim
