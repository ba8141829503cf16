#include "fuse_layouts.h"

#include "fuse_fields.h"
#include "fuse_options.h"

#include <algorithm>
#include <vector>

namespace burnet {

namespace {

using namespace fuseoptions;

enum class Byte { Low, High, Ext };

// How the clock list 1040 is kept in fuse low.
enum class ClockField {
    None,
    Value,    // the index itself in bits (width-1)..0
    Shifted,  // G: index 0 as 000, index k >= 1 as k + 3 in bits 2-0
    Crystal,  // the crystal scheme in bits 5-0
    BodLevel, // L: bits 2-0 = index bits 2-0, bit 4 = index bit 3
};

enum class BodField {
    None,
    Bod3,       // an enable and a level bit
    Bod4,       // fuse low bits 7-6
    EnableBit,  // L: fuse low bit 3 programmed when enabled
};

struct CheckBit {
    int id;
    Byte byte;
    int bit;
};

struct LayoutBits {
    ClockField clock = ClockField::None;
    int clockWidth = 0;
    BodField bod = BodField::None;
    Byte bodByte = Byte::Low;
    int enableBit = 0;
    int levelBit = 0;
    bool boot = false;  // fuse high bits 2-1
    std::vector<CheckBit> checks;
};

LayoutBits value(int width, std::vector<CheckBit> checks) {
    LayoutBits l;
    l.clock = ClockField::Value;
    l.clockWidth = width;
    l.checks = std::move(checks);
    return l;
}

LayoutBits withBod3(LayoutBits l, Byte byte, int enableBit, int levelBit) {
    l.bod = BodField::Bod3;
    l.bodByte = byte;
    l.enableBit = enableBit;
    l.levelBit = levelBit;
    return l;
}

LayoutBits withBod4AndBoot(LayoutBits l) {
    l.bod = BodField::Bod4;
    l.boot = true;
    return l;
}

// The ATmega layouts with the crystal scheme, BOD in fuse low and a boot section.
LayoutBits megaCrystal(int bit1045, int bit1046) {
    LayoutBits l;
    l.clock = ClockField::Crystal;
    l = withBod3(l, Byte::Low, 6, 7);
    l.boot = true;
    l.checks = {{1042, Byte::High, 5}, {1043, Byte::High, 0},       {1044, Byte::High, 3},
                {1045, Byte::High, bit1045}, {1046, Byte::High, bit1046}, {1047, Byte::High, 4}};
    return l;
}

LayoutBits bitsOf(FuseLayout layout) {
    using FL = FuseLayout;
    const CheckBit spiAt5{1042, Byte::Low, 5};
    switch (layout) {
        case FL::None: return {};
        case FL::A:
        case FL::B:
        case FL::C:
        case FL::D: return value(1, {spiAt5});
        case FL::E: return withBod3(value(3, {spiAt5}), Byte::Low, 3, 4);
        case FL::F: return value(2, {spiAt5, {1043, Byte::Low, 3}});
        case FL::G: {
            LayoutBits l;
            l.clock = ClockField::Shifted;
            l.checks = {{1042, Byte::Low, 3}, {1043, Byte::Low, 4}};
            return l;
        }
        case FL::H: return withBod3(value(4, {spiAt5, {1043, Byte::Low, 4}}), Byte::Low, 6, 7);
        case FL::I: return withBod3(value(2, {spiAt5, {1043, Byte::Low, 4}}), Byte::Low, 6, 7);
        case FL::J: return value(4, {{1042, Byte::Low, 4}});
        case FL::K: {
            LayoutBits l;
            l.clock = ClockField::Crystal;
            l = withBod3(l, Byte::High, 0, 1);
            l.checks = {{1047, Byte::Low, 6},  {1045, Byte::Low, 7},  {1044, Byte::High, 2},
                        {1042, Byte::High, 3}, {1043, Byte::High, 4}};
            return l;
        }
        case FL::L: {
            LayoutBits l;
            l.clock = ClockField::BodLevel;
            l.bod = BodField::EnableBit;
            l.checks = {spiAt5, {1043, Byte::Low, 6}};
            return l;
        }
        case FL::M: return withBod4AndBoot(value(4, {spiAt5, {1043, Byte::High, 0}}));
        case FL::N: {
            LayoutBits l;
            l.checks = {{1042, Byte::Low, 0}, {1043, Byte::Low, 1}};
            return l;
        }
        case FL::O:
            return withBod4AndBoot(value(4, {{1042, Byte::High, 5}, {1043, Byte::High, 0}, {1044, Byte::High, 3},
                                             {1045, Byte::High, 7}, {1046, Byte::High, 6}}));
        case FL::P:
        case FL::R: return megaCrystal(7, 6);
        case FL::Q: return megaCrystal(6, 7);
        case FL::S: {
            LayoutBits l = megaCrystal(7, 6);
            l.checks.push_back({1088, Byte::Ext, 1});
            l.checks.push_back({1089, Byte::Ext, 0});
            return l;
        }
    }
    return {};
}

std::uint8_t& byteOf(FuseBytes& b, Byte which) {
    switch (which) {
        case Byte::High: return b.high;
        case Byte::Ext: return b.ext;
        case Byte::Low: break;
    }
    return b.low;
}

std::uint8_t byteOf(const FuseBytes& b, Byte which) {
    switch (which) {
        case Byte::High: return b.high;
        case Byte::Ext: return b.ext;
        case Byte::Low: break;
    }
    return b.low;
}

bool bitSet(std::uint8_t byte, int bit) { return (byte >> bit) & 1; }

void putBit(std::uint8_t& byte, int bit, bool one) {
    byte = static_cast<std::uint8_t>(one ? byte | (1u << bit) : byte & ~(1u << bit));
}

void putField(std::uint8_t& byte, int shift, int width, unsigned fieldValue) {
    const unsigned mask = ((1u << width) - 1) << shift;
    byte = static_cast<std::uint8_t>((byte & ~mask) | ((fieldValue << shift) & mask));
}

int indexOfBox(int id) {
    const auto it = std::find(kFuseCheckBoxes.begin(), kFuseCheckBoxes.end(), id);
    return it == kFuseCheckBoxes.end() ? -1 : static_cast<int>(it - kFuseCheckBoxes.begin());
}

}  // namespace

bool FuseControls::isTicked(int id) const {
    const int i = indexOfBox(id);
    return i >= 0 && ticked[static_cast<std::size_t>(i)];
}

void FuseControls::setTicked(int id, bool on) {
    const int i = indexOfBox(id);
    if (i >= 0) ticked[static_cast<std::size_t>(i)] = on;
}

const std::optional<QString>& FuseLayoutView::caption(int id) const {
    static const std::optional<QString> unused;
    const int i = indexOfBox(id);
    return i < 0 ? unused : captions[static_cast<std::size_t>(i)];
}

FuseLayoutView ViewOf(FuseLayout layout) {
    using FL = FuseLayout;
    FuseLayoutView v;
    auto caption = [&v](int id, const QString& text) { v.captions[static_cast<std::size_t>(indexOfBox(id))] = text; };
    const QString spi = QStringLiteral("&SPI 启用  ");
    const QStringList rcOrXtal{QStringLiteral("Int RC"), QStringLiteral("Ext XTAL")};

    switch (layout) {
        case FL::None: return v;
        case FL::A:
            v.clock = rcOrXtal;
            caption(1042, QString());
            break;
        case FL::B:
            v.clock = rcOrXtal;
            caption(1042, spi);
            break;
        case FL::C:
            v.clock = {QStringLiteral("启动 1毫秒 "), QStringLiteral("启动 16毫秒 ")};
            caption(1042, spi);
            break;
        case FL::D:
            v.clock = {QStringLiteral("Int RC"), QStringLiteral("Ext clock")};
            caption(1042, spi);
            break;
        case FL::E:
            v.clock = {QStringLiteral("Ext Clock, Startup: 4ms + 6 CK"),   QStringLiteral("Ext Clock, Startup: 6 CK"),
                       QStringLiteral("Ext XTAL, Startup: 64ms + 16K CK"), QStringLiteral("Ext XTAL, Startup: 4ms + 16K CK"),
                       QStringLiteral("Ext XTAL, Startup: 16K CK"),        QStringLiteral("Ext XTAL, Startup: 64ms + 1K CK"),
                       QStringLiteral("Ext XTAL, Startup: 4ms + 1K CK"),   QStringLiteral("Ext XTAL, Startup: 1K CK")};
            v.bod = Bod3a();
            caption(1042, spi);
            break;
        case FL::F:
            v.clock = {QStringLiteral("Startup      5 CK"), QStringLiteral("Startup      0.5ms"),
                       QStringLiteral("Startup      4.0ms"), QStringLiteral("Startup     16.0ms")};
            caption(1042, spi);
            caption(1043, QStringLiteral("&EESave"));
            break;
        case FL::G:
            v.clock = {QStringLiteral("Ext Clock"), QStringLiteral("Int RCosc"), QStringLiteral("Ext RCosc"),
                       QStringLiteral("Ext LFXTAL"), QStringLiteral("Ext XTAL")};
            caption(1042, QStringLiteral("&Reset Disable"));
            caption(1043, QStringLiteral("&Fast Start"));
            break;
        case FL::H:
            v.clock = ClockX16();
            v.bod = Bod3b();
            caption(1042, spi);
            caption(1043, QStringLiteral("&Reset Disable"));
            break;
        case FL::I:
            v.clock = {QStringLiteral("Startup 64ms + 18CK"), QStringLiteral("Startup 64ms + 18CK"),
                       QStringLiteral("Startup 4ms + 18CK"), QStringLiteral("Startup 8us + 18CK")};
            v.bod = Bod3a();
            caption(1042, spi);
            caption(1043, QStringLiteral("&Reset Disable"));
            break;
        case FL::J:
            v.clock = ClockX16();
            caption(1042, QStringLiteral("&INTCAP"));
            break;
        case FL::K:
            v.clock = ClockX13();
            v.crystal = true;
            v.bod = Bod3a();
            caption(1042, spi);
            caption(1043, QStringLiteral("&RSTDISBL"));
            caption(1044, QStringLiteral("&EESAVE"));
            caption(1045, QStringLiteral("&PLLCK"));
            caption(1047, QString());
            break;
        case FL::L:
            v.usesClock = true;
            v.bod = Bod2();
            caption(1042, spi);
            caption(1043, QStringLiteral("&BOOTRST"));
            break;
        case FL::M:
            v.clock = ClockX16();
            v.bod = Bod4();
            v.boot = Boot1024();
            caption(1042, spi);
            caption(1043, QStringLiteral("&BOOTRST"));
            break;
        case FL::N:
            caption(1042, QStringLiteral("BigMem"));
            caption(1043, QStringLiteral("Clockdiv"));
            break;
        case FL::O:
            v.clock = ClockX16();
            v.bod = Bod4();
            v.boot = Boot2048();
            caption(1042, spi);
            caption(1043, QStringLiteral("&BOOTRST"));
            caption(1044, QStringLiteral("&EESAVE"));
            caption(1045, QStringLiteral("&OCD Enable"));
            caption(1046, QStringLiteral("&JTAG Enable"));
            break;
        case FL::P:
        case FL::Q:
        case FL::R:
        case FL::S:
            v.clock = ClockX13();
            v.crystal = true;
            v.bod = Bod3a();
            v.boot = layout == FL::S ? Boot4096() : Boot1024();
            caption(1042, spi);
            caption(1043, QStringLiteral("&BOOTRST"));
            caption(1044, QStringLiteral("&EESAVE"));
            caption(1045, QStringLiteral("&OCD Enable"));
            caption(1046, QStringLiteral("&JTAG Enable"));
            caption(1047, QString());
            if (layout == FL::Q) {
                caption(1045, QStringLiteral("WDTON"));
                caption(1046, QStringLiteral("Reset Disable"));
            } else if (layout == FL::R) {
                caption(1045, CompatibilityMode());
                caption(1046, QStringLiteral("&WDTON"));
            } else if (layout == FL::S) {
                caption(1088, CompatibilityMode());
                caption(1089, QStringLiteral("&WDTON"));
            }
            break;
    }
    if (!v.clock.isEmpty()) v.usesClock = true;
    return v;
}

FuseControls DecodeFuses(FuseLayout layout, const FuseBytes& bytes) {
    const LayoutBits l = bitsOf(layout);
    const std::uint8_t lo = bytes.low;
    FuseControls c;
    switch (l.clock) {
        case ClockField::None: break;
        case ClockField::Value:
            // Layout A reads its fuse byte inverted; only an all-zero read shows the crystal.
            c.clock = layout == FuseLayout::A ? (lo == 0x00 ? 1 : 0) : lo & ((1 << l.clockWidth) - 1);
            break;
        case ClockField::Shifted: {
            const int v = lo & 0x07;
            c.clock = v == 0 ? 0 : v >= 4 ? v - 3 : -1;
            break;
        }
        case ClockField::Crystal: {
            const CrystalChoice choice = DecodeCrystal(lo);
            c.clock = choice.clock;
            c.startup = choice.startup;
            break;
        }
        case ClockField::BodLevel: c.clock = 8 * bitSet(lo, 4) + (lo & 0x07); break;
    }
    switch (l.bod) {
        case BodField::None: break;
        case BodField::Bod3: {
            const std::uint8_t b = byteOf(bytes, l.bodByte);
            c.bod = DecodeBod3({bitSet(b, l.enableBit), bitSet(b, l.levelBit)});
            break;
        }
        case BodField::Bod4: c.bod = DecodeBod4(static_cast<std::uint8_t>(lo >> 6)); break;
        case BodField::EnableBit: c.bod = bitSet(lo, 3) ? 0 : 1; break;
    }
    if (l.boot) c.boot = (bytes.high >> 1) & 0x03;
    for (const CheckBit& check : l.checks) {
        const bool one = bitSet(byteOf(bytes, check.byte), check.bit);
        c.setTicked(check.id, layout == FuseLayout::A ? one : !one);
    }
    return c;
}

FuseBytes EncodeFuses(FuseLayout layout, const FuseControls& c) {
    const LayoutBits l = bitsOf(layout);
    FuseBytes bytes;
    std::uint8_t& lo = bytes.low;
    switch (l.clock) {
        case ClockField::None: break;
        case ClockField::Value:
            if (c.clock >= 0) putField(lo, 0, l.clockWidth, static_cast<unsigned>(c.clock));
            break;
        case ClockField::Shifted:
            if (c.clock == 0) putField(lo, 0, 3, 0);
            if (c.clock >= 1 && c.clock <= 4) putField(lo, 0, 3, static_cast<unsigned>(c.clock + 3));
            break;
        case ClockField::Crystal: putField(lo, 0, 6, EncodeCrystal({c.clock, c.startup})); break;
        case ClockField::BodLevel:
            if (c.clock >= 0) {
                putField(lo, 0, 3, static_cast<unsigned>(c.clock & 7));
                putBit(lo, 4, (c.clock >> 3) & 1);
            }
            break;
    }
    switch (l.bod) {
        case BodField::None: break;
        case BodField::Bod3: {
            const Bod3Bits b = EncodeBod3(c.bod);
            putBit(byteOf(bytes, l.bodByte), l.enableBit, b.enable);
            putBit(byteOf(bytes, l.bodByte), l.levelBit, b.level);
            break;
        }
        case BodField::Bod4: putField(lo, 6, 2, EncodeBod4(c.bod)); break;
        case BodField::EnableBit: putBit(lo, 3, c.bod != 1); break;
    }
    if (l.boot && c.boot >= 0) putField(bytes.high, 1, 2, static_cast<unsigned>(c.boot));
    for (const CheckBit& check : l.checks)
        if (c.isTicked(check.id)) putBit(byteOf(bytes, check.byte), check.bit, false);
    return bytes;
}

std::uint8_t UnprogrammedFuseLowRead(FuseLayout layout) { return layout == FuseLayout::A ? 0x00 : 0xFF; }

}  // namespace burnet
