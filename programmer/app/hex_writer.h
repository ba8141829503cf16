#pragma once

#include <QByteArray>

#include <cstdint>
#include <span>

namespace burnet {

// Record lines as the read operations write them: upper-case hexadecimal, each line ended
// with CR LF as in the files the programmer has always written.
inline constexpr std::size_t kHexRecordBytes = 16;

// Two's complement of the low byte of the sum of the bytes.
std::uint8_t HexChecksum(std::span<const std::uint8_t> bytes);
QByteArray HexSegmentRecord(std::uint16_t segment);
// A data record of 16 bytes at the low 16 bits of the byte offset.
QByteArray HexDataRecord(std::uint16_t address, std::span<const std::uint8_t, kHexRecordBytes> data);
QByteArray HexEndRecord();

}  // namespace burnet
