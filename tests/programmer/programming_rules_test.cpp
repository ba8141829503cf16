#include "programmer/app/programming_rules.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

using namespace burnet;

TEST(AbbreviatePath, KeepsTheRootAndFirstFolderAndAsMuchOfTheEndAsFits) {
    struct Case {
        QString path;
        int chars;
        QString shown;
    };
    const Case cases[] = {
        {"/home/anna/fw/unit.hex", 29, "/home/anna/fw/unit.hex"},
        {"/home/anna/firmware/tvr/release/unit.hex", 40, "/home/anna/firmware/tvr/release/unit.hex"},
        {"/home/anna/firmware/tvr/release/unit.hex", 39, "/home/.../firmware/tvr/release/unit.hex"},
        {"/home/anna/firmware/tvr/release/unit.hex", 30, "/home/.../tvr/release/unit.hex"},
        {"/home/anna/firmware/tvr/release/unit.hex", 18, "/home/.../unit.hex"},
        // Not even the file name fits after the root: the file name alone.
        {"/home/anna/firmware/tvr/release/unit.hex", 17, "unit.hex"},
        {"/home/anna/firmware/tvr/release/a-very-long-file-name.hex", 20, "a-very-long-file-name.hex"},
        // Nothing between the first folder and the file to leave out.
        {"/home/a-long-file-name.hex", 10, "a-long-file-name.hex"},
        {"C:\\Work\\VELDAR\\firmware\\tvr\\unit.hex", 29, "C:\\Work\\...\\tvr\\unit.hex"},
        {"\\\\server\\share\\firmware\\tvr\\unit.hex", 31, "\\\\server\\share\\...\\tvr\\unit.hex"},
    };
    for (const Case& c : cases) EXPECT_EQ(AbbreviatePath(c.path, c.chars), c.shown) << c.path.toStdString() << " " << c.chars;
}

TEST(DeviceList, CodesWithoutARowAreLeftOutAndNamesSortRegardlessOfCase) {
    const auto rows = RowsForDeviceList(QByteArray::fromHex("7674E1433830FE"));
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(SortedDeviceNames(rows),
              (QStringList{"AT90S4433", "AT90S8515", "ATmega128", "ATmega16", "ATmega8"}));
    // Digits and blanks sort before letters: a part, its boot loader, its bigger sister.
    const auto family = RowsForDeviceList(QByteArray::fromHex("607461757236"));
    EXPECT_EQ(SortedDeviceNames(family),
              (QStringList{"ATmega16", "ATmega16 BOOT", "ATmega161", "ATmega161 BOOT", "ATmega32"}));
}

TEST(DeviceList, TheSavedNameSelectsTheLastEntryWhoseFirstSixteenCharactersItIs) {
    const QStringList entries{"AT90S1200 rev. A", "AT90S1200 rev. AB", "ATmega16", "ATmega16 BOOT"};
    struct Case {
        QString saved;
        int entry;
    };
    const Case cases[] = {
        {"ATmega16", 2},
        {"ATmega16 BOOT", 3},
        {"AT90S1200 rev. A", 1},
        {"atmega16", -1},
        {"ATmega1", -1},
        {"a name that matches no device", -1},
        {"", -1},
    };
    for (const Case& c : cases) EXPECT_EQ(RestoredDeviceEntry(entries, c.saved), c.entry) << c.saved.toStdString();
}

TEST(BootArea, TheFuseBitsHalveTheLargestSection) {
    struct Case {
        BootSizeRule rule;
        std::uint8_t fuseHigh;
        std::uint32_t words;
    };
    const Case cases[] = {
        {BootSizeRule::FuseHighMax1024, 0x99, 1024}, {BootSizeRule::FuseHighMax1024, 0x9B, 512},
        {BootSizeRule::FuseHighMax1024, 0x9D, 256},  {BootSizeRule::FuseHighMax1024, 0xFF, 128},
        {BootSizeRule::FuseHighMax2048, 0x00, 2048}, {BootSizeRule::FuseHighMax4096, 0x02, 2048},
        {BootSizeRule::Fixed512, 0xFF, 512},         {BootSizeRule::None, 0x00, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(BootSectionWords(c.rule, c.fuseHigh), c.words) << int(c.fuseHigh);
    EXPECT_TRUE(BootSizeFromFuses(BootSizeRule::FuseHighMax2048));
    EXPECT_FALSE(BootSizeFromFuses(BootSizeRule::Fixed512));
}

TEST(BootArea, ATransferEndingOnTheSectionsFirstByteEntersIt) {
    // 16 KiB with a 512-word section: the section starts at 0x3C00.
    struct Case {
        std::uint32_t highest;
        bool enters;
    };
    for (const Case c : {Case{0x3BFF, false}, Case{0x3C00, true}, Case{0x3C10, true}, Case{0x4000, true}})
        EXPECT_EQ(EntersBootArea(0x4000, 512, c.highest), c.enters) << c.highest;
    EXPECT_EQ(BootLimit(0x4000, 512), 0x3BFFu);
    EXPECT_FALSE(EntersBootArea(0x4000, 0, 0x3FFF));
}
