#pragma once

#include <QByteArray>

#include <cstdint>

namespace burnet {

struct DeviceRow;

// The device-select message for a programmer of parameter-block version `paramVersion`
// (the answer to `K`, or 0 when the programmer supplied its own device list): 5 bytes for
// version 0, 22 for version 1, 27 for versions 2 to 4 and 28 from version 5 on.
QByteArray DeviceSelectMessage(const DeviceRow& row, std::uint8_t paramVersion);

}  // namespace burnet
