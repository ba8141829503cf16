#include "programmer/app/hex_file.h"
#include "programmer/app/hex_writer.h"
#include "programmer/app/memory_image.h"

#include <gtest/gtest.h>

#include <QBuffer>

#include <array>
#include <numeric>

using namespace burnet;

namespace {

class HexFile : public ::testing::Test {
protected:
    QBuffer& file(const QByteArray& text) {
        buffer_.close();
        buffer_.setData(text);
        buffer_.open(QIODevice::ReadOnly);
        return buffer_;
    }
    HexLoadResult load(const QByteArray& text, std::size_t imageSize = 0x100) {
        image.allocate(imageSize);
        return LoadHex(file(text), image);
    }
    QByteArray at(std::size_t address, std::size_t n) const {
        return QByteArray(reinterpret_cast<const char*>(image.bytes.data() + address), static_cast<qsizetype>(n));
    }

    MemoryImage image;

private:
    QBuffer buffer_;
};

}  // namespace

TEST_F(HexFile, ValidityIsJudgedLineByLine) {
    struct Case {
        const char* name;
        QByteArray text;
        bool valid;
        int badLine;
    };
    const QByteArray longLine = ":" + QByteArray(254, '0');
    const Case cases[] = {
        {"records", ":0100000055AA\n:00000001FF\n", true, 0},
        {"leading white space", "  :0100000055AA\n\t:00000001FF", true, 0},
        {"CR LF line ends", ":0100000055AA\r\n:00000001FF\r\n", true, 0},
        {"lower case", ":0100000055aa\n", true, 0},
        {"blank line between records", ":0100000055AA\n\n:00000001FF\n", false, 2},
        {"line of blanks", ":0100000055AA\n   \n", false, 2},
        {"not a record", ":0100000055AA\nhello\n", false, 2},
        {"254 characters and the line end", longLine.chopped(1) + "\n", true, 0},
        // The line end is left over as a piece of its own, which is blank.
        {"255 characters and the line end", longLine + "\n", false, 1},
        {"longer line: the rest is judged alone", longLine + "00\n", false, 1},
    };
    for (const Case& c : cases) {
        int badLine = 0;
        EXPECT_EQ(IsHexFile(file(c.text), &badLine), c.valid) << c.name;
        EXPECT_EQ(badLine, c.badLine) << c.name;
    }
}

TEST_F(HexFile, DataRecordsFillTheImageAndTheHighestAddress) {
    const HexLoadResult r = load(":0400100001020304E2\n:0200200055AADF\n:00000001FF\n");
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(r.dataBytes, 6u);
    EXPECT_EQ(at(0x10, 4), QByteArray::fromHex("01020304"));
    EXPECT_EQ(at(0x20, 2), QByteArray::fromHex("55AA"));
    EXPECT_EQ(at(0x14, 12), QByteArray(12, '\xFF'));
    EXPECT_EQ(image.highestAddress, 0x21u);
}

TEST_F(HexFile, LoadErasesWhatAnEarlierLoadLeft) {
    image.allocate(0x40);
    std::fill(image.bytes.begin(), image.bytes.end(), 0x00);
    image.highestAddress = 0x3F;
    EXPECT_TRUE(LoadHex(file(":0100000055AA\n"), image).valid);
    EXPECT_EQ(at(0, 2), QByteArray::fromHex("55FF"));
    EXPECT_EQ(image.highestAddress, 0u);
}

TEST_F(HexFile, LowerCaseDigitsAreAccepted) {
    EXPECT_TRUE(load(":0400000001020304f2\n:01000400aB50\n").valid);
    EXPECT_EQ(at(0, 4), QByteArray::fromHex("01020304"));
    EXPECT_EQ(at(4, 1), QByteArray::fromHex("AB"));
}

TEST_F(HexFile, BytesPastTheImageAreDroppedButRaiseTheHighestAddress) {
    const HexLoadResult r = load(":04000E0001020304E4\n", 0x10);
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(at(0x0E, 2), QByteArray::fromHex("0102"));
    EXPECT_EQ(image.highestAddress, 0x11u);
    EXPECT_EQ(image.bytes.size(), 0x10u);
}

TEST_F(HexFile, ExtendedSegmentAddressMovesTheRecordsBeyond64K) {
    EXPECT_TRUE(load(":020000021000EC\n:0400000001020304F2\n", 0x20000).valid);
    EXPECT_EQ(at(0x10000, 4), QByteArray::fromHex("01020304"));
    EXPECT_EQ(at(0, 4), QByteArray(4, '\xFF'));
    EXPECT_EQ(image.highestAddress, 0x10003u);
}

TEST_F(HexFile, AddressesRunOnPast64KWithoutWrapping) {
    EXPECT_TRUE(load(":04FFFE0001020304F5\n", 0x20000).valid);
    EXPECT_EQ(at(0xFFFE, 4), QByteArray::fromHex("01020304"));
    EXPECT_EQ(at(0, 2), QByteArray(2, '\xFF'));
    EXPECT_EQ(image.highestAddress, 0x10001u);
}

TEST_F(HexFile, AWrongChecksumStillLoadsTheBytesButMakesTheFileInvalid) {
    const HexLoadResult r = load(":0100000055AA\n:0300000001020305\n");
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.badRecords, 1);
    EXPECT_EQ(r.firstBadLine, 2);
    EXPECT_EQ(r.firstError, HexRecordError::Checksum);
    EXPECT_EQ(at(0, 3), QByteArray::fromHex("010203"));
}

TEST_F(HexFile, ParsingGoesOnAfterABadRecord) {
    const HexLoadResult r = load("hello\n:0300000001020305\n:010010007778\n:0400000001\n");
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.badRecords, 3);
    EXPECT_EQ(r.firstBadLine, 1);
    EXPECT_EQ(r.firstError, HexRecordError::Syntax);
    EXPECT_EQ(at(0x10, 1), QByteArray::fromHex("77"));
    EXPECT_EQ(image.highestAddress, 0x10u);
}

TEST_F(HexFile, OtherRecordTypesChangeNothing) {
    // Extended linear address (04), start addresses (03, 05), end of file (01) with data after it.
    const HexLoadResult r =
        load(":020000040001F9\n:0400000312345678E5\n:04000005000000CD2A\n:00000001FF\n:0100000055AA\n", 0x20000);
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(at(0, 1), QByteArray::fromHex("55"));
    EXPECT_EQ(at(0x10000, 1), QByteArray::fromHex("FF"));
    EXPECT_EQ(image.highestAddress, 0u);
}

TEST_F(HexFile, ASegmentRecordWithAnAddressIsBadAndKeepsThePreviousBase) {
    const HexLoadResult r = load(":020000020010EC\n:020010021000DC\n:0100000055AA\n", 0x200);
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.firstBadLine, 2);
    EXPECT_EQ(r.firstError, HexRecordError::SegmentAddress);
    EXPECT_EQ(at(0x100, 1), QByteArray::fromHex("55"));
}

TEST_F(HexFile, ASegmentRecordWithAWrongChecksumIsBadButStillApplies) {
    const HexLoadResult r = load(":020000020010ED\n:0100000055AA\n", 0x200);
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.firstError, HexRecordError::Checksum);
    EXPECT_EQ(at(0x100, 1), QByteArray::fromHex("55"));
}

TEST_F(HexFile, AnEmptyDataRecordLeavesTheHighestAddressAlone) {
    EXPECT_TRUE(load(":0100100055" "9A\n:0080000080\n").valid);
    EXPECT_EQ(image.highestAddress, 0x10u);
}

TEST_F(HexFile, TheHighestAddressNeverFallsBack) {
    EXPECT_TRUE(load(":0100400055" "6A\n:0100000055AA\n").valid);
    EXPECT_EQ(image.highestAddress, 0x40u);
}

TEST(HexWriter, RecordsAreUpperCaseWithChecksumAndLineEnd) {
    EXPECT_EQ(HexSegmentRecord(0), QByteArray(":020000020000FC\r\n"));
    EXPECT_EQ(HexSegmentRecord(0x1000), QByteArray(":020000021000EC\r\n"));
    EXPECT_EQ(HexEndRecord(), QByteArray(":00000001FF\r\n"));
    std::array<std::uint8_t, 16> data{};
    std::iota(data.begin(), data.end(), std::uint8_t{0xF0});
    EXPECT_EQ(HexDataRecord(0x1234, data), QByteArray(":10123400F0F1F2F3F4F5F6F7F8F9FAFBFCFDFEFF32\r\n"));
    const std::array<std::uint8_t, 4> zeroSum{0x80, 0x40, 0x20, 0x20};
    EXPECT_EQ(HexChecksum(zeroSum), 0x00);
}

TEST_F(HexFile, WrittenRecordsLoadBack) {
    std::array<std::uint8_t, 16> low{}, high{};
    std::iota(low.begin(), low.end(), std::uint8_t{1});
    std::iota(high.begin(), high.end(), std::uint8_t{0x81});
    const QByteArray text = HexSegmentRecord(0) + HexDataRecord(0x0000, low) + HexSegmentRecord(0x1000) +
                            HexDataRecord(0xFFF0, high) + HexEndRecord();
    const HexLoadResult r = load(text, 0x20000);
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(at(0, 16), QByteArray(reinterpret_cast<const char*>(low.data()), 16));
    EXPECT_EQ(at(0x1FFF0, 16), QByteArray(reinterpret_cast<const char*>(high.data()), 16));
    EXPECT_EQ(image.highestAddress, 0x1FFFFu);
}
