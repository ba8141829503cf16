// The channel constants block between bytes and the 25 rows of the sensor page.
#include "configurator/config/constchannelfunc.h"

#include <gtest/gtest.h>

using namespace veldar;

namespace {

// The block a new settings image holds for every channel.
const QByteArray kDefaultBlock = QByteArray::fromHex(
    "001B58D1010186A00DAC00320DAC0DAC0DAC086B086B086B0B8606A4"
    "03840000000000000ADC157D272703B686C500C807080002001E0001"
    "0A010000001202E4002D003C00001D240000009F0064096009C400C8");

const QChar kComma(QLatin1Char(','));

ConstantRowTexts defaultRows() { return *decodeChannelConstants(kDefaultBlock, kComma); }

std::uint16_t valueAt(const QByteArray& block, int offset) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(block[offset]) << 8 |
                                      static_cast<std::uint8_t>(block[offset + 1]));
}

std::vector<int> hiddenRows(const RowPlaces& places) {
    std::vector<int> rows;
    for (int row = 0; row < kConstantRows; ++row)
        if (!places[static_cast<std::size_t>(row)].shown) rows.push_back(row);
    return rows;
}

}  // namespace

TEST(ChannelConstants, TheDefaultBlockShowsItsValuesWithTheLocaleSeparator) {
    const char* const expected[kConstantRows] = {
        "0",      "7000", "Одноэлектродный датчик VLK-2R с датчиком давления", "Пропан", "100000", "3500",
        "50",     "3500", "215,5", "2950", "0",     "2,78", "5,501", "3,4501", "0,001", "2,561", "0",
        "0,045",  "0,06", "0,746", "15,9", "100",   "2400", "2500",  "200",
    };
    const ConstantRowTexts rows = defaultRows();
    for (int row = 0; row < kConstantRows; ++row)
        EXPECT_EQ(rows[static_cast<std::size_t>(row)], QString::fromUtf8(expected[row])) << "row " << row;
    EXPECT_EQ(decodeChannelConstants(kDefaultBlock, QLatin1Char('.'))->at(8), QStringLiteral("215.5"));
}

TEST(ChannelConstants, ReEncodingTheDefaultPageZeroesExactlyTheValuesWithoutARow) {
    const EncodedConstants encoded = encodeChannelConstants(defaultRows(), kComma);
    ASSERT_TRUE(encoded.ok());
    ASSERT_EQ(encoded.bytes.size(), kChannelConstantsBytes);
    const auto before = parseChannelConstants(kDefaultBlock)->values;
    const auto after = parseChannelConstants(encoded.bytes)->values;
    const std::vector<int> withoutRow{7, 8, 10, 11, 13, 14, 16, 17, 20, 21, 23, 24, 25, 26, 30, 31, 34, 36};
    for (int v = 0; v < kChannelConstantsValues; ++v) {
        const bool zeroed = std::find(withoutRow.begin(), withoutRow.end(), v) != withoutRow.end();
        EXPECT_EQ(after[static_cast<std::size_t>(v)], zeroed ? 0 : before[static_cast<std::size_t>(v)]) << "value " << v;
    }
    // A block the page itself wrote comes back byte for byte.
    EXPECT_EQ(encodeChannelConstants(*decodeChannelConstants(encoded.bytes, kComma), kComma).bytes, encoded.bytes);
}

TEST(ChannelConstants, RowsGoIntoTheirFieldsKeepingTheLowBits) {
    const struct {
        int row;
        const char* text;
        int offset;      // of the field's last two bytes
        std::uint16_t stored;
    } cases[] = {
        {0, "300", 0, 0x2C1B},       // address 44; the next byte is the answer time's high byte
        {0, "101,9", 0, 0x651B},     // cut toward zero
        {16, "-5", 58, 0xFFFB},      // dU, signed
        {18, "-0,06", 66, 0xFFC4},   // TS × 1000, signed
        {17, "65,531", 64, 0xFFFB},  // TC × 1000
        {8, "215,5", 18, 2155},      // CK1 × 10
        {8, "215,59", 18, 2155},
        {14, "0,001", 54, 1},        // dP × 1000
        {19, "-0,746", 70, 0xE2DC},  // K × 10000
        {20, "70000", 74, 0xAE60},   // 700000 keeps its low 16 bits
        {4, "16777217", 6, 0x0001},  // V0's three bytes wrap
        {4, "123456", 6, 0xE240},
        {24, " 200 ", 82, 200},
    };
    for (const auto& c : cases) {
        ConstantRowTexts rows = defaultRows();
        rows[static_cast<std::size_t>(c.row)] = QString::fromUtf8(c.text);
        const EncodedConstants encoded = encodeChannelConstants(rows, kComma);
        ASSERT_TRUE(encoded.ok()) << c.text;
        EXPECT_EQ(valueAt(encoded.bytes, c.offset), c.stored) << "row " << c.row << " " << c.text;
    }
    ConstantRowTexts wrapped = defaultRows();
    wrapped[4] = QStringLiteral("16777217");
    EXPECT_EQ(encodeChannelConstants(wrapped, kComma).bytes.mid(5, 3), QByteArray::fromHex("000001"));
}

TEST(ChannelConstants, SignedAndUnsignedFieldsReadBackDifferently) {
    QByteArray block = kDefaultBlock;
    block[58] = char(0xFF);  // dU
    block[59] = char(0xFB);
    block[64] = char(0xFF);  // TC
    block[65] = char(0xFB);
    block[66] = char(0xFF);  // TS
    block[67] = char(0xC4);
    block[0] = char(0xFF);   // address
    const ConstantRowTexts rows = *decodeChannelConstants(block, kComma);
    EXPECT_EQ(rows[16], QStringLiteral("-5"));
    EXPECT_EQ(rows[17], QStringLiteral("65,531"));
    EXPECT_EQ(rows[18], QStringLiteral("-0,06"));
    EXPECT_EQ(rows[0], QStringLiteral("255"));
    const QByteArray encoded = encodeChannelConstants(rows, kComma).bytes;
    EXPECT_EQ(encoded.mid(58, 2), block.mid(58, 2));
    EXPECT_EQ(encoded.mid(64, 4), block.mid(64, 4));
}

TEST(ChannelConstants, RegimeAndLiquidMakeTheTwoBytesOfValueTwo) {
    const struct {
        const char* regime;
        const char* liquid;
        std::uint16_t stored;
    } cases[] = {
        {"Плотномер", "Бутан", 0x0900},
        {"Плотномер", "Не определен", 0x0900},
        {"Одноэлектродный датчик VLK-2R", "ШФЛУ", 0x910D},
        {"Одноэлектродный датчик VLK-2R с датчиком давления", "Смесь 90", 0xD102},
        {"Режим работы неопределен", "Смесь 10", 0x000A},
        {"одноэлектродный датчик VLK-2R", "Пропан ", 0x0000},
    };
    for (const auto& c : cases) {
        ConstantRowTexts rows = defaultRows();
        rows[kRegimeRow] = QString::fromUtf8(c.regime);
        rows[kLiquidRow] = QString::fromUtf8(c.liquid);
        EXPECT_EQ(valueAt(encodeChannelConstants(rows, kComma).bytes, 3), c.stored) << c.regime << " " << c.liquid;
    }
}

TEST(ChannelConstants, CodesWithoutATextReadAsUndetermined) {
    const struct {
        std::uint8_t regime;
        std::uint8_t liquid;
        const char* regimeShown;
        const char* liquidShown;
    } cases[] = {
        {0x91, 11, "Одноэлектродный датчик VLK-2R", "Бутан"},
        {0x09, 12, "Плотномер", "ББФ"},
        {0x00, 0, "Режим работы неопределен", "Не определен"},
        {0x90, 14, "Режим работы неопределен", "Не определен"},
        {0xFF, 0xFF, "Режим работы неопределен", "Не определен"},
    };
    for (const auto& c : cases) {
        QByteArray block = kDefaultBlock;
        block[3] = static_cast<char>(c.regime);
        block[4] = static_cast<char>(c.liquid);
        const ConstantRowTexts rows = *decodeChannelConstants(block, kComma);
        EXPECT_EQ(rows[kRegimeRow], QString::fromUtf8(c.regimeShown)) << int(c.regime);
        EXPECT_EQ(rows[kLiquidRow], QString::fromUtf8(c.liquidShown)) << int(c.liquid);
    }
}

TEST(ChannelConstants, TheFirstRowThatIsNotANumberStopsTheEncoding) {
    const struct {
        int row;
        const char* text;
    } cases[] = {{0, ""}, {1, "7000x"}, {8, "215.5"}, {13, "3,45,01"}, {24, "abc"}, {16, "- 5"}};
    for (const auto& c : cases) {
        ConstantRowTexts rows = defaultRows();
        rows[static_cast<std::size_t>(c.row)] = QString::fromUtf8(c.text);
        const EncodedConstants encoded = encodeChannelConstants(rows, kComma);
        EXPECT_EQ(encoded.badRow, c.row) << c.text;
        EXPECT_TRUE(encoded.bytes.isEmpty());
    }
    ConstantRowTexts rows = defaultRows();
    rows[20] = QStringLiteral("x");
    rows[5] = QStringLiteral("y");
    EXPECT_EQ(encodeChannelConstants(rows, kComma).badRow, 5);
    // The regime and liquid rows are texts, never numbers.
    rows = defaultRows();
    rows[kRegimeRow] = QStringLiteral("x");
    EXPECT_TRUE(encodeChannelConstants(rows, kComma).ok());
}

TEST(ChannelConstants, AFileBlockDecodesFromItsFirstEightyFourBytesAndAShortOneNotAtAll) {
    EXPECT_EQ(decodeChannelConstants(kDefaultBlock + QByteArray(44, char(0xFF)), kComma), defaultRows());
    EXPECT_FALSE(decodeChannelConstants(kDefaultBlock.left(83), kComma));
    EXPECT_FALSE(parseChannelConstants(QByteArray()));
}

TEST(ConstantRowLayout, EachRegimeHidesItsRowsAndStacksTheOthersFromTheTop) {
    const struct {
        const char* regime;
        std::vector<int> hidden;
    } cases[] = {
        {"Одноэлектродный датчик VLK-2R", {11, 13, 14, 15, 16, 20, 24}},
        {"Одноэлектродный датчик VLK-2R с датчиком давления", {11, 13, 24}},
        {"Плотномер", {3, 4, 5, 6, 9, 12, 14, 15, 16, 18, 19, 20, 21, 22, 23}},
    };
    for (const auto& c : cases) {
        const RowPlaces places = rowPlacesForRegime(QString::fromUtf8(c.regime), allRowsShown());
        EXPECT_EQ(hiddenRows(places), c.hidden) << c.regime;
        int place = 0;
        for (const RowPlace& p : places) {
            if (!p.shown) continue;
            EXPECT_EQ(p.top, 13 + 24 * place++) << c.regime;
        }
        EXPECT_EQ(place, kConstantRows - static_cast<int>(c.hidden.size()));
    }
    const RowPlaces density = rowPlacesForRegime(QStringLiteral("Плотномер"), allRowsShown());
    EXPECT_EQ(density[7].top, 13 + 24 * 3);
    EXPECT_EQ(density[24].top, 13 + 24 * 9);
    EXPECT_EQ(density[21].top, 13 + 24 * 21);  // hidden rows stay where they were
}

TEST(ConstantRowLayout, AnUnknownRegimeShowsRowsUpToTwentyAndLeavesTheRestAsTheyWere) {
    const RowPlaces density = rowPlacesForRegime(QStringLiteral("Плотномер"), allRowsShown());
    const RowPlaces unknown = rowPlacesForRegime(kUnknownRegimeText, density);
    for (int row = 0; row <= 20; ++row) {
        EXPECT_TRUE(unknown[static_cast<std::size_t>(row)].shown) << row;
        EXPECT_EQ(unknown[static_cast<std::size_t>(row)].top, 13 + 24 * row) << row;
    }
    for (int row = 21; row < kConstantRows; ++row) {
        EXPECT_EQ(unknown[static_cast<std::size_t>(row)].shown, density[static_cast<std::size_t>(row)].shown) << row;
        EXPECT_EQ(unknown[static_cast<std::size_t>(row)].top, density[static_cast<std::size_t>(row)].top) << row;
    }
    EXPECT_EQ(hiddenRows(unknown), (std::vector<int>{21, 22, 23}));
    EXPECT_EQ(hiddenRows(rowPlacesForRegime(QString(), allRowsShown())), std::vector<int>{});
}
