#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>

namespace ispsim {

// What a client told the programmer about the target with a device select. The plain form
// carries the code only; the long forms add the device's parameters.
struct DeviceSelection {
    int version = 0;  // 0 plain, 1, or the version byte of the longest forms (2 to 5)
    std::uint8_t deviceCode = 0;
    std::array<std::uint8_t, 3> paramBytes{};
    int pageSize = 0;
    std::uint32_t paramLong = 0;
    std::uint16_t paramWord = 0;
    std::uint32_t flashSize = 0;
    int eepromSize = 0;
    std::uint16_t paramWord2 = 0;
    std::uint8_t tailByte = 0;

    bool operator==(const DeviceSelection&) const = default;
};

// Decodes a complete device select from its 'T' on, as framed by commandLength().
DeviceSelection decodeSelect(const QByteArray& fromT);

}  // namespace ispsim
