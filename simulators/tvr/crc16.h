#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace tvrsim {

// CRC-16/ARC (reflected polynomial 0xA001, initial value 0, no final XOR): the signature a
// unit gives of every settings block.
std::uint16_t crc16Arc(const std::uint8_t* data, std::size_t n);
std::uint16_t crc16Arc(const QByteArray& bytes);

}  // namespace tvrsim
