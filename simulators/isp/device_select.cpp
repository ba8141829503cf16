#include "device_select.h"

namespace ispsim {
namespace {

// Reads big-endian fields of a select message; offsets are those of the whole message,
// whose first three bytes (ESC ESC ESC) precede the 'T'.
class Fields {
public:
    explicit Fields(const QByteArray& fromT) : b_(fromT) {}
    std::uint32_t at(int offset) const {
        const int i = offset - 3;
        return i >= 0 && i < b_.size() ? static_cast<std::uint8_t>(b_[i]) : 0u;
    }
    std::uint32_t big(int offset, int n) const {
        std::uint32_t v = 0;
        for (int k = 0; k < n; ++k) v = (v << 8) | at(offset + k);
        return v;
    }

private:
    const QByteArray& b_;
};

// The fields from the device code on, which the long forms share at different offsets.
void decodeParameters(const Fields& f, int codeOffset, DeviceSelection& s) {
    s.deviceCode = static_cast<std::uint8_t>(f.at(codeOffset));
    for (int k = 0; k < 3; ++k) s.paramBytes[k] = static_cast<std::uint8_t>(f.at(codeOffset + 1 + k));
    s.pageSize = static_cast<int>(f.big(codeOffset + 4, 2));
    s.paramLong = f.big(codeOffset + 6, 4);
    s.paramWord = static_cast<std::uint16_t>(f.at(codeOffset + 10) | (f.at(codeOffset + 11) << 8));
    s.flashSize = f.big(codeOffset + 12, 4);
    s.eepromSize = static_cast<int>(f.big(codeOffset + 16, 2));
}

}  // namespace

DeviceSelection decodeSelect(const QByteArray& fromT) {
    const Fields f(fromT);
    DeviceSelection s;
    if (fromT.size() <= 2) {
        s.deviceCode = static_cast<std::uint8_t>(f.at(4));
        return s;
    }
    if (f.at(4) != 0x00) {
        s.version = 1;
        decodeParameters(f, 4, s);
        return s;
    }
    s.version = static_cast<int>(f.at(5));
    decodeParameters(f, 6, s);
    s.paramWord2 = static_cast<std::uint16_t>(f.big(24, 2));
    s.tailByte = static_cast<std::uint8_t>(f.at(27));
    return s;
}

}  // namespace ispsim
