#include "isp_bench.h"

#include <gtest/gtest.h>

using namespace ispsim;
using ispsim::test::Bench;
using ispsim::test::bytes;
using ispsim::test::kCr;
using ispsim::test::kUnknown;

namespace {

// ATmega16's loader: 128-byte pages and blocks; with the factory fuse high byte (BOOTSZ 00)
// the boot section is the top 1024 words, bytes 0x3800 to 0x3FFF.
struct Loader : Bench {
    Loader() : Bench("m16", ProgrammerConfig::bootLoaderOf(test::part("m16"))) {}
    void setAddress(int wordAddress) { EXPECT_EQ(ask(bytes({'A', wordAddress >> 8, wordAddress & 0xFF})), kCr); }
    QByteArray writeBlock(int wordAddress, const QByteArray& data) {
        setAddress(wordAddress);
        return ask(bytes({'B', 0, static_cast<int>(data.size()), 'F'}) + data);
    }
};

const QByteArray kCode = bytes({0x0C, 0x94, 0x2A, 0x00});

}  // namespace

TEST(BootLoader, NeedsNoProgrammingModeBracket) {
    Loader l;
    EXPECT_EQ(l.writeBlock(0, kCode), kCr);
    EXPECT_EQ(l.flash(0, 4), kCode);
    EXPECT_EQ(l.ask("s", 3), bytes({0x03, 0x94, 0x1E}));
    EXPECT_EQ(l.ask("P"), kCr);
    EXPECT_EQ(l.ask("L"), kCr);
}

TEST(BootLoader, EraseAndWritesLeaveTheBootSectionAlone) {
    Loader l;
    l.isp.chip().presetFlash(0x3800, kCode);
    l.isp.chip().presetFlash(0x0000, kCode);
    EXPECT_EQ(l.isp.chip().bootSectionBytes(), 0x800);
    EXPECT_EQ(l.ask("e"), kCr);
    EXPECT_EQ(l.flash(0x0000, 4), QByteArray(4, '\xFF'));
    EXPECT_EQ(l.flash(0x3800, 4), kCode);
    EXPECT_EQ(l.writeBlock(0x3800 / 2, bytes({0, 0, 0, 0})), kCr);
    EXPECT_EQ(l.flash(0x3800, 4), kCode);
    // The section follows the fuse bits: BOOTSZ 11 leaves it 128 words.
    l.isp.chip().setFuse(Fuse::High, 0x99 | 0x06);
    EXPECT_EQ(l.isp.chip().bootSectionBytes(), 0x100);
    EXPECT_EQ(l.writeBlock(0x3800 / 2, bytes({0, 0, 0, 0})), kCr);
    EXPECT_EQ(l.flash(0x3800, 4), bytes({0, 0, 0, 0}));
}

TEST(BootLoader, BootLockBitsGuardTheApplicationSection) {
    struct Case {
        int lock;
        bool writes;
        bool reads;
    } cases[] = {{0xFF, true, true}, {0xFB, false, true}, {0xF3, false, false}, {0xF7, true, false}};
    for (const Case& c : cases) {
        Loader l;
        l.isp.chip().presetFlash(0x100, kCode);
        l.isp.chip().setLock(static_cast<std::uint8_t>(c.lock));
        l.writeBlock(0, kCode);
        EXPECT_EQ(l.flash(0, 4), c.writes ? kCode : QByteArray(4, '\xFF')) << std::hex << c.lock;
        l.setAddress(0x80);
        EXPECT_EQ(l.ask(bytes({'g', 0, 4, 'F'}), 4), c.reads ? kCode : QByteArray(4, '\xFF')) << std::hex << c.lock;
    }
}

TEST(BootLoader, ReadsFusesButWritesOnlyBootLockBits) {
    Loader l;
    EXPECT_EQ(l.ask("F"), bytes({0xE1}));
    EXPECT_EQ(l.ask("N"), bytes({0x99}));
    EXPECT_EQ(l.ask("r"), bytes({0xFF}));
    for (const QByteArray& refused : {bytes({'f', 0x00}), bytes({'n', 0x00}), bytes({'q', 0x00}),
                                      bytes({':', 0x50, 0, 0}), bytes({'.', 0xAC, 0xA0, 0, 0}), QByteArray("h")})
        EXPECT_EQ(l.ask(refused, 2), kUnknown) << refused.toHex(' ').toStdString();
    EXPECT_EQ(l.isp.chip().fuse(Fuse::Low), 0xE1);
    EXPECT_EQ(l.ask(bytes({'l', 0xF0})), kCr);
    EXPECT_EQ(l.isp.chip().lock(), 0xF3);
}

TEST(BootLoader, ELeavesTheLoaderAfterItsAnswer) {
    Loader l;
    int exits = 0;
    l.isp.setExitHandler([&] {
        ++exits;
        EXPECT_EQ(l.isp.log().back().text(), QStringLiteral("E"));
    });
    EXPECT_EQ(l.ask("ES", 8), kCr);  // the S is the application's
    EXPECT_EQ(exits, 1);
    Bench isp("m16");
    EXPECT_EQ(isp.ask("E"), kUnknown);
}

TEST(BootLoader, TheExitHandlerMayEndTheLoader) {
    platform::VirtualScheduler clock;
    auto loader = std::make_unique<Programmer>(test::part("m16"), ProgrammerConfig::bootLoaderOf(test::part("m16")));
    platform::InProcessWire wire(clock, loader.get());
    loader->setExitHandler([&] {
        wire.attach(nullptr);
        loader.reset();
    });
    auto port = wire.makePort();
    port->open(QStringLiteral("COM1"), platform::LineSettings{115200}, platform::Timeouts{100, 50, 4000, 500, 1500});
    const QByteArray exit("ES");
    port->write(reinterpret_cast<const std::uint8_t*>(exit.constData()), 2);
    EXPECT_EQ(loader, nullptr);
}

TEST(BootLoader, ListsItsOwnCodeAndTakesOnlyThatOne) {
    Loader l;
    EXPECT_EQ(l.ask("t", 3), bytes({0x75, 0x00}));
    EXPECT_EQ(l.ask(bytes({'T', 0x74})), kUnknown);
    EXPECT_EQ(l.ask(bytes({'T', 0x75})), kCr);
}
