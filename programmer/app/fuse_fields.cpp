#include "fuse_fields.h"

namespace burnet {

namespace {

constexpr int kFirstCrystalClock = 10;
// Bits 3-1 of the crystal clocks 10, 11, 12; bit 0 carries start-up bit 2.
constexpr std::uint8_t kCrystalClockBits[] = {0x0A, 0x0C, 0x0E};

}  // namespace

Bod3Bits EncodeBod3(int index) {
    switch (index) {
        case 1: return {false, true};
        case 2: return {false, false};
        default: return {true, true};
    }
}

int DecodeBod3(Bod3Bits bits) {
    if (bits.enable) return 0;
    return bits.level ? 1 : 2;
}

std::uint8_t EncodeBod4(int index) {
    switch (index) {
        case 1: return 0x01;
        case 2: return 0x02;
        case 3: return 0x00;
        default: return 0x03;
    }
}

int DecodeBod4(std::uint8_t bits76) {
    switch (bits76 & 0x03) {
        case 0x01: return 1;
        case 0x02: return 2;
        case 0x00: return 3;
        default: return 0;
    }
}

std::uint8_t EncodeCrystal(CrystalChoice choice) {
    std::uint8_t bits = 0xFF;
    if (choice.startup >= 0) bits = static_cast<std::uint8_t>((bits & ~0x30) | ((choice.startup & 3) << 4));
    if (choice.clock >= 0 && choice.clock < kFirstCrystalClock) {
        bits = static_cast<std::uint8_t>((bits & ~0x0F) | choice.clock);
    } else if (choice.clock >= kFirstCrystalClock && choice.clock <= 12) {
        const std::uint8_t startupBit2 = choice.startup >= 0 ? (choice.startup >> 2) & 1 : 1;
        bits = static_cast<std::uint8_t>((bits & ~0x0F) | kCrystalClockBits[choice.clock - kFirstCrystalClock] |
                                         startupBit2);
    }
    return bits;
}

CrystalChoice DecodeCrystal(std::uint8_t fuseLow) {
    const int clockBits = fuseLow & 0x0F;
    const int startup = (fuseLow >> 4) & 3;
    if (clockBits < kFirstCrystalClock) return {clockBits, startup};
    const int clock = kFirstCrystalClock + (clockBits - kFirstCrystalClock) / 2;
    return {clock, startup + 4 * (fuseLow & 1)};
}

}  // namespace burnet
