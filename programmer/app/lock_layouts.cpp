#include "lock_layouts.h"

namespace burnet {

namespace {

// Two lock bits as read (bits 1-0 of the value) to a mode: 11, 10, 00 give modes 1, 2, 3;
// `fourth` is what the remaining combination gives.
std::optional<int> modeOf(unsigned twoBits, unsigned first, unsigned second, unsigned third,
                          std::optional<int> fourth) {
    twoBits &= 3;
    if (twoBits == first) return 0;
    if (twoBits == second) return 1;
    if (twoBits == third) return 2;
    return fourth;
}

LockReading modeOnly(std::optional<int> mode) {
    LockReading r;
    r.mode = mode;
    return r;
}

std::optional<int> lbMode(unsigned twoBits) { return modeOf(twoBits, 0b11, 0b10, 0b00, std::nullopt); }
std::optional<int> bootLockMode(unsigned twoBits) { return modeOf(twoBits, 0b11, 0b10, 0b00, 3); }

// Bits a boot-lock mode programs, within a pair of bits: Mode 2 the low bit, Mode 3 both,
// Mode 4 the high bit.
unsigned bootLockClears(int mode) {
    switch (mode) {
        case 1: return 0b01;
        case 2: return 0b11;
        case 3: return 0b10;
        default: return 0;
    }
}

}  // namespace

QStringList LockModeEntries(LockLayout layout) {
    QStringList modes{QStringLiteral("方式 1"), QStringLiteral("方式 2"), QStringLiteral("方式 3")};
    if (layout == LockLayout::LF) modes << QStringLiteral("方式 4");
    return modes;
}

QString LockModeExplanation(LockLayout layout, int mode) {
    if (layout == LockLayout::LF) {
        switch (mode) {
            case 0: return QStringLiteral("No internal memory lock features");
            case 1: return QStringLiteral("No external MOVC. Flash prog disabled");
            case 2: return QStringLiteral("Same as mode 2 and verify disabled");
            case 3: return QStringLiteral("Same as mode 3 and external exec. disabled");
            default: return {};
        }
    }
    switch (mode) {
        case 0: return QStringLiteral("没有程序加密            ");
        case 1: return QStringLiteral("加密效果:禁止 Flash 编程  ");
        case 2: return QStringLiteral("加密效果:禁止校验和编程        ");
        default: return {};
    }
}

QStringList BootLockEntries(BootSection section) {
    const QString prefix = section == BootSection::Application ? QStringLiteral("BLB0 Mode ") : QStringLiteral("BLB1 Mode ");
    QStringList modes;
    for (int i = 1; i <= 4; ++i) modes << prefix + QString::number(i);
    return modes;
}

QString BootLockExplanation(BootSection section, int mode) {
    static const char* const effects[] = {"No lock ", "No SPM ", "No LPM, No SPM ", "No LPM "};
    if (mode < 0 || mode > 3) return {};
    return QLatin1String(effects[mode]) + (section == BootSection::Application ? QStringLiteral("Application section")
                                                                                  : QStringLiteral("Boot Loader section"));
}

bool HasBootLocks(LockLayout layout) { return layout == LockLayout::LE; }

LockReading DecodeLock(LockLayout layout, std::uint8_t lock) {
    switch (layout) {
        case LockLayout::LA: return modeOnly(modeOf(lock >> 6, 0b00, 0b10, 0b11, std::nullopt));
        case LockLayout::LB: return modeOnly(modeOf(lock >> 6, 0b11, 0b01, 0b00, std::nullopt));
        case LockLayout::LC: return modeOnly(lbMode(lock >> 1));
        case LockLayout::LD: return modeOnly(lbMode(lock));
        case LockLayout::LE: return {lbMode(lock), bootLockMode(lock >> 2), bootLockMode(lock >> 4)};
        case LockLayout::LF:
        case LockLayout::None: break;
    }
    return {};
}

std::uint8_t EncodeLock(LockLayout layout, const LockControls& c) {
    auto pick = [&c](std::uint8_t m1, std::uint8_t m2, std::uint8_t m3) -> std::uint8_t {
        return c.mode == 1 ? m2 : c.mode == 2 ? m3 : m1;
    };
    switch (layout) {
        case LockLayout::LA: return pick(0xFF, 0x7F, 0x3F);
        case LockLayout::LB:
        case LockLayout::LC: return pick(0xFF, 0xFD, 0xF9);
        case LockLayout::LD: return pick(0xFF, 0xFE, 0xFC);
        case LockLayout::LE: {
            const unsigned clears = (bootLockClears(c.blb0) << 2) | (bootLockClears(c.blb1) << 4);
            return static_cast<std::uint8_t>(pick(0xFF, 0xFE, 0xFC) & ~clears);
        }
        case LockLayout::LF: return c.mode == 3 ? 0x10 : pick(0xFF, 0x70, 0x30);
        case LockLayout::None: break;
    }
    return 0xFF;
}

bool LockModeBarsFuses(LockLayout layout, int mode) {
    return layout != LockLayout::LF && layout != LockLayout::None && (mode == 1 || mode == 2);
}

std::uint8_t UnprogrammedLockRead(LockLayout layout) { return layout == LockLayout::LA ? 0x00 : 0xFF; }

}  // namespace burnet
