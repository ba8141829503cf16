#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace veldar {

// CRC-16 with the reflected polynomial 0xA001, initial value 0 and no final XOR: the
// signature a unit gives of a settings block, compared with the same sum of our copy.
std::uint16_t SignatureCrc(const std::uint8_t* bytes, std::size_t count);
std::uint16_t SignatureCrc(const QByteArray& bytes);

}  // namespace veldar
