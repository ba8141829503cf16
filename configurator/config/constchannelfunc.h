#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

// `Constchannelfunc`: a channel's sensor constants, between the 84-byte block the unit and
// the settings image hold and the 25 rows of the sensor page.
namespace veldar {

inline constexpr int kChannelConstantsValues = 42;
inline constexpr int kChannelConstantsBytes = 84;
inline constexpr int kConstantRows = 25;

// Rows with a meaning of their own.
inline constexpr int kAddressRow = 0;
inline constexpr int kRegimeRow = 2;
inline constexpr int kLiquidRow = 3;

// Where the rows stand in the scroll box when all of them are shown.
inline constexpr int kFirstRowTop = 13;
inline constexpr int kRowStep = 24;
inline constexpr int rowTop(int place) { return kFirstRowTop + kRowStep * place; }

// The 42 values in block order, as integers (the encoder keeps whatever the rows gave;
// serialising keeps the low bits of each).
struct ChannelConstants {
    std::array<std::int64_t, kChannelConstantsValues> values{};
};

// Big-endian: value 0 in one byte, value 3 in three, every other value in two.
QByteArray serialiseChannelConstants(const ChannelConstants& constants);
// From the first 84 bytes (a file block has 128); nullopt when there are fewer.
std::optional<ChannelConstants> parseChannelConstants(const QByteArray& bytes);

using ConstantRowTexts = std::array<QString, kConstantRows>;

struct EncodedConstants {
    QByteArray bytes;  // 84 bytes, empty when a row is not a number
    int badRow = -1;   // the first row whose text is not a number
    bool ok() const { return badRow < 0; }
};

// The block the page's rows stand for. Values without a row are written as 0.
EncodedConstants encodeChannelConstants(const ConstantRowTexts& rows, QChar separator);
// The rows showing a block; nullopt when it is shorter than 84 bytes.
std::optional<ConstantRowTexts> decodeChannelConstants(const QByteArray& bytes, QChar separator);

// Sensor regimes, the high byte of value 2.
inline constexpr std::uint8_t kRegimeWeight = 0x91;
inline constexpr std::uint8_t kRegimeWeightAndPressure = 0xD1;
inline constexpr std::uint8_t kRegimeDensityMeter = 0x09;
inline const QString kUnknownRegimeText = QStringLiteral("Режим работы неопределен");
// Liquid types 1..13, the low byte of value 2.
inline constexpr int kLiquidTypes = 13;
inline const QString kUnknownLiquidText = QStringLiteral("Не определен");

// The three regimes in the order the regime dialog offers them.
QStringList regimeTexts();
QString regimeText(std::uint8_t code);
// 0 for any text that is not one of the three regimes.
std::uint8_t regimeCode(const QString& text);
QString liquidText(std::uint8_t code);
// 0 for any text that is not exactly one of the thirteen liquids.
std::uint8_t liquidCode(const QString& text);

// Where a row of the page stands.
struct RowPlace {
    bool shown = true;
    int top = 0;
};
using RowPlaces = std::array<RowPlace, kConstantRows>;

// Every row shown at its own place.
RowPlaces allRowsShown();
// The rows laid out for a regime text. A known regime hides its rows and stacks the others
// from the top; any other text shows rows 0..20 at their own places and leaves 21..24 where
// and as they were. Hidden rows keep their top.
RowPlaces rowPlacesForRegime(const QString& regime, const RowPlaces& current);

}  // namespace veldar
