#include "isp_bench.h"

#include <gtest/gtest.h>

using namespace ispsim;
using ispsim::test::Bench;
using ispsim::test::bytes;
using ispsim::test::kCr;
using ispsim::test::kUnknown;

namespace {

struct Session : Bench {
    explicit Session(const char* partId, ProgrammerConfig c = ProgrammerConfig::inSystemProgrammer())
        : Bench(partId, std::move(c)) {
        EXPECT_EQ(ask("P"), kCr);
    }
    // A raw instruction: the result byte, or nothing when the answer was not result + CR.
    QByteArray raw(const QByteArray& instruction) {
        const QByteArray reply = ask(instruction, 2);
        return reply.size() == 2 && reply[1] == '\r' ? reply.left(1) : QByteArray();
    }
};

}  // namespace

TEST(Fuses, LettersReadTheFactoryFusesLockAndCalibration) {
    struct Case {
        const char* part;
        QByteArray command;
        QByteArray reply;
    } cases[] = {
        {"m16", "F", bytes({0xE1})},  {"m16", "N", bytes({0x99})},
        {"m16", "Q", bytes({0xFF})},  {"m16", "r", bytes({0xFF})},
        {"m128", "Q", bytes({0xFD})}, {"m8", "N", bytes({0xD9})},
        {"m16", "h", bytes({0xA8, '\r'})},
        {"4433", "F", bytes({0xDA})}, {"8515", "F", bytes({0xFF})},
        {"89s52", "s", bytes({0x06, 0x52, 0x1E})},
    };
    for (const Case& c : cases) {
        Session s(c.part);
        EXPECT_EQ(s.ask(c.command, 3), c.reply) << c.part << " " << c.command.toStdString();
    }
}

TEST(Fuses, RawReadInstructionsOfTheTable) {
    struct Case {
        QByteArray instruction;
        int result;
    } cases[] = {
        {bytes({':', 0x58, 0x00, 0x00}), 0xFF},        // lock
        {bytes({':', 0x58, 0x08, 0x00}), 0x99},        // fuse high
        {bytes({':', 0x50, 0x00, 0x00}), 0xE1},        // fuse low
        {bytes({':', 0x50, 0x08, 0x00}), 0xFD},        // extended fuse
        {bytes({':', 0x38, 0x00, 0x00}), 0xA6},        // calibration
        {bytes({'.', 0x38, 0x00, 0x02, 0x00}), 0xAC},  // third calibration byte
        {bytes({'.', 0x30, 0x00, 0x01, 0x00}), 0x97},  // signature byte 1
    };
    for (const Case& c : cases) {
        Session s("m128");
        EXPECT_EQ(s.raw(c.instruction), bytes({c.result})) << c.instruction.toHex(' ').toStdString();
    }
}

TEST(Fuses, WritesByLetterAndByLongInstruction) {
    Session s("m128");
    EXPECT_EQ(s.ask(bytes({'f', 0xE4})), kCr);
    EXPECT_EQ(s.raw(bytes({'.', 0xAC, 0xA8, 0x00, 0xA8})).size(), 1);
    EXPECT_EQ(s.raw(bytes({'.', 0xAC, 0xA4, 0x00, 0xFE})).size(), 1);
    EXPECT_EQ(s.isp.chip().fuse(Fuse::Low), 0xE4);
    // SPIEN (bit 5) is out of reach of serial programming; the extended fuse has two bits.
    EXPECT_EQ(s.isp.chip().fuse(Fuse::High), 0x88);
    EXPECT_EQ(s.isp.chip().fuse(Fuse::Extended), 0xFE);
    EXPECT_EQ(s.ask(bytes({'n', 0xFF})), kCr);
    EXPECT_EQ(s.ask("N"), bytes({0xDF}));
}

// The short form carries five fuse bits in its second byte, as the AT90S instruction set
// has it; on an ATmega the fourth byte the programmer adds (0) becomes the fuse byte.
TEST(Fuses, TheShortWriteFollowsTheTargetsInstructionSet) {
    Session classic("4433");
    classic.raw(bytes({':', 0xAC, 0xA0 | (0xE4 & 0x1F), 0x00}));
    EXPECT_EQ(classic.isp.chip().fuse(Fuse::Low), 0xC4);  // SPIEN (bit 5) stays programmed
    Session mega("m16");
    mega.raw(bytes({':', 0xAC, 0xA0 | (0xE0 & 0x1F), 0x00}));
    EXPECT_EQ(mega.isp.chip().fuse(Fuse::Low), 0x00);
}

TEST(Fuses, AParallelProgrammerPassesNoRawInstructions) {
    ProgrammerConfig c = ProgrammerConfig::inSystemProgrammer();
    c.type = 'P';
    Session s("m16", c);
    EXPECT_EQ(s.ask(bytes({':', 0x50, 0x00, 0x00}), 2), kUnknown);
    EXPECT_EQ(s.ask("F"), bytes({0xE1}));
}

// Each family's lock command, the mode it reaches and how the lock byte then reads.
TEST(LockBits, EachFamilyReachesItsModes) {
    struct Case {
        const char* part;
        QByteArray command;
        int mode;
        int lockByte;
    } cases[] = {
        {"m16", bytes({'l', 0xFE}), 2, 0xFE},
        {"m16", bytes({'l', 0xFC}), 3, 0xFC},
        {"m16", bytes({'.', 0xAC, 0xE0, 0x00, 0xF2}), 2, 0xF2},
        {"m16", bytes({'l', 0xF3}), 1, 0xF3},  // boot lock bits only
        {"8515", bytes({'l', 0xFD}), 2, 0xFD},
        {"4433", bytes({'l', 0xF9}), 3, 0xF9},
        {"4433", bytes({':', 0xAC, 0xFD, 0x00}), 2, 0xFD},
        {"89s52", bytes({'l', 0x70}), 2, 0xFB},
        {"89s52", bytes({'l', 0x30}), 3, 0xF3},
        {"89s52", bytes({'l', 0x10}), 4, 0xE3},
        {"89s52", bytes({'.', 0xAC, 0xE2, 0x00, 0x00}), 3, 0xF3},
    };
    for (const Case& c : cases) {
        Session s(c.part);
        s.ask(c.command, 2);
        EXPECT_EQ(s.isp.chip().lockMode(), c.mode) << c.part << " " << c.command.toHex(' ').toStdString();
        EXPECT_EQ(s.ask("r"), bytes({c.lockByte})) << c.part << " " << c.command.toHex(' ').toStdString();
    }
}

TEST(LockBits, ProgrammedBitsStayUntilAChipErase) {
    Session s("m16");
    s.ask(bytes({'l', 0xFC}));
    s.ask(bytes({'l', 0xFF}));
    EXPECT_EQ(s.isp.chip().lock(), 0xFC);
    s.ask("e");
    EXPECT_EQ(s.isp.chip().lock(), 0xFF);
}

// Mode 2 forbids further programming (flash, EEPROM, fuses); mode 3 forbids verifying too,
// and the memories then read as erased.
TEST(LockBits, LockModesForbidProgrammingThenVerifying) {
    for (int mode : {2, 3}) {
        Session s("m16");
        s.isp.chip().presetFlash(0, bytes({0x12, 0x34}));
        s.isp.chip().presetEeprom(0, bytes({0x56}));
        s.ask(bytes({'l', mode == 2 ? 0xFE : 0xFC}));
        s.ask(bytes({'A', 0, 1}));
        s.ask(bytes({'B', 0, 2, 'F', 0x00, 0x00}));
        EXPECT_EQ(s.isp.log().back().note, QStringLiteral("lock mode %1").arg(mode));
        s.ask(bytes({'A', 0, 0}));
        s.ask(bytes({'D', 0x00}));
        s.ask(bytes({'f', 0x00}));
        EXPECT_EQ(s.flash(0, 4), bytes({0x12, 0x34, 0xFF, 0xFF})) << mode;
        EXPECT_EQ(s.eeprom(0, 1), bytes({0x56})) << mode;
        EXPECT_EQ(s.isp.chip().fuse(Fuse::Low), 0xE1) << mode;
        s.ask(bytes({'A', 0, 0}));
        const QByteArray read = s.ask(bytes({'g', 0, 2, 'F'}), 2);
        EXPECT_EQ(read, mode == 2 ? bytes({0x12, 0x34}) : bytes({0xFF, 0xFF})) << mode;
        // Signature and fuses stay readable; an erase unlocks.
        EXPECT_EQ(s.ask("s", 3), bytes({0x03, 0x94, 0x1E}));
        s.ask("e");
        s.ask(bytes({'A', 0, 0}));
        s.ask(bytes({'B', 0, 2, 'F', 0x00, 0x00}));
        EXPECT_EQ(s.flash(0, 2), bytes({0x00, 0x00})) << mode;
    }
}
