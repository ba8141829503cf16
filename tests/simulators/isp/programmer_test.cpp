#include "isp_bench.h"

#include <gtest/gtest.h>

using namespace ispsim;
using ispsim::test::Bench;
using ispsim::test::bytes;
using ispsim::test::kCr;
using ispsim::test::kUnknown;

namespace {

ProgrammerConfig withoutDeviceList(std::uint8_t version, QByteArray types) {
    ProgrammerConfig c = ProgrammerConfig::inSystemProgrammer();
    c.deviceList.clear();
    c.paramVersion = version;
    c.programmerTypes = std::move(types);
    return c;
}

ProgrammerConfig withoutBlockMode() {
    ProgrammerConfig c = ProgrammerConfig::inSystemProgrammer();
    c.blockSize = 0;
    c.autoIncrement = false;
    return c;
}

}  // namespace

TEST(Identification, EachPersonalityDescribesItself) {
    struct Case {
        const char* name;
        ProgrammerConfig config;
        QByteArray command;
        QByteArray reply;
    } cases[] = {
        {"isp", ProgrammerConfig::inSystemProgrammer(), "S", "KES-ISP"},
        {"isp", ProgrammerConfig::inSystemProgrammer(), "V", "14"},
        {"isp", ProgrammerConfig::inSystemProgrammer(), "v", "10"},
        {"isp", ProgrammerConfig::inSystemProgrammer(), "p", "S"},
        {"isp", ProgrammerConfig::inSystemProgrammer(), "a", "Y"},
        {"isp", ProgrammerConfig::inSystemProgrammer(), "b", bytes({'Y', 0x00, 0x80})},
        {"isp", ProgrammerConfig::inSystemProgrammer(), "t", bytes({0x76, 0x74, 0x43, 0x38, 0x30, 0xE1, 0x00})},
        {"isp", ProgrammerConfig::inSystemProgrammer(), "K", bytes({0x00})},
        {"isp", ProgrammerConfig::inSystemProgrammer(), "O", bytes({'S', 0x00})},
        {"isp", ProgrammerConfig::inSystemProgrammer(), "Z", kUnknown},
        {"plain", withoutBlockMode(), "b", kUnknown},
        {"plain", withoutBlockMode(), "a", "N"},
        {"no list", withoutDeviceList(3, "PSV"), "t", bytes({0x00})},
        {"no list", withoutDeviceList(3, "PSV"), "K", bytes({0x03})},
        {"no list", withoutDeviceList(3, "PSV"), "O", bytes({'P', 'S', 'V', 0x00})},
        {"no types", withoutDeviceList(1, ""), "O", kUnknown},
        {"boot", ProgrammerConfig::bootLoaderOf(test::part("m128")), "S", "KESBOOT"},
        {"boot", ProgrammerConfig::bootLoaderOf(test::part("m128")), "v", kUnknown},
        {"boot", ProgrammerConfig::bootLoaderOf(test::part("m128")), "t", bytes({0x44, 0x00})},
        {"boot", ProgrammerConfig::bootLoaderOf(test::part("m128")), "b", bytes({'Y', 0x01, 0x00})},
        {"boot", ProgrammerConfig::bootLoaderOf(test::part("m128")), "K", kUnknown},
        {"boot", ProgrammerConfig::bootLoaderOf(test::part("m128")), "O", kUnknown},
    };
    for (const Case& c : cases) {
        Bench b("m128", c.config);
        EXPECT_EQ(b.ask(c.command, static_cast<int>(c.reply.size()) + 1), c.reply)
            << c.name << " " << c.command.toStdString();
    }
}

TEST(Identification, SelectingAProgrammerTypeChangesWhatPAnswers) {
    Bench b("m16", withoutDeviceList(2, "PS"));
    EXPECT_EQ(b.ask("oP"), kCr);
    EXPECT_EQ(b.ask("p"), "P");
    EXPECT_EQ(b.ask("oW"), kUnknown);
    EXPECT_EQ(b.ask("p"), "P");
    EXPECT_EQ(b.ask("oS"), kCr);
    EXPECT_EQ(b.ask("p"), "S");
}

// The probe is ESC ESC "[KES-Tools-upgr]"; the next ESC asks for the identifier. Its letters
// must not run as commands (its "ls" would write the lock bits).
TEST(UpgradeProbe, IsAnsweredAfterTheNextEscAndRunsNothing) {
    Bench b("m16");
    ASSERT_EQ(b.ask("P"), kCr);
    b.write("\x1b\x1b[KES-Tools-upgr]");
    EXPECT_EQ(b.drain(), QByteArray());
    EXPECT_EQ(b.ask("\x1b", 7), "KES-ISP");
    EXPECT_EQ(b.isp.chip().lock(), 0xFF);
    EXPECT_EQ(b.ask("\x1b", 1), QByteArray());
}

TEST(UpgradeProbe, AProgrammerInUpgradeModeAnswersOnlyTheProbe) {
    ProgrammerConfig c = ProgrammerConfig::inSystemProgrammer();
    c.upgradeMode = true;
    Bench b("m16", c);
    EXPECT_EQ(b.ask("S", 7), kUnknown);
    b.write("\x1b\x1b[KES-Tools-upgr]");
    EXPECT_EQ(b.drain(), QByteArray());
    EXPECT_EQ(b.ask("\x1b", 7), "KES-ISP");
}

TEST(ProgrammingMode, WithoutATargetPIsRefusedAndTheTargetReadsErased) {
    Bench b("m16");
    b.isp.setTargetPresent(false);
    EXPECT_EQ(b.ask("P"), kUnknown);
    EXPECT_FALSE(b.isp.inProgrammingMode());
    EXPECT_EQ(b.ask("s", 3), bytes({0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(b.isp.log().back().note, QStringLiteral("not in programming mode"));
}

// Outside programming mode the target is held off the bus: nothing it is told happens.
TEST(ProgrammingMode, TheTargetIsReachedOnlyBetweenPAndL) {
    Bench b("m16");
    b.isp.chip().presetFlash(0, bytes({0x12, 0x34}));
    EXPECT_EQ(b.ask("e"), kCr);
    EXPECT_EQ(b.ask(bytes({'A', 0, 0})), kCr);
    EXPECT_EQ(b.ask("R", 2), bytes({0xFF, 0xFF}));
    EXPECT_EQ(b.flash(0, 2), bytes({0x12, 0x34}));

    EXPECT_EQ(b.ask("P"), kCr);
    EXPECT_EQ(b.ask("P"), kCr);
    EXPECT_EQ(b.ask(bytes({'A', 0, 0})), kCr);
    EXPECT_EQ(b.ask("R", 2), bytes({0x34, 0x12}));
    EXPECT_EQ(b.ask("s", 3), bytes({0x03, 0x94, 0x1E}));
    EXPECT_EQ(b.ask("L"), kCr);
    EXPECT_FALSE(b.isp.inProgrammingMode());
    EXPECT_EQ(b.ask("s", 3), bytes({0xFF, 0xFF, 0xFF}));
}

TEST(Lamps, XSwitchesOnAndYOff) {
    Bench b("m16");
    EXPECT_EQ(b.ask(bytes({'x', 2})), kCr);
    EXPECT_TRUE(b.isp.lampOn(2));
    EXPECT_FALSE(b.isp.lampOn(1));
    EXPECT_EQ(b.ask(bytes({'y', 2})), kCr);
    EXPECT_FALSE(b.isp.lampOn(2));
    ProgrammerConfig c = ProgrammerConfig::inSystemProgrammer();
    c.hasLamps = false;
    Bench dark("m16", c);
    EXPECT_EQ(dark.ask(bytes({'x', 2})), kUnknown);
    EXPECT_FALSE(dark.isp.lampOn(2));
}

TEST(CommandLog, RecordsEachCommandWithItsArgumentsAndAnswer) {
    Bench b("m16");
    b.ask("\x1b", 0);
    b.ask("P");
    b.ask(bytes({'A', 0x00, 0x82}));
    b.ask(bytes({'B', 0x00, 0x02, 'F', 0x0C, 0x94}));
    b.ask(bytes({'x', 1}));
    b.ask("L");
    EXPECT_EQ(b.isp.logTexts(), (QStringList{"ESC", "P", "A 00 82", "B 00 02 46 0C 94", "x 01", "L"}));
    EXPECT_EQ(b.isp.log()[2].reply, kCr);
    EXPECT_EQ(b.isp.log()[2].line(), QStringLiteral("A 00 82 -> 0D"));
    b.isp.clearLog();
    EXPECT_TRUE(b.isp.log().empty());
}

TEST(CommandLog, AnObserverSeesCommandsTheLogDoesNotKeep) {
    Bench b("m16");
    QStringList seen;
    b.isp.setKeepLog(false);
    b.isp.setLogObserver([&](const LoggedCommand& c) { seen << c.line(); });
    b.ask("S", 7);
    EXPECT_TRUE(b.isp.log().empty());
    EXPECT_EQ(seen, QStringList{"S -> 4B 45 53 2D 49 53 50"});
}

TEST(LineSpeed, AProgrammerHearsOnlyItsOwnBaudRate) {
    ProgrammerConfig c = ProgrammerConfig::inSystemProgrammer();
    c.listenBaud = 38400;
    Bench wrong("m16", c, 115200);
    EXPECT_EQ(wrong.ask("S", 7), QByteArray());
    EXPECT_TRUE(wrong.isp.log().empty());
    Bench right("m16", c, 38400);
    EXPECT_EQ(right.ask("S", 7), "KES-ISP");
}

// With realistic timing the answer to a programming command comes after the part's write
// time; without it, after the line's turnaround only.
TEST(Timing, RealisticAnswersWaitForTheProgrammingTime) {
    struct Case {
        QByteArray command;
        int writeMs;  // ATmega16: erase 9 ms, page 4.5 ms, EEPROM byte 9 ms
    } cases[] = {{"e", 9}, {"m", 5}, {bytes({'D', 0x42}), 9},
                 {bytes({'B', 0x01, 0x00, 'F'}) + QByteArray(256, '\0'), 9}};
    for (const Case& c : cases) {
        for (bool realistic : {false, true}) {
            ProgrammerConfig config = ProgrammerConfig::inSystemProgrammer();
            config.realisticTiming = realistic;
            config.blockSize = 256;
            Bench b("m16", config);
            b.wire.setPacing(false);
            b.ask("P");
            const std::int64_t start = b.clock.now();
            ASSERT_EQ(b.ask(c.command), kCr);
            const std::int64_t took = b.clock.now() - start;
            const int expected = 5 + (realistic ? c.writeMs : 0);  // the wire's turnaround is 5 ms
            EXPECT_EQ(took, expected) << c.command.left(1).toStdString() << " realistic " << realistic;
        }
    }
}
