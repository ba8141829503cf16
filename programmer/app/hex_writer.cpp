#include "hex_writer.h"

#include <array>
#include <numeric>

namespace burnet {

namespace {

const char kLineEnd[] = "\r\n";

QByteArray record(std::span<const std::uint8_t> bytes) {
    QByteArray line(":");
    for (std::uint8_t b : bytes) line.append(QByteArray::number(b, 16).rightJustified(2, '0').toUpper());
    line.append(QByteArray::number(HexChecksum(bytes), 16).rightJustified(2, '0').toUpper());
    return line.append(kLineEnd);
}

}  // namespace

std::uint8_t HexChecksum(std::span<const std::uint8_t> bytes) {
    const unsigned sum = std::accumulate(bytes.begin(), bytes.end(), 0u);
    return static_cast<std::uint8_t>(0x100 - (sum & 0xFF));
}

QByteArray HexSegmentRecord(std::uint16_t segment) {
    const std::array<std::uint8_t, 6> bytes{0x02, 0x00, 0x00, 0x02, static_cast<std::uint8_t>(segment >> 8),
                                            static_cast<std::uint8_t>(segment)};
    return record(bytes);
}

QByteArray HexDataRecord(std::uint16_t address, std::span<const std::uint8_t, kHexRecordBytes> data) {
    std::array<std::uint8_t, 4 + kHexRecordBytes> bytes{static_cast<std::uint8_t>(kHexRecordBytes),
                                                        static_cast<std::uint8_t>(address >> 8),
                                                        static_cast<std::uint8_t>(address), 0x00};
    std::copy(data.begin(), data.end(), bytes.begin() + 4);
    return record(bytes);
}

QByteArray HexEndRecord() { return QByteArray(":00000001FF").append(kLineEnd); }

}  // namespace burnet
