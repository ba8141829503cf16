#pragma once

#include <cstdint>

namespace burnet {

// Encodings of list selections into fuse bits that several layouts share. A programmed bit is
// 0. An index of -1 (nothing selected) programs nothing: its bits stay 1.

// BOD in two bits, an enable bit and a level bit.
struct Bod3Bits {
    bool enable;
    bool level;
};
Bod3Bits EncodeBod3(int index);
int DecodeBod3(Bod3Bits bits);

// BOD in fuse low bits 7-6 (bit 7 level, bit 6 enable); the two bits as a value 0..3.
std::uint8_t EncodeBod4(int index);
int DecodeBod4(std::uint8_t bits76);

// The crystal scheme: clock list X13 and the start-up list, in fuse low bits 5-0.
struct CrystalChoice {
    int clock;
    int startup;
    bool operator==(const CrystalChoice&) const = default;
};
std::uint8_t EncodeCrystal(CrystalChoice choice);  // bits 5-0, the rest 1
CrystalChoice DecodeCrystal(std::uint8_t fuseLow);

}  // namespace burnet
