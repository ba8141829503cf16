#include "signaturecrc.h"

namespace veldar {

std::uint16_t SignatureCrc(const std::uint8_t* bytes, std::size_t count) {
    std::uint16_t crc = 0;
    for (std::size_t i = 0; i < count; ++i) {
        std::uint8_t byte = bytes[i];
        for (int bit = 0; bit < 8; ++bit) {
            const bool low = ((crc ^ byte) & 1) != 0;
            crc = static_cast<std::uint16_t>(crc >> 1);
            if (low) crc ^= 0xA001;
            byte = static_cast<std::uint8_t>(byte >> 1);
        }
    }
    return crc;
}

std::uint16_t SignatureCrc(const QByteArray& bytes) {
    return SignatureCrc(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                        static_cast<std::size_t>(bytes.size()));
}

}  // namespace veldar
