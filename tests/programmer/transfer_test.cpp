// The memory transfers of CLowIO against isp-sim, command by command, in virtual time.
#include "support/isp_bench.h"

#include "programmer/app/hex_writer.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace burnet;
using namespace burnettest;

namespace {

// Everything the progress bar was told.
class RecordingProgress : public ProgressControl {
public:
    void setRange(int low, int high) override { ranges.emplace_back(low, high); }
    void setPosition(int position) override { positions.push_back(position); }

    std::vector<std::pair<int, int>> ranges;
    std::vector<int> positions;
};

ProgrammerConfig withBlock(int size, ProgrammerConfig c = ProgrammerConfig::inSystemProgrammer()) {
    c.blockSize = size;
    return c;
}

ProgrammerConfig noAutoIncrement(ProgrammerConfig c) {
    c.autoIncrement = false;
    return c;
}

// Found, with the device selected and the command log cleared.
struct Target : Bench {
    Target(const char* partId, const char* rowName, ProgrammerConfig config) : Bench(partId, std::move(config)) {
        EXPECT_TRUE(find());
        io.ReadBlockSupport();
        EXPECT_TRUE(io.SelectDevice(row(rowName), 0));
        sent();
        image.assign(row(rowName).flashSize, 0xFF);
    }
    void put(std::uint32_t address, const QByteArray& bytes) {
        std::copy(bytes.begin(), bytes.end(), image.begin() + address);
    }
    std::vector<std::uint8_t> image;
};

QByteArray pattern(int size, std::uint32_t seed) {
    QByteArray b(size, '\0');
    std::uint32_t x = seed;
    for (int i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        b[i] = static_cast<char>((x >> 16) % 255);
    }
    return b;
}

QStringList repeated(const QString& text, int n) {
    QStringList list;
    for (int i = 0; i < n; ++i) list << text;
    return list;
}

// A whole transfer: programming mode, address 0, these commands, programming mode left.
QStringList transfer(const QStringList& commands) { return QStringList{"P", "A 00 00"} + commands + QStringList{"L"}; }

QStringList hexLines(const QByteArray& text) { return QString::fromLatin1(text).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts); }

// The HEX lines of a memory read back whole.
QStringList expectedHex(const QByteArray& memory) {
    QStringList lines;
    for (qsizetype line = 0; line < memory.size() / 16; ++line) {
        if (line % 4096 == 0) lines << QString::fromLatin1(HexSegmentRecord(static_cast<std::uint16_t>(line)).trimmed());
        const auto* data = reinterpret_cast<const std::uint8_t*>(memory.constData() + line * 16);
        lines << QString::fromLatin1(
            HexDataRecord(static_cast<std::uint16_t>(line * 16), std::span<const std::uint8_t, 16>(data, 16)).trimmed());
    }
    return lines << QStringLiteral(":00000001FF");
}

}  // namespace

TEST(ProgramFlash, ABlockCarriesOnlyTheWordsFromTheFirstToTheLastProgrammedByte) {
    Target t("m16", "ATmega16", withBlock(128));
    t.put(0x105, QByteArray("\x5A", 1));
    EXPECT_TRUE(t.io.ProgramFlash(t.image, 0x105, 128));
    EXPECT_EQ(t.sent(), (QStringList{"P", "A 00 00", "A 00 82", "B 00 02 46 FF 5A", "L"}));
    EXPECT_EQ(t.isp.chip().flash().mid(0x104, 2), QByteArray::fromHex("FF5A"));
}

TEST(ProgramFlash, AByteAddressedBlockStartsAtItsFirstProgrammedByte) {
    ProgrammerConfig config = withBlock(64, withoutDeviceList(0));
    Target t("89s52", "AT89S8252", config);
    t.put(3, QByteArray("\x13", 1));
    t.put(7, QByteArray("\x17", 1));
    EXPECT_TRUE(t.io.ProgramFlash(t.image, 7, 0));
    EXPECT_EQ(t.sent(), (QStringList{"P", "A 00 00", "A 00 03", "B 00 05 46 13 FF FF FF 17", "L"}));
    EXPECT_EQ(t.isp.chip().flash().left(8), QByteArray::fromHex("FFFFFF13FFFFFF17"));
}

TEST(ProgramFlash, WordModeSkipsErasedWordsAndClosesOnlyPagesItWroteInto) {
    struct Case {
        const char* what;
        bool autoIncrement;
        std::vector<std::pair<std::uint32_t, QByteArray>> data;
        std::uint32_t highest;
        QStringList commands;
    };
    const Case cases[] = {
        {"first page erased", true, {{0x40, QByteArray::fromHex("11223344")}}, 0x43,
         {"P", "A 00 00", "A 00 20", "c 11", "C 22", "c 33", "C 44", "A 00 20", "m", "L"}},
        {"first page erased, no auto-increment", false, {{0x40, QByteArray::fromHex("11223344")}}, 0x43,
         {"P", "A 00 00", "A 00 20", "c 11", "C 22", "A 00 21", "c 33", "C 44", "A 00 20", "m", "L"}},
        {"a full page, then a part of one", true,
         {{0x00, QByteArray::fromHex("0C94")}, {0x40, QByteArray::fromHex("5566")}}, 0x41,
         {"P", "A 00 00", "c 0C", "C 94", "A 00 00", "m", "A 00 20", "c 55", "C 66", "A 00 20", "m", "L"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgrammerConfig config = withBlock(0);
        config.autoIncrement = c.autoIncrement;
        Target t("m8", "ATmega8", config);
        for (const auto& [address, bytes] : c.data) t.put(address, bytes);
        EXPECT_TRUE(t.io.ProgramFlash(t.image, c.highest, 64));
        EXPECT_EQ(t.sent(), c.commands);
        for (const auto& [address, bytes] : c.data)
            EXPECT_EQ(t.isp.chip().flash().mid(address, bytes.size()), bytes);
    }
}

TEST(ProgramFlash, WholePageModeWritesEveryWordOfAPageThatHoldsData) {
    ProgrammerConfig config = withBlock(0, ProgrammerConfig::bootLoaderOf(part("m8")));
    Target t("m8", "ATmega8 BOOT", config);
    t.put(0x42, QByteArray::fromHex("3412"));
    EXPECT_TRUE(t.io.ProgramFlash(t.image, 0x43, 64));

    QStringList expected{"P", "A 00 00", "A 00 20"};
    for (int word = 0x20; word < 0x40; ++word)
        expected << (word == 0x21 ? QStringList{"c 34", "C 12"} : QStringList{"c FF", "C FF"});
    expected << "A 00 20" << "m" << "L";
    EXPECT_EQ(t.sent(), expected);
    EXPECT_EQ(t.isp.chip().flash().mid(0x40, 4), QByteArray::fromHex("FFFF3412"));
}

TEST(ProgramFlash, AHighestAddressOfZeroTransfersNothing) {
    Target t("m16", "ATmega16", withBlock(128));
    t.put(0, QByteArray("\x42", 1));
    EXPECT_TRUE(t.io.ProgramFlash(t.image, 0, 128));
    EXPECT_TRUE(t.io.VerifyFlash(t.image, 0));
    EXPECT_TRUE(t.io.ProgramEeprom(t.image, 0));
    EXPECT_TRUE(t.io.VerifyEeprom(t.image, 0));
    EXPECT_TRUE(t.sent().isEmpty());
    EXPECT_FALSE(t.io.inProgMode());
}

TEST(ProgramFlash, AFailedBlockWriteEndsTheTransferInProgrammingMode) {
    Target t("m16", "ATmega16", withBlock(128));
    LosingLine line(t.isp, 'B', 2);
    t.programmerWire->attach(&line);
    const QByteArray code = pattern(0x200, 7);
    t.put(0, code);
    EXPECT_FALSE(t.io.ProgramFlash(t.image, 0x1FF, 128));
    const QStringList sent = t.sent();
    ASSERT_EQ(sent.size(), 6);
    EXPECT_TRUE(sent[5].startsWith(QStringLiteral("B 00 80 46")));
    EXPECT_TRUE(t.io.inProgMode());
}

TEST(VerifyFlash, BlockReadsAreEvenAndTheLastByteIsFetchedToo) {
    struct Case {
        const char* part;
        const char* row;
        ProgrammerConfig config;
        std::uint32_t highest;
        QStringList reads;
    };
    const Case cases[] = {
        {"m16", "ATmega16", withBlock(128), 0x1FF, {"g 01 00 46", "g 01 00 46"}},
        {"m16", "ATmega16", withBlock(128), 0x200, {"g 01 00 46", "g 01 00 46", "g 00 02 46"}},
        {"89s52", "AT89S8252", withBlock(64, withoutDeviceList(0)), 4, {"g 00 04 46", "g 00 01 46"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.highest);
        Target t(c.part, c.row, c.config);
        const QByteArray code = pattern(static_cast<int>(c.highest) + 1, c.highest);
        t.put(0, code);
        t.isp.chip().presetFlash(0, code);
        EXPECT_TRUE(t.io.VerifyFlash(t.image, c.highest));
        EXPECT_EQ(t.sent(), transfer(c.reads));
    }
}

TEST(Verify, TheFirstDifferenceIsShownWithTheAddressAndBothValues) {
    struct Case {
        const char* what;
        const char* part;
        const char* row;
        ProgrammerConfig config;
        bool eeprom;
        std::uint32_t highest;
        std::uint32_t differs;
        QString message;
    };
    const Case cases[] = {
        {"flash blocks, words", "m16", "ATmega16", withBlock(128), false, 0x3FF, 0x235,
         "   地址: 0x011a, 原始数据: 0x5a5a, 芯片数据: 0x005a"},
        {"flash words", "m16", "ATmega16", withBlock(0), false, 0x3FF, 0x235,
         "   地址: 0x011a, 原始数据: 0x5a5a, 芯片数据: 0x005a"},
        // The highest address is even: its byte comes in a request of its own.
        {"flash blocks, bytes", "89s52", "AT89S8252", withBlock(64, withoutDeviceList(0)), false, 0x100, 0x100,
         "   地址: 0x0100, 原始数据: 0x5a, 芯片数据: 0x00"},
        {"flash bytes", "89s52", "AT89S8252", withBlock(0, withoutDeviceList(0)), false, 0x100, 0x100,
         "   地址: 0x0100, 原始数据: 0x005a, 芯片数据: 0x0000"},
        {"EEPROM blocks", "m16", "ATmega16", withBlock(128), true, 0x1FF, 0x1FF,
         "   地址: 0x01ff, 原始数据: 0x5a, 芯片数据: 0x00"},
        {"EEPROM bytes", "m16", "ATmega16", noAutoIncrement(withBlock(0)), true, 0x1FF, 0x1FF,
         "   地址: 0x01ff, 原始数据: 0x5a, 芯片数据: 0x00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Target t(c.part, c.row, c.config);
        QByteArray data(static_cast<qsizetype>(c.highest) + 1, '\x5A');
        t.put(0, data);
        data[c.differs] = '\0';
        if (c.eeprom) {
            t.isp.chip().presetEeprom(0, data);
            EXPECT_FALSE(t.io.VerifyEeprom(t.image, c.highest));
        } else {
            t.isp.chip().presetFlash(0, data);
            EXPECT_FALSE(t.io.VerifyFlash(t.image, c.highest));
        }
        EXPECT_EQ(t.dialogs.texts(), QStringList{c.message});
        EXPECT_NE(t.sent().last(), QStringLiteral("L"));
    }
}

TEST(Verify, ALostBlockReadFailsWithoutComparingAnything) {
    for (char memory : {'F', 'E'}) {
        SCOPED_TRACE(memory);
        Target t("m16", "ATmega16", withBlock(128));
        LosingLine line(t.isp, 'g', 2);
        t.programmerWire->attach(&line);
        t.put(0, pattern(0x200, 5));
        const bool ok = memory == 'F' ? t.io.VerifyFlash(t.image, 0x1FF) : t.io.VerifyEeprom(t.image, 0x1FF);
        EXPECT_FALSE(ok);
        EXPECT_TRUE(t.dialogs.shown().empty());
        const QStringList sent = t.sent();
        EXPECT_EQ(sent.size(), 4);
        EXPECT_TRUE(sent.last().startsWith(QStringLiteral("g 01 00")));
    }
}

TEST(ReadFlash, EightKilobytesWordByWordMakeOneSegmentRecordAndFiveHundredTwelveLines) {
    Target t("m8", "ATmega8", withBlock(0));
    const QByteArray flash = pattern(8192, 11);
    t.isp.chip().presetFlash(0, flash);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    EXPECT_TRUE(t.io.ReadFlash(out));
    const QStringList lines = hexLines(out.data());
    ASSERT_EQ(lines.size(), 514);
    EXPECT_EQ(lines.first(), QStringLiteral(":020000020000FC"));
    EXPECT_EQ(lines, expectedHex(flash));
    EXPECT_EQ(t.sent(), transfer(repeated(QStringLiteral("R"), 4096)));
}

TEST(ReadFlash, OneHundredTwentyEightKilobytesInBlocksGetASecondSegmentRecord) {
    Target t("m128", "ATmega128", withBlock(256));
    const QByteArray flash = pattern(131072, 13);
    t.isp.chip().presetFlash(0, flash);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    EXPECT_TRUE(t.io.ReadFlash(out));
    const QStringList lines = hexLines(out.data());
    ASSERT_EQ(lines.size(), 2 + 8192 + 1);
    EXPECT_EQ(lines[4097], QStringLiteral(":020000021000EC"));
    EXPECT_EQ(lines, expectedHex(flash));
    EXPECT_EQ(t.sent(), transfer(repeated(QStringLiteral("g 01 00 46"), 512)));
}

TEST(ReadFlash, ALostBlockReadWritesNothing) {
    Target t("m16", "ATmega16", withBlock(128));
    LosingLine line(t.isp, 'g', 3);
    t.programmerWire->attach(&line);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    EXPECT_FALSE(t.io.ReadFlash(out));
    EXPECT_TRUE(out.data().isEmpty());
    EXPECT_TRUE(t.io.inProgMode());
}

TEST(ReadEeprom, ReadsExactlyTheMemoryInBlocksOrByteByByte) {
    struct Case {
        const char* row;
        ProgrammerConfig config;
        QStringList reads;
    };
    const Case cases[] = {
        // 64 bytes: one request for exactly those, nothing beyond the memory.
        {"AT90S1200", withBlock(128, withoutDeviceList(0)), {"g 00 40 45"}},
        {"AT90S1200", withBlock(0, withoutDeviceList(0)), repeated(QStringLiteral("d"), 64)},
        {"AT90S8515", withBlock(128), {"g 01 00 45", "g 01 00 45"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        Target t("8515", c.row, c.config);
        const QByteArray eeprom = pattern(512, 17);
        t.isp.chip().presetEeprom(0, eeprom);
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        EXPECT_TRUE(t.io.ReadEeprom(out));
        EXPECT_EQ(hexLines(out.data()), expectedHex(eeprom.left(static_cast<qsizetype>(row(c.row).eepromSize))));
        EXPECT_EQ(t.sent(), transfer(c.reads));
    }
}

TEST(ProgramEeprom, EveryByteUpToTheHighestIsWrittenErasedOnesToo) {
    struct Case {
        ProgrammerConfig config;
        QStringList writes;
    };
    const QByteArray data = QByteArray(0x100, '\x5A') + QByteArray::fromHex("FF0102FF03");
    auto blockText = [&](int from, int n) {
        QString text = QStringLiteral("B %1 %2 45").arg(n >> 8, 2, 16, QLatin1Char('0')).arg(n & 0xFF, 2, 16, QLatin1Char('0'));
        for (int i = 0; i < n; ++i) text += QStringLiteral(" %1").arg(static_cast<std::uint8_t>(data[from + i]), 2, 16, QLatin1Char('0'));
        return text.toUpper();
    };
    QStringList singly;
    for (char b : data) singly << QStringLiteral("D %1").arg(static_cast<std::uint8_t>(b), 2, 16, QLatin1Char('0')).toUpper();
    const Case cases[] = {
        {withBlock(128), {"A 00 00", blockText(0, 128), "A 00 80", blockText(128, 128), "A 01 00", blockText(256, 5)}},
        {withBlock(0), singly},
    };
    for (const Case& c : cases) {
        Target t("m16", "ATmega16", c.config);
        t.isp.chip().presetEeprom(0x100, QByteArray::fromHex("0000000000"));
        t.put(0, data);
        EXPECT_TRUE(t.io.ProgramEeprom(t.image, 0x104));
        EXPECT_EQ(t.sent(), transfer(c.writes));
        EXPECT_EQ(t.isp.chip().eeprom().left(0x105), data);
    }
}

TEST(Progress, TheRangeStaysWithinSixteenBitsAndEndsAtZero) {
    Target t("m128", "ATmega128", withBlock(256));
    RecordingProgress progress;
    t.io.setProgressControl(&progress);
    t.put(0, pattern(131072, 19));
    EXPECT_TRUE(t.io.ProgramFlash(t.image, 0x1FFFF, 256));
    ASSERT_EQ(progress.ranges.size(), 1u);
    // 131071 bytes in steps of 3.
    EXPECT_EQ(progress.ranges[0], std::make_pair(0, 0x1FFFF / 3));
    EXPECT_TRUE(std::is_sorted(progress.positions.begin(), progress.positions.end() - 1));
    EXPECT_EQ(progress.positions[progress.positions.size() - 2], 0x1FFFF / 3);
    EXPECT_EQ(progress.positions.back(), 0);

    progress = {};
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    EXPECT_TRUE(t.io.ReadEeprom(out));
    EXPECT_EQ(progress.ranges[0], std::make_pair(0, 4096 / 16));
    EXPECT_EQ(progress.positions[progress.positions.size() - 2], 4096 / 16);
    EXPECT_EQ(progress.positions.back(), 0);
}
