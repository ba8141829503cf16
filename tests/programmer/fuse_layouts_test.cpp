// Fuse layouts A..S and the field encodings they share, both ways.
#include "programmer/app/fuse_fields.h"
#include "programmer/app/fuse_layouts.h"
#include "programmer/app/fuse_options.h"

#include <gtest/gtest.h>

#include <initializer_list>

using namespace burnet;
using FL = FuseLayout;

namespace {

const char* nameOf(FL layout) {
    static const char* const names[] = {"None", "A", "B", "C", "D", "E", "F", "G", "H", "I", "J",
                                        "K",    "L", "M", "N", "O", "P", "Q", "R", "S"};
    return names[static_cast<int>(layout)];
}

FuseControls controls(int clock, int startup, int bod, int boot, std::initializer_list<int> ticked) {
    FuseControls c;
    c.clock = clock;
    c.startup = startup;
    c.bod = bod;
    c.boot = boot;
    for (int id : ticked) c.setTicked(id, true);
    return c;
}

std::string describe(const FuseControls& c) {
    std::string s = "clock " + std::to_string(c.clock) + " startup " + std::to_string(c.startup) + " bod " +
                    std::to_string(c.bod) + " boot " + std::to_string(c.boot) + " ticked";
    for (int id : kFuseCheckBoxes)
        if (c.isTicked(id)) s += " " + std::to_string(id);
    return s;
}

std::string hex(const FuseBytes& b) {
    char text[32];
    std::snprintf(text, sizeof text, "%02X %02X %02X", b.low, b.high, b.ext);
    return text;
}

}  // namespace

TEST(FuseFields, Bod3BothWays) {
    struct Case {
        int index;
        bool enable;
        bool level;
    };
    for (const Case& c : {Case{0, true, true}, Case{1, false, true}, Case{2, false, false}}) {
        const Bod3Bits bits = EncodeBod3(c.index);
        EXPECT_EQ(bits.enable, c.enable) << c.index;
        EXPECT_EQ(bits.level, c.level) << c.index;
        EXPECT_EQ(DecodeBod3({c.enable, c.level}), c.index) << c.index;
    }
    // Enabled bit 1 with level 0 has no entry of its own; nothing selected programs nothing.
    EXPECT_EQ(DecodeBod3({true, false}), 0);
    EXPECT_TRUE(EncodeBod3(-1).enable && EncodeBod3(-1).level);
}

TEST(FuseFields, Bod4BothWays) {
    const std::uint8_t bits[] = {0b11, 0b01, 0b10, 0b00};
    for (int index = 0; index < 4; ++index) {
        EXPECT_EQ(EncodeBod4(index), bits[index]) << index;
        EXPECT_EQ(DecodeBod4(bits[index]), index) << index;
    }
    EXPECT_EQ(EncodeBod4(-1), 0b11);
}

TEST(FuseFields, CrystalSchemeBothWays) {
    struct Case {
        CrystalChoice choice;
        std::uint8_t bits;  // fuse low, the bits above 5 left at 1
    };
    const Case cases[] = {
        {{0, 0}, 0xC0},   // external clock, 6 CK
        {{4, 3}, 0xF4},   // internal RC 8 MHz
        {{9, 2}, 0xE9},   // low-frequency crystal
        {{10, 0}, 0xCA},  // crystal, low frequency: 101 and start-up bit 2 = 0
        {{10, 4}, 0xCB},
        {{11, 5}, 0xDD},  // 110 1, start-up 01
        {{12, 7}, 0xFF},
        {{12, 3}, 0xFE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "clock " << c.choice.clock << " startup " << c.choice.startup);
        EXPECT_EQ(EncodeCrystal(c.choice), c.bits);
        EXPECT_EQ(DecodeCrystal(c.bits), c.choice);
    }
    // Every value of bits 5-0 is some choice, and writing it back gives the same bits.
    for (int v = 0; v < 64; ++v) EXPECT_EQ(EncodeCrystal(DecodeCrystal(static_cast<std::uint8_t>(v))), v | 0xC0) << v;
    // Nothing selected programs nothing.
    EXPECT_EQ(EncodeCrystal({-1, -1}), 0xFF);
    EXPECT_EQ(EncodeCrystal({11, -1}), 0xFD);
}

TEST(FuseFields, StartupListFollowsTheClock) {
    struct Case {
        int clock;
        int entries;
        const char* first;
        const char* caption1047;
    };
    const Case cases[] = {
        {0, 4, "Startup: 6 CK", "&INTCAP"},          {1, 4, "Startup: 6 CK", ""},
        {4, 4, "Startup: 6 CK", ""},                 {5, 4, "Startup: 18 CK", "&INTCAP"},
        {8, 4, "Startup: 18 CK", "&INTCAP"},         {9, 4, "Startup: 4ms + 1K CK", "&INTCAP"},
        {10, 8, "Startup: 4ms + 258 CK", "&Full amplitude"}, {12, 8, "Startup: 4ms + 258 CK", "&Full amplitude"},
    };
    for (const Case& c : cases) {
        const CrystalClockView v = CrystalClock(c.clock);
        EXPECT_EQ(v.startup.size(), c.entries) << c.clock;
        EXPECT_EQ(v.startup.value(0), QString::fromUtf8(c.first)) << c.clock;
        EXPECT_EQ(v.caption1047, QString::fromUtf8(c.caption1047)) << c.clock;
    }
    EXPECT_EQ(CrystalClock(5).startup.value(3), QStringLiteral("Startup: 4ms + 6 CK"));
    EXPECT_EQ(CrystalClock(11).startup.value(7), QStringLiteral("Startup: 64 ms + 16K CK"));

    // The start-up selection survives a change of clock.
    EXPECT_EQ(KeptStartupIndex(7, 11), 7);
    EXPECT_EQ(KeptStartupIndex(7, 3), 3);
    EXPECT_EQ(KeptStartupIndex(5, 9), 1);
    EXPECT_EQ(KeptStartupIndex(2, 12), 2);
    EXPECT_EQ(KeptStartupIndex(-1, 3), -1);
}

TEST(FuseFields, LayoutLClockListCarriesTheBodLevelWhenEnabled) {
    const QStringList plain = BodClockList(false);
    const QStringList withBod = BodClockList(true);
    ASSERT_EQ(plain.size(), 16);
    ASSERT_EQ(withBod.size(), 16);
    EXPECT_EQ(plain[0], QStringLiteral("Startup: 5.8ms + 6 CK"));
    EXPECT_EQ(withBod[0], QStringLiteral("BOD level 4.0V, Startup: 5.8ms + 6 CK"));
    EXPECT_EQ(withBod[7], QStringLiteral("BOD level 4.0V, Startup: 10us + 1K CK"));
    EXPECT_EQ(withBod[9], QStringLiteral("BOD level 2.7V, Startup: 30us + 6 CK"));
    EXPECT_EQ(plain[15], QStringLiteral("Startup: 30us + 1K CK"));
    for (int i = 0; i < 16; ++i) EXPECT_TRUE(withBod[i].endsWith(plain[i])) << i;
}

// Reading the bytes gives the controls; writing the controls gives `written`, which differs
// from what was read only in the bits no control stands for (they are written as 1).
TEST(FuseLayouts, EveryLayoutBothWays) {
    struct Case {
        FL layout;
        FuseBytes read;
        FuseControls shown;
        FuseBytes written;
    };
    const int none = -1;
    const Case cases[] = {
        {FL::B, {0xDE}, controls(0, none, none, none, {1042}), {0xDE}},
        {FL::B, {0xFF}, controls(1, none, none, none, {}), {0xFF}},
        {FL::C, {0x1E}, controls(0, none, none, none, {1042}), {0xDE}},
        {FL::D, {0xDF}, controls(1, none, none, none, {1042}), {0xDF}},
        // AT90S4433 as it leaves the factory.
        {FL::E, {0xDA}, controls(2, none, 0, none, {1042}), {0xDA}},
        {FL::E, {0xE5}, controls(5, none, 2, none, {}), {0xE5}},
        {FL::E, {0xF7}, controls(7, none, 1, none, {}), {0xF7}},
        {FL::F, {0xF6}, controls(2, none, none, none, {1043}), {0xF6}},
        {FL::F, {0xDC}, controls(0, none, none, none, {1042}), {0xDC}},
        {FL::G, {0xE0}, controls(0, none, none, none, {1042, 1043}), {0xE0}},
        {FL::G, {0xFC}, controls(1, none, none, none, {}), {0xFC}},
        {FL::G, {0xFF}, controls(4, none, none, none, {}), {0xFF}},
        {FL::H, {0x12}, controls(2, none, 2, none, {1042}), {0x12}},
        {FL::H, {0xAF}, controls(15, none, 1, none, {1043}), {0xAF}},
        {FL::I, {0xAD}, controls(1, none, 1, none, {1043}), {0xAD}},
        {FL::I, {0x10}, controls(0, none, 2, none, {1042}), {0x1C}},
        {FL::J, {0xE6}, controls(6, none, none, none, {1042}), {0xE6}},
        // ATtiny26 as it leaves the factory, then everything programmed that can be.
        {FL::K, {0xE1, 0xF7}, controls(1, 2, 0, none, {1042}), {0xE1, 0xF7}},
        {FL::K, {0x3E, 0xE8}, controls(12, 3, 2, none, {1043, 1044, 1045, 1047}), {0x3E, 0xE8}},
        {FL::L, {0xF1}, controls(9, none, 1, none, {}), {0xF1}},
        {FL::L, {0x8A}, controls(2, none, 0, none, {1042, 1043}), {0x8A}},
        // Bit 4 of fuse low and bits 7-3 of fuse high belong to no control of layout M.
        {FL::M, {0x84, 0xDA}, controls(4, none, 2, 1, {1042, 1043}), {0x94, 0xFA}},
        {FL::M, {0x3F, 0xFF}, controls(15, none, 3, 3, {}), {0x3F, 0xFF}},
        {FL::N, {0xFE}, controls(none, none, none, none, {1042}), {0xFE}},
        {FL::N, {0xFD}, controls(none, none, none, none, {1043}), {0xFD}},
        // ATmega32 as it leaves the factory: fuse low bits 5-4 belong to no control.
        {FL::O, {0xE1, 0x99}, controls(1, none, 0, 0, {1042, 1046}), {0xF1, 0x99}},
        {FL::O, {0x7A, 0x76}, controls(10, none, 1, 3, {1043, 1044, 1045}), {0x7A, 0x76}},
        // ATmega16 as it leaves the factory.
        {FL::P, {0xE1, 0x99}, controls(1, 2, 0, 0, {1042, 1046}), {0xE1, 0x99}},
        {FL::P, {0xDD, 0xFF}, controls(11, 5, 0, 3, {}), {0xDD, 0xFF}},
        {FL::P, {0x3F, 0x42}, controls(12, 7, 2, 1, {1042, 1043, 1044, 1045, 1047}), {0x3F, 0x42}},
        // ATmega8 as it leaves the factory; then its reset disabled, then its watchdog always on.
        {FL::Q, {0xE1, 0xD9}, controls(1, 2, 0, 0, {1042}), {0xE1, 0xD9}},
        {FL::Q, {0xE1, 0x7F}, controls(1, 2, 0, 3, {1046}), {0xE1, 0x7F}},
        {FL::Q, {0xE1, 0xBF}, controls(1, 2, 0, 3, {1045}), {0xE1, 0xBF}},
        {FL::R, {0xE1, 0x7F}, controls(1, 2, 0, 3, {1045}), {0xE1, 0x7F}},
        {FL::R, {0xE1, 0xBF}, controls(1, 2, 0, 3, {1046}), {0xE1, 0xBF}},
        // ATmega128 as it leaves the factory, in its compatibility mode.
        {FL::S, {0xE1, 0x99, 0xFD}, controls(1, 2, 0, 0, {1042, 1046, 1088}), {0xE1, 0x99, 0xFD}},
        {FL::S, {0x00, 0xFF, 0xFE}, controls(0, 0, 2, 3, {1089}), {0x00, 0xFF, 0xFE}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "layout " << nameOf(c.layout) << " read " << hex(c.read));
        const FuseControls shown = DecodeFuses(c.layout, c.read);
        EXPECT_EQ(shown, c.shown) << describe(shown);
        const FuseBytes written = EncodeFuses(c.layout, c.shown);
        EXPECT_EQ(written, c.written) << hex(written);
    }
}

TEST(FuseLayouts, LayoutAReadsItsByteInverted) {
    // Only an all-zero read shows the crystal; bit 5 read as 1 ticks the hidden box.
    EXPECT_EQ(DecodeFuses(FL::A, {0x00}), controls(1, -1, -1, -1, {}));
    EXPECT_EQ(DecodeFuses(FL::A, {0x20}), controls(0, -1, -1, -1, {1042}));
    EXPECT_EQ(DecodeFuses(FL::A, {0x01}), controls(0, -1, -1, -1, {}));
    // Writing is as in layout B.
    EXPECT_EQ(EncodeFuses(FL::A, controls(1, -1, -1, -1, {})), FuseBytes{0xFF});
    EXPECT_EQ(EncodeFuses(FL::A, controls(0, -1, -1, -1, {1042})), FuseBytes{0xDE});
    // Nothing programmed reads as zero, which shows nothing programmed.
    EXPECT_EQ(UnprogrammedFuseLowRead(FL::A), 0x00);
    EXPECT_EQ(EncodeFuses(FL::A, DecodeFuses(FL::A, {UnprogrammedFuseLowRead(FL::A)})), FuseBytes{});
    EXPECT_EQ(UnprogrammedFuseLowRead(FL::P), 0xFF);
}

TEST(FuseLayouts, ClockBitsWithoutAnEntrySelectNothingAndWriteNothingProgrammed) {
    for (std::uint8_t low : {0xF9, 0xFA, 0xFB}) {
        const FuseControls shown = DecodeFuses(FL::G, {low});
        EXPECT_EQ(shown.clock, -1) << int(low);
        EXPECT_EQ(EncodeFuses(FL::G, shown).low, 0xFF) << int(low);
    }
    // Layout L before its BOD selection has built the clock list.
    EXPECT_EQ(EncodeFuses(FL::L, controls(-1, -1, 0, -1, {})), FuseBytes{});
}

TEST(FuseLayouts, LayoutLWithBodEnabledAndIndexNine) {
    const FuseBytes b = EncodeFuses(FL::L, controls(9, -1, 1, -1, {}));
    EXPECT_EQ((b.low >> 4) & 1, 1);
    EXPECT_EQ(b.low & 0x07, 0b001);
    EXPECT_EQ((b.low >> 3) & 1, 0);
}

TEST(FuseLayouts, LayoutPClockElevenStartupFive) {
    const FuseBytes b = EncodeFuses(FL::P, controls(11, 5, 0, 0, {}));
    EXPECT_EQ(b.low & 0x0F, 0b1101);
    EXPECT_EQ((b.low >> 4) & 0x03, 0b01);
}

// Whatever the chip holds, reading and writing it back keeps every bit a control stands for,
// except where the bits read have no entry of their own (layout G's clock 1-3, and BOD
// enabled bit 1 with level 0, which reads as no BOD).
TEST(FuseLayouts, WritingWhatWasReadKeepsEveryBitAControlStandsFor) {
    struct Covered {
        FL layout;
        std::uint8_t low, high, ext;
    };
    const Covered covered[] = {
        {FL::B, 0x21, 0, 0},    {FL::C, 0x21, 0, 0},    {FL::D, 0x21, 0, 0},    {FL::E, 0x3F, 0, 0},
        {FL::F, 0x2B, 0, 0},    {FL::G, 0x1F, 0, 0},    {FL::H, 0xFF, 0, 0},    {FL::I, 0xF3, 0, 0},
        {FL::J, 0x1F, 0, 0},    {FL::K, 0xFF, 0x1F, 0}, {FL::L, 0x7F, 0, 0},    {FL::M, 0xEF, 0x07, 0},
        {FL::N, 0x03, 0, 0},    {FL::O, 0xCF, 0xEF, 0}, {FL::P, 0xFF, 0xFF, 0}, {FL::Q, 0xFF, 0xFF, 0},
        {FL::R, 0xFF, 0xFF, 0}, {FL::S, 0xFF, 0xFF, 0x03},
    };
    auto lossy = [](FL layout, const FuseBytes& b) {
        const auto bod3NoEntry = [](std::uint8_t byte, int e, int l) { return ((byte >> e) & 1) && !((byte >> l) & 1); };
        switch (layout) {
            case FL::G: return (b.low & 7) >= 1 && (b.low & 7) <= 3;
            case FL::E: return bod3NoEntry(b.low, 3, 4);
            case FL::K: return bod3NoEntry(b.high, 0, 1);
            case FL::H:
            case FL::I:
            case FL::P:
            case FL::Q:
            case FL::R:
            case FL::S: return bod3NoEntry(b.low, 6, 7);
            default: return false;
        }
    };
    for (const Covered& c : covered) {
        SCOPED_TRACE(nameOf(c.layout));
        for (int v = 0; v < 256; ++v) {
            const auto byte = static_cast<std::uint8_t>(v);
            for (const FuseBytes& read : {FuseBytes{byte, 0xFF, 0xFF}, FuseBytes{0xFF, byte, 0xFF}, FuseBytes{0xFF, 0xFF, byte}}) {
                if (lossy(c.layout, read)) continue;
                const FuseBytes written = EncodeFuses(c.layout, DecodeFuses(c.layout, read));
                EXPECT_EQ(written.low, read.low | static_cast<std::uint8_t>(~c.low)) << hex(read);
                EXPECT_EQ(written.high, read.high | static_cast<std::uint8_t>(~c.high)) << hex(read);
                EXPECT_EQ(written.ext, read.ext | static_cast<std::uint8_t>(~c.ext)) << hex(read);
            }
        }
    }
}

TEST(FuseLayouts, NothingSelectedAndNothingTickedWritesNothingProgrammed) {
    for (int l = static_cast<int>(FL::None); l <= static_cast<int>(FL::S); ++l)
        EXPECT_EQ(EncodeFuses(static_cast<FL>(l), FuseControls{}), FuseBytes{}) << nameOf(static_cast<FL>(l));
}

TEST(FuseLayouts, EachLayoutShowsItsListsAndCaptions) {
    using namespace fuseoptions;
    const QString spi = QStringLiteral("&SPI 启用  ");
    struct Case {
        FL layout;
        QStringList clock;
        bool crystal;
        QStringList bod;
        QStringList boot;
        std::vector<std::pair<int, QString>> captions;  // every box the layout uses
    };
    const QStringList none;
    const QStringList rcXtal{QStringLiteral("Int RC"), QStringLiteral("Ext XTAL")};
    const Case cases[] = {
        {FL::None, none, false, none, none, {}},
        {FL::A, rcXtal, false, none, none, {{1042, QString()}}},
        {FL::B, rcXtal, false, none, none, {{1042, spi}}},
        {FL::C, {QStringLiteral("启动 1毫秒 "), QStringLiteral("启动 16毫秒 ")}, false, none, none, {{1042, spi}}},
        {FL::D, {QStringLiteral("Int RC"), QStringLiteral("Ext clock")}, false, none, none, {{1042, spi}}},
        {FL::F,
         {QStringLiteral("Startup      5 CK"), QStringLiteral("Startup      0.5ms"), QStringLiteral("Startup      4.0ms"),
          QStringLiteral("Startup     16.0ms")},
         false, none, none, {{1042, spi}, {1043, QStringLiteral("&EESave")}}},
        {FL::G,
         {QStringLiteral("Ext Clock"), QStringLiteral("Int RCosc"), QStringLiteral("Ext RCosc"), QStringLiteral("Ext LFXTAL"),
          QStringLiteral("Ext XTAL")},
         false, none, none, {{1042, QStringLiteral("&Reset Disable")}, {1043, QStringLiteral("&Fast Start")}}},
        {FL::H, ClockX16(), false, Bod3b(), none, {{1042, spi}, {1043, QStringLiteral("&Reset Disable")}}},
        {FL::J, ClockX16(), false, none, none, {{1042, QStringLiteral("&INTCAP")}}},
        {FL::K, ClockX13(), true, Bod3a(), none,
         {{1042, spi}, {1043, QStringLiteral("&RSTDISBL")}, {1044, QStringLiteral("&EESAVE")}, {1045, QStringLiteral("&PLLCK")},
          {1047, QString()}}},
        {FL::L, none, false, Bod2(), none, {{1042, spi}, {1043, QStringLiteral("&BOOTRST")}}},
        {FL::M, ClockX16(), false, Bod4(), Boot1024(), {{1042, spi}, {1043, QStringLiteral("&BOOTRST")}}},
        {FL::N, none, false, none, none, {{1042, QStringLiteral("BigMem")}, {1043, QStringLiteral("Clockdiv")}}},
        {FL::O, ClockX16(), false, Bod4(), Boot2048(),
         {{1042, spi}, {1043, QStringLiteral("&BOOTRST")}, {1044, QStringLiteral("&EESAVE")},
          {1045, QStringLiteral("&OCD Enable")}, {1046, QStringLiteral("&JTAG Enable")}}},
        {FL::P, ClockX13(), true, Bod3a(), Boot1024(),
         {{1042, spi}, {1043, QStringLiteral("&BOOTRST")}, {1044, QStringLiteral("&EESAVE")},
          {1045, QStringLiteral("&OCD Enable")}, {1046, QStringLiteral("&JTAG Enable")}, {1047, QString()}}},
        {FL::Q, ClockX13(), true, Bod3a(), Boot1024(),
         {{1042, spi}, {1043, QStringLiteral("&BOOTRST")}, {1044, QStringLiteral("&EESAVE")},
          {1045, QStringLiteral("WDTON")}, {1046, QStringLiteral("Reset Disable")}, {1047, QString()}}},
        {FL::R, ClockX13(), true, Bod3a(), Boot1024(),
         {{1042, spi}, {1043, QStringLiteral("&BOOTRST")}, {1044, QStringLiteral("&EESAVE")},
          {1045, CompatibilityMode()}, {1046, QStringLiteral("&WDTON")}, {1047, QString()}}},
        {FL::S, ClockX13(), true, Bod3a(), Boot4096(),
         {{1042, spi}, {1043, QStringLiteral("&BOOTRST")}, {1044, QStringLiteral("&EESAVE")},
          {1045, QStringLiteral("&OCD Enable")}, {1046, QStringLiteral("&JTAG Enable")}, {1047, QString()},
          {1088, CompatibilityMode()}, {1089, QStringLiteral("&WDTON")}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(nameOf(c.layout));
        const FuseLayoutView v = ViewOf(c.layout);
        EXPECT_EQ(v.clock, c.clock);
        EXPECT_EQ(v.usesClock, !c.clock.isEmpty() || c.layout == FL::L);
        EXPECT_EQ(v.crystal, c.crystal);
        EXPECT_EQ(v.bod, c.bod);
        EXPECT_EQ(v.boot, c.boot);
        for (int id : kFuseCheckBoxes) {
            const auto expected = std::find_if(c.captions.begin(), c.captions.end(), [id](const auto& p) { return p.first == id; });
            if (expected == c.captions.end()) {
                EXPECT_FALSE(v.caption(id).has_value()) << id;
            } else {
                EXPECT_EQ(v.caption(id), std::optional<QString>(expected->second)) << id;
            }
        }
    }
    EXPECT_EQ(ViewOf(FL::E).clock.size(), 8);
    EXPECT_EQ(ViewOf(FL::E).bod, Bod3a());
    EXPECT_EQ(ViewOf(FL::I).clock.value(3), QStringLiteral("Startup 8us + 18CK"));
    EXPECT_EQ(ViewOf(FL::I).bod, Bod3a());
}

TEST(FuseOptions, SharedListsAndTheEntriesTheLayoutsEncode) {
    using namespace fuseoptions;
    EXPECT_EQ(ClockX16().size(), 16);
    EXPECT_EQ(ClockX16()[4], QStringLiteral("Int RCosc, Startup: 30us + 6 CK"));
    EXPECT_EQ(ClockX13().size(), 13);
    EXPECT_EQ(ClockX13()[11], QStringLiteral("Ext XTAL, Medium frequency"));
    EXPECT_EQ(Bod4()[2], QStringLiteral("BOD enabled, 2.7V"));
    EXPECT_EQ(Boot1024()[1], QStringLiteral("Boot block 512 Words"));
    EXPECT_EQ(Boot2048()[0], QStringLiteral("Boot block 2048 Words"));
    EXPECT_EQ(Boot4096()[3], QStringLiteral("Boot block 512 Words"));
    EXPECT_EQ(NotSelectableClock(), QStringLiteral("Not selectable/Supported"));
    EXPECT_EQ(NotSelectableList(), QStringLiteral(" Not selectable/Supported"));
}
