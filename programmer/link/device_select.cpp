#include "device_select.h"

#include "device_table.h"

#include <algorithm>

namespace burnet {

namespace {

constexpr char kEsc = 0x1B;

void appendByte(QByteArray& m, std::uint32_t v) { m.append(static_cast<char>(v & 0xFF)); }

void appendBigEndian16(QByteArray& m, std::uint32_t v) {
    appendByte(m, v >> 8);
    appendByte(m, v);
}

void appendBigEndian32(QByteArray& m, std::uint32_t v) {
    appendBigEndian16(m, v >> 16);
    appendBigEndian16(m, v);
}

// Code, parameters and sizes, common to the long forms.
void appendParameters(QByteArray& m, const DeviceRow& row) {
    appendByte(m, row.deviceCode);
    appendByte(m, row.paramBytes);
    appendByte(m, row.paramBytes >> 8);
    appendByte(m, row.paramBytes >> 16);
    appendBigEndian16(m, row.pageSize);
    appendBigEndian32(m, row.paramLong);
    appendByte(m, row.paramWord);  // low byte first
    appendByte(m, row.paramWord >> 8);
    appendBigEndian32(m, row.flashSize);
    appendBigEndian16(m, row.eepromSize);
}

}  // namespace

QByteArray DeviceSelectMessage(const DeviceRow& row, std::uint8_t paramVersion) {
    QByteArray m;
    m.append(kEsc).append(kEsc).append(kEsc).append('T');
    if (paramVersion == 0) {
        appendByte(m, row.deviceCode);
        return m;
    }
    if (paramVersion == 1) {
        appendParameters(m, row);
        return m;
    }
    appendByte(m, 0x00);
    appendByte(m, std::min<std::uint8_t>(paramVersion, 5));
    appendParameters(m, row);
    appendBigEndian16(m, row.paramWord2);
    appendByte(m, 0x00);
    if (paramVersion >= 5) appendByte(m, row.tailByte);
    return m;
}

}  // namespace burnet
