#include "device_table.h"

#include <array>

namespace burnet {

namespace {

// What the device-select message carries besides the sizes.
struct Timing {
    std::uint8_t flashPoll;
    std::uint8_t eepromPoll1;
    std::uint8_t eepromPoll2;
    std::uint32_t eraseUs;
    std::uint16_t flashWriteUs;
    std::uint16_t eepromWriteUs;
    std::uint8_t eepromPage;
};

enum Flags : unsigned {
    kEncodesFuses = 1u << 0,
    kWritesFuseHigh = 1u << 1,
    kWritesExtFuse = 1u << 2,
    kLockByInstruction = 1u << 3,
    kWholePages = 1u << 4,
    kLeaveAfterErase = 1u << 5,
    kLockAfterEnciphered = 1u << 6,
    kByteAddressed = 1u << 7,
};

constexpr std::uint8_t kBoth = kParallelProgrammer | kSerialProgrammer;
// Boot-loader variants are offered only through a programmer's own device list.
constexpr std::uint8_t kBootOnly = 0xFF;

// The usual flags of a row with fuses that a programmer may compose and write.
constexpr unsigned kPlain = kEncodesFuses | kLockAfterEnciphered;
// A part that also takes its fuse high byte and its lock byte through raw instructions.
constexpr unsigned kMegaFuses = kPlain | kWritesFuseHigh | kLockByInstruction;

constexpr DeviceRow row(const char* name, std::uint32_t code, std::uint32_t flash, std::uint32_t eeprom,
                        const char (&access)[4], std::uint32_t page, Timing t, std::uint8_t minVersion,
                        std::uint8_t mask, FuseLayout fuse, LockLayout lock, ReadRoute route,
                        FuseLowWrite lowWrite, Calibration calibration, BootSizeRule boot, unsigned flags) {
    return DeviceRow{
        name,
        code,
        flash,
        eeprom,
        {access[0], access[1], access[2]},
        (flags & kByteAddressed) == 0,
        page,
        t.eepromWriteUs,
        static_cast<std::uint32_t>(t.flashPoll | (t.eepromPoll1 << 8) | (t.eepromPoll2 << 16)),
        t.eraseUs,
        t.flashWriteUs,
        t.eepromPage,
        minVersion,
        mask,
        fuse,
        (flags & kEncodesFuses) != 0,
        lock,
        route,
        lowWrite,
        (flags & kWritesFuseHigh) != 0,
        (flags & kWritesExtFuse) != 0,
        (flags & kLockByInstruction) != 0,
        calibration,
        boot,
        (flags & kWholePages) != 0,
        (flags & kLeaveAfterErase) != 0,
        (flags & kLockAfterEnciphered) != 0,
    };
}

// Write and erase times and poll values of the part families.
constexpr Timing kS1200{0xFF, 0x00, 0xFF, 20000, 4000, 4000, 0};
constexpr Timing kS2313{0x7F, 0x80, 0x7F, 20000, 4000, 4000, 0};
constexpr Timing kS4414{0x7F, 0x80, 0x7F, 20000, 9000, 9000, 0};
constexpr Timing kS4433{0xFF, 0x00, 0xFF, 20000, 9000, 9000, 0};
constexpr Timing kS2343{0xFF, 0x00, 0xFF, 18000, 9000, 9000, 0};
constexpr Timing kM103{0xFF, 0x80, 0x7F, 112000, 22000, 4000, 0};
constexpr Timing kT11{0xFF, 0x00, 0x00, 20000, 4000, 0, 0};
constexpr Timing kT12{0xFF, 0xFF, 0xFF, 20000, 4500, 9000, 0};
constexpr Timing kT15{0xFF, 0xFF, 0xFF, 8200, 4100, 8200, 0};
constexpr Timing kM161{0xFF, 0xFF, 0xFF, 28000, 14000, 3400, 0};
constexpr Timing kM163{0xFF, 0xFF, 0xFF, 32000, 16000, 4000, 0};
constexpr Timing kMegaTiming{0xFF, 0xFF, 0xFF, 9000, 4500, 9000, 0};
constexpr Timing kMegaEePages{0xFF, 0xFF, 0xFF, 9000, 4500, 9000, 4};
constexpr Timing kM8{0xFF, 0xFF, 0xFF, 10000, 4500, 9000, 4};
constexpr Timing kM128{0xFF, 0xFF, 0xFF, 9000, 4500, 9000, 8};
constexpr Timing kC8534{0xFF, 0xFF, 0xFF, 20000, 4000, 4000, 0};
constexpr Timing kC2051{0xFF, 0x00, 0x00, 10000, 1200, 0, 0};
constexpr Timing kS8252{0xFF, 0xFF, 0xFF, 16000, 2500, 2500, 0};
constexpr Timing kS53{0xFF, 0x00, 0x00, 16000, 2500, 0, 0};

using FL = FuseLayout;
using LL = LockLayout;
using RR = ReadRoute;
using LW = FuseLowWrite;
using Cal = Calibration;
using Boot = BootSizeRule;

// Codes are the standard device codes of the programmer protocol; a boot-loader variant has a
// code of its own, usually the base part's code plus one.
//
// A serial programmer writes fuse low with the short instruction only to the AT90S parts, which
// take the fuse bits in the instruction's second byte; every other part would take the fourth
// byte, zero, and have all its fuses programmed, so those rows use the long instruction. The
// boot-loader variants never write fuses through a serial programmer. ATtiny26 takes its lock
// bits in the second byte too, so `l` writes them, not the long instruction. ATmega162 and
// ATmega8535 stand in for layout M without matching it bit for bit: their fuses are shown,
// never written ('0').
constexpr std::array<DeviceRow, kDeviceRows + 1> kTable{{
    row("AT90S1200 rev. A", 0x10, 1024, 64, "PBP", 0, kS1200, 0, kBoth,
        FL::A, LL::None, RR::RR1, LW::Short, Cal::None, Boot::None, kPlain),
    row("AT90S1200 rev. B", 0x11, 1024, 64, "PBP", 0, kS1200, 0, kBoth,
        FL::A, LL::LB, RR::RR1, LW::Short, Cal::None, Boot::None, kPlain),
    row("AT90S1200 rev. C", 0x12, 1024, 64, "PBP", 0, kS1200, 0, kBoth,
        FL::G, LL::LB, RR::RR1, LW::Short, Cal::None, Boot::None, kPlain),
    row("AT90S1200", 0x13, 1024, 64, "PBP", 0, kS1200, 0, kBoth,
        FL::B, LL::LB, RR::RR1, LW::Short, Cal::None, Boot::None, kPlain),
    row("AT90S2313", 0x20, 2048, 128, "PBP", 0, kS2313, 0, kBoth,
        FL::C, LL::LB, RR::RR1, LW::Short, Cal::None, Boot::None, kPlain),
    row("AT90S4414", 0x28, 4096, 256, "PBP", 0, kS4414, 0, kBoth,
        FL::C, LL::LB, RR::RR1, LW::Short, Cal::None, Boot::None, kPlain),
    row("AT90S4433", 0x30, 4096, 256, "BBB", 0, kS4433, 0, kBoth,
        FL::E, LL::LC, RR::RR3, LW::ShortThenLeave, Cal::None, Boot::None, kPlain),
    row("AT90S2333", 0x34, 2048, 128, "BBB", 0, kS4433, 0, kBoth,
        FL::E, LL::LC, RR::RR3, LW::Short, Cal::None, Boot::None, kPlain),
    row("AT90S8515", 0x38, 8192, 512, "PBP", 0, kS2313, 0, kBoth,
        FL::C, LL::LB, RR::RR1, LW::Short, Cal::None, Boot::None, kPlain),
    row("ATmega8515", 0x3A, 8192, 512, "BBB", 64, kMegaTiming, 1, kBoth,
        FL::R, LL::LE, RR::RR4, LW::Long, Cal::Readable, Boot::None, kMegaFuses),
    row("ATmega8515 BOOT", 0x3B, 8192, 512, "PBB", 64, kMegaTiming, kBootOnly, kSerialProgrammer,
        FL::R, LL::LE, RR::RR5, LW::Short, Cal::NotSupported, Boot::FuseHighMax1024,
        kWholePages | kLockAfterEnciphered),
    row("ATmega103", 0x41, 131072, 4096, "BBB", 256, kM103, 0, kBoth,
        FL::F, LL::LC, RR::RR3, LW::Short, Cal::None, Boot::None, kPlain),
    row("ATmega603", 0x42, 65536, 2048, "BBB", 256, kM103, 0, kBoth,
        FL::F, LL::LC, RR::RR3, LW::Short, Cal::None, Boot::None, kPlain),
    row("ATmega128", 0x43, 131072, 4096, "BBB", 256, kM128, 1, kBoth,
        FL::S, LL::LE, RR::RR6, LW::Long, Cal::Readable, Boot::None, kMegaFuses | kWritesExtFuse),
    row("ATmega128 BOOT", 0x44, 131072, 4096, "PBB", 256, kM128, kBootOnly, kSerialProgrammer,
        FL::S, LL::LE, RR::RR7, LW::Short, Cal::NotSupported, Boot::FuseHighMax4096, kPlain),
    row("AT90S2323", 0x48, 2048, 128, "PBB", 0, kS2343, 0, kBoth,
        FL::C, LL::LB, RR::RR2, LW::Short, Cal::None, Boot::None, kPlain),
    row("AT90S2343", 0x4C, 2048, 128, "BBB", 0, kS2343, 0, kBoth,
        FL::D, LL::LB, RR::RR2, LW::Short, Cal::None, Boot::None, kPlain),
    row("ATtiny11", 0x50, 1024, 0, "PPP", 0, kT11, 0, kParallelProgrammer,
        FL::G, LL::LC, RR::RR1, LW::Short, Cal::None, Boot::None, kPlain),
    row("ATtiny12", 0x55, 1024, 64, "BBB", 0, kT12, 0, kBoth,
        FL::H, LL::LC, RR::RR3, LW::Long, Cal::Readable, Boot::None, kPlain),
    row("ATtiny15", 0x56, 1024, 64, "BBB", 0, kT15, 0, kBoth,
        FL::I, LL::LC, RR::RR3, LW::Long, Cal::Readable, Boot::None, kPlain),
    row("ATtiny28", 0x5C, 2048, 0, "PPP", 0, kT11, 0, kParallelProgrammer,
        FL::J, LL::LD, RR::RR1, LW::Short, Cal::None, Boot::None, kPlain),
    row("ATtiny26", 0x5E, 2048, 128, "BBB", 32, kMegaTiming, 1, kBoth,
        FL::K, LL::LD, RR::RR4, LW::Long, Cal::Readable, Boot::None, kPlain | kWritesFuseHigh),
    row("ATmega161", 0x60, 16384, 512, "BBB", 128, kM161, 0, kBoth,
        FL::L, LL::LE, RR::RR3, LW::Long, Cal::None, Boot::None, kPlain | kLockByInstruction),
    row("ATmega161 BOOT", 0x61, 16384, 512, "PBB", 128, kM161, kBootOnly, kSerialProgrammer,
        FL::L, LL::LE, RR::RR1, LW::Short, Cal::None, Boot::Fixed512, kWholePages),
    row("ATmega162", 0x62, 16384, 512, "0BB", 128, kMegaEePages, 1, kBoth,
        FL::M, LL::LC, RR::RR8, LW::Short, Cal::Readable, Boot::None, kPlain),
    row("ATmega163", 0x64, 16384, 512, "BBB", 128, kM163, 0, kBoth,
        FL::M, LL::LE, RR::RR4, LW::Long, Cal::Readable, Boot::None, kMegaFuses),
    row("ATmega163 BOOT", 0x66, 16384, 512, "PBB", 128, kM163, kBootOnly, kSerialProgrammer,
        FL::M, LL::LE, RR::RR5, LW::Short, Cal::NotSupported, Boot::FuseHighMax1024,
        kWholePages | kLockAfterEnciphered),
    row("AT90S8535", 0x68, 8192, 512, "PBB", 0, kS4433, 0, kBoth,
        FL::C, LL::LC, RR::RR2, LW::Short, Cal::None, Boot::None, kPlain),
    row("ATmega8535", 0x69, 8192, 512, "0BB", 64, kMegaTiming, 1, kBoth,
        FL::M, LL::LC, RR::RR4, LW::Long, Cal::Readable, Boot::None, kMegaFuses),
    row("AT90S4434", 0x6C, 4096, 256, "PBB", 0, kS4433, 0, kBoth,
        FL::C, LL::LB, RR::RR2, LW::Short, Cal::None, Boot::None, kPlain),
    row("AT90C8534", 0x70, 8192, 512, "PPP", 0, kC8534, 0, kParallelProgrammer,
        FL::N, LL::None, RR::RR8, LW::Short, Cal::None, Boot::None, kPlain),
    row("AT90C8544", 0x71, 8192, 512, "PPP", 0, kC8534, 0, kParallelProgrammer,
        FL::J, LL::None, RR::RR1, LW::Short, Cal::None, Boot::None, kPlain),
    row("ATmega32", 0x72, 32768, 1024, "BBB", 128, kMegaEePages, 1, kBoth,
        FL::O, LL::LE, RR::RR4, LW::Long, Cal::Readable, Boot::None, kMegaFuses),
    row("ATmega32 BOOT", 0x73, 32768, 1024, "PBB", 128, kMegaEePages, kBootOnly, kSerialProgrammer,
        FL::O, LL::LE, RR::RR5, LW::Short, Cal::NotSupported, Boot::FuseHighMax2048, kPlain),
    row("ATmega16", 0x74, 16384, 512, "BBB", 128, kMegaEePages, 1, kBoth,
        FL::P, LL::LE, RR::RR4, LW::Long, Cal::Readable, Boot::None, kMegaFuses),
    row("ATmega16 BOOT", 0x75, 16384, 512, "PBB", 128, kMegaEePages, kBootOnly, kSerialProgrammer,
        FL::P, LL::LE, RR::RR5, LW::Short, Cal::NotSupported, Boot::FuseHighMax1024, kPlain),
    row("ATmega8", 0x76, 8192, 512, "BBB", 64, kM8, 1, kBoth,
        FL::Q, LL::LE, RR::RR4, LW::Long, Cal::Readable, Boot::None, kMegaFuses),
    row("ATmega8 BOOT", 0x77, 8192, 512, "PBB", 64, kM8, kBootOnly, kSerialProgrammer,
        FL::Q, LL::LE, RR::RR1, LW::Short, Cal::NotSupported, Boot::FuseHighMax1024,
        kWholePages | kLockAfterEnciphered),
    row("ATmega169", 0x78, 16384, 512, "0BB", 128, kMegaEePages, 2, kBoth,
        FL::None, LL::LE, RR::RR8, LW::Short, Cal::Readable, Boot::None, kLockAfterEnciphered),
    row("ATmega169 BOOT", 0x79, 16384, 512, "PBB", 128, kMegaEePages, kBootOnly, kSerialProgrammer,
        FL::None, LL::LE, RR::RR5, LW::Short, Cal::NotSupported, Boot::FuseHighMax1024,
        kLockAfterEnciphered),
    row("AT89C1051", 0x80, 1024, 0, "\0PP", 0, kC2051, 0, kParallelProgrammer,
        FL::None, LL::LA, RR::RR1, LW::Short, Cal::None, Boot::None, kLockAfterEnciphered | kByteAddressed),
    row("AT89C2051", 0x81, 2048, 0, "\0PP", 0, kC2051, 0, kParallelProgrammer,
        FL::None, LL::LA, RR::RR1, LW::Short, Cal::None, Boot::None, kLockAfterEnciphered | kByteAddressed),
    row("AT89S8252", 0x86, 8192, 2048, "0BB", 0, kS8252, 0, kBoth,
        FL::None, LL::None, RR::RR8, LW::Short, Cal::None, Boot::None,
        kLeaveAfterErase | kLockAfterEnciphered | kByteAddressed),
    row("AT89S53", 0x87, 12288, 0, "0BB", 0, kS53, 0, kBoth,
        FL::None, LL::LF, RR::RR8, LW::Short, Cal::None, Boot::None, kLockAfterEnciphered | kByteAddressed),
    DeviceRow{},
}};

}  // namespace

std::span<const DeviceRow> DeviceTable() { return kTable; }

const DeviceRow* FindRowByCode(std::uint32_t code) {
    for (const DeviceRow& r : kTable) {
        if (r.isEnd()) break;
        if (r.deviceCode == code) return &r;
    }
    return nullptr;
}

const DeviceRow& FindRowByName(const QString& name) {
    for (const DeviceRow& r : kTable) {
        if (r.isEnd()) return r;
        if (name == QLatin1String(r.name)) return r;
    }
    return kTable.back();
}

std::vector<const DeviceRow*> RowsForProgrammer(std::uint8_t paramVersion, std::uint8_t programmerMask) {
    std::vector<const DeviceRow*> rows;
    for (const DeviceRow& r : kTable) {
        if (r.isEnd()) break;
        if (r.minParamVersion <= paramVersion && (r.programmerMask & programmerMask) != 0) rows.push_back(&r);
    }
    return rows;
}

}  // namespace burnet
