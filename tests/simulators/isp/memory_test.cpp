#include "isp_bench.h"

#include <gtest/gtest.h>

using namespace ispsim;
using ispsim::test::Bench;
using ispsim::test::bytes;
using ispsim::test::kCr;
using ispsim::test::kUnknown;

namespace {

ProgrammerConfig plainProgrammer(bool autoIncrement = true) {
    ProgrammerConfig c = ProgrammerConfig::inSystemProgrammer();
    c.blockSize = 0;
    c.autoIncrement = autoIncrement;
    return c;
}

// A bench in programming mode.
struct Session : Bench {
    explicit Session(const char* partId, ProgrammerConfig c = ProgrammerConfig::inSystemProgrammer())
        : Bench(partId, std::move(c)) {
        EXPECT_EQ(ask("P"), kCr);
    }
    void setAddress(int a) { EXPECT_EQ(ask(bytes({'A', a >> 8, a & 0xFF})), kCr); }
    void writeWord(int low, int high) {
        EXPECT_EQ(ask(bytes({'c', low})), kCr);
        EXPECT_EQ(ask(bytes({'C', high})), kCr);
    }
};

}  // namespace

TEST(Flash, PagedPartsWriteOnlyWhenThePageIsCommitted) {
    Session s("m16", plainProgrammer());
    s.setAddress(0x40);  // word address of the page at byte 0x80
    s.writeWord(0x0C, 0x94);
    s.writeWord(0x2A, 0x00);
    EXPECT_EQ(s.flash(0x80, 4), bytes({0xFF, 0xFF, 0xFF, 0xFF}));
    s.setAddress(0x40);
    EXPECT_EQ(s.ask("m"), kCr);
    EXPECT_EQ(s.flash(0x80, 5), bytes({0x0C, 0x94, 0x2A, 0x00, 0xFF}));
    s.setAddress(0x40);
    EXPECT_EQ(s.ask("R", 2), bytes({0x94, 0x0C}));
    EXPECT_EQ(s.ask("R", 2), bytes({0x00, 0x2A}));
}

// As on the real part, the page buffer is indexed by the low address bits and the page
// write's address chooses the page.
TEST(Flash, APageGoesWhereThePageWriteAddressSays) {
    Session s("m16", plainProgrammer());
    s.setAddress(0x01);
    s.writeWord(0x11, 0x22);
    s.setAddress(0x80);  // byte 0x100, two pages on
    s.ask("m");
    EXPECT_EQ(s.flash(0x100, 4), bytes({0xFF, 0xFF, 0x11, 0x22}));
    EXPECT_EQ(s.flash(0x000, 4), bytes({0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(Flash, LeavingProgrammingModeLosesTheLoadedPage) {
    Session s("m16", plainProgrammer());
    s.setAddress(0);
    s.writeWord(0x11, 0x22);
    s.ask("L");
    s.ask("P");
    s.setAddress(0);
    s.ask("m");
    EXPECT_EQ(s.flash(0, 2), bytes({0xFF, 0xFF}));
}

TEST(Flash, ProgrammingClearsBitsAndOnlyEraseSetsThem) {
    Session s("m16", plainProgrammer());
    s.isp.chip().presetFlash(0, bytes({0x0F, 0xF0}));
    s.setAddress(0);
    s.writeWord(0xF3, 0x3F);
    s.setAddress(0);
    s.ask("m");
    EXPECT_EQ(s.flash(0, 2), bytes({0x03, 0x30}));
    EXPECT_EQ(s.ask("e"), kCr);
    EXPECT_EQ(s.flash(0, 2), bytes({0xFF, 0xFF}));
}

TEST(Flash, PartsWithoutPagesProgramEachByteAtOnce) {
    Session s("8515", plainProgrammer());
    s.setAddress(0x10);
    s.writeWord(0x12, 0x34);
    s.writeWord(0x56, 0x78);  // auto-increment after the high byte
    EXPECT_EQ(s.flash(0x20, 4), bytes({0x12, 0x34, 0x56, 0x78}));
    EXPECT_EQ(s.ask("m"), kCr);  // no pages: nothing to commit
    EXPECT_EQ(s.flash(0x20, 4), bytes({0x12, 0x34, 0x56, 0x78}));
}

TEST(Flash, ByteAddressedPartsTakeBytesWithCAndReadOneByte) {
    Session s("89s52", plainProgrammer());
    s.setAddress(0x1FFE);
    EXPECT_EQ(s.ask(bytes({'c', 0xA5})), kCr);
    EXPECT_EQ(s.ask(bytes({'c', 0x5A})), kCr);
    EXPECT_EQ(s.ask(bytes({'C', 0x00})), kUnknown);
    EXPECT_EQ(s.flash(0x1FFE, 2), bytes({0xA5, 0x5A}));
    s.setAddress(0x1FFE);
    EXPECT_EQ(s.ask("R", 2), bytes({0xA5}));
    EXPECT_EQ(s.ask("R", 2), bytes({0x5A}));
}

TEST(Flash, WithoutAutoIncrementTheAddressStays) {
    Session s("8515", plainProgrammer(false));
    s.isp.chip().presetFlash(0, bytes({1, 2, 3, 4}));
    s.setAddress(0);
    EXPECT_EQ(s.ask("R", 2), bytes({2, 1}));
    EXPECT_EQ(s.ask("R", 2), bytes({2, 1}));
    s.writeWord(0x00, 0x00);
    s.writeWord(0xF0, 0xF0);
    EXPECT_EQ(s.flash(0, 4), bytes({0x00, 0x00, 3, 4}));
}

TEST(Flash, AddressesBeyondTheMemoryWrapAround) {
    Session s("m8", plainProgrammer());
    s.isp.chip().presetFlash(0, bytes({0xAB, 0xCD}));
    s.setAddress(0x1000);  // word 4096 of a 4096-word flash
    EXPECT_EQ(s.ask("R", 2), bytes({0xCD, 0xAB}));
    EXPECT_EQ(s.ask(bytes({'H', 0x01, 0x00, 0x00})), kCr);  // the three-byte address
    EXPECT_EQ(s.ask("R", 2), bytes({0xCD, 0xAB}));
}

TEST(BlockMode, AFlashBlockAcrossAPageBoundaryWritesBothPages) {
    Session s("m8");  // 64-byte pages, 128-byte blocks
    QByteArray data;
    for (int i = 0; i < 96; ++i) data.append(static_cast<char>(i));
    s.setAddress(0x10);  // byte 0x20, the middle of the first page
    EXPECT_EQ(s.ask(bytes({'B', 0, 96, 'F'}) + data), kCr);
    EXPECT_EQ(s.flash(0x20, 96), data);
    EXPECT_EQ(s.flash(0x00, 0x20), QByteArray(0x20, '\xFF'));
    // The address has moved on by the 48 words written.
    EXPECT_EQ(s.ask(bytes({'g', 0, 4, 'F'}), 4), bytes({0xFF, 0xFF, 0xFF, 0xFF}));
    s.setAddress(0x10);
    EXPECT_EQ(s.ask(bytes({'g', 0, 96, 'F'}), 96), data);
}

TEST(BlockMode, ByteAddressedBlocksStartAtTheByteAddress) {
    Session s("89s52");
    s.setAddress(3);
    EXPECT_EQ(s.ask(bytes({'B', 0, 5, 'F', 1, 0xFF, 0xFF, 0xFF, 2})), kCr);
    EXPECT_EQ(s.flash(2, 7), bytes({0xFF, 1, 0xFF, 0xFF, 0xFF, 2, 0xFF}));
}

// A refused block must still be taken off the line whole, so that what follows is read as
// the next command.
TEST(BlockMode, RefusedBlocksAreSkippedWhole) {
    struct Case {
        const char* why;
        ProgrammerConfig config;
        QByteArray block;
    } cases[] = {
        {"larger than the buffer", ProgrammerConfig::inSystemProgrammer(), bytes({'B', 0, 130, 'F'}) + QByteArray(130, 'S')},
        {"no block mode", plainProgrammer(), bytes({'B', 0, 4, 'F'}) + QByteArray(4, 'S')},
        {"unknown memory", ProgrammerConfig::inSystemProgrammer(), bytes({'B', 0, 4, 'X'}) + QByteArray(4, 'S')},
    };
    for (const Case& c : cases) {
        Session s("m16", c.config);
        s.setAddress(0);
        EXPECT_EQ(s.ask(c.block), kUnknown) << c.why;
        EXPECT_EQ(s.ask("V", 2), "14") << c.why;
        EXPECT_EQ(s.flash(0, 4), QByteArray(4, '\xFF')) << c.why;
    }
}

TEST(Eeprom, BytesAreWrittenAndReadOneByOneAndByBlock) {
    Session s("m16");
    s.setAddress(0x1FE);
    EXPECT_EQ(s.ask(bytes({'D', 0x00})), kCr);
    EXPECT_EQ(s.ask(bytes({'D', 0x7E})), kCr);
    EXPECT_EQ(s.eeprom(0x1FE, 2), bytes({0x00, 0x7E}));
    // An EEPROM write erases first: any value can follow any other.
    s.setAddress(0x1FE);
    EXPECT_EQ(s.ask(bytes({'D', 0xFF})), kCr);
    EXPECT_EQ(s.eeprom(0x1FE, 1), bytes({0xFF}));
    s.setAddress(0x10);
    EXPECT_EQ(s.ask(bytes({'B', 0, 3, 'E', 1, 2, 3})), kCr);
    s.setAddress(0x10);
    EXPECT_EQ(s.ask(bytes({'g', 0, 3, 'E'}), 3), bytes({1, 2, 3}));
    s.setAddress(0x11);
    EXPECT_EQ(s.ask("d"), bytes({2}));
    EXPECT_EQ(s.ask("d"), bytes({3}));
}

TEST(Eeprom, ChipEraseClearsItUnlessEesaveIsProgrammed) {
    for (bool eesave : {false, true}) {
        Session s("m16");
        s.isp.chip().presetEeprom(0, bytes({0x42}));
        if (eesave) s.isp.chip().setFuse(Fuse::High, 0x99 & ~0x08);
        s.ask("e");
        EXPECT_EQ(s.eeprom(0, 1), eesave ? bytes({0x42}) : bytes({0xFF})) << eesave;
    }
}

TEST(Eeprom, APartWithoutEepromReadsErasedAndIgnoresWrites) {
    Session s("89s52");
    s.setAddress(0);
    EXPECT_EQ(s.ask(bytes({'D', 0x12})), kCr);
    EXPECT_EQ(s.ask("d"), bytes({0xFF}));
    EXPECT_TRUE(s.isp.chip().eeprom().isEmpty());
}
