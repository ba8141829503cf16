#include "constchannelfunc.h"

#include "platform/text/numbers.h"

#include <initializer_list>

namespace veldar {
namespace {

constexpr int kNoRow = -1;
constexpr int kRegimeValue = 2;
constexpr int kMixedRows = 21;  // rows 21..24 stay as they were under an unknown regime

// One value of the block: its width, how it is read back, and the row that shows it
// (value × 1/divisor).
struct Field {
    int bytes;
    bool isSigned;
    int row;
    int divisor;
};

constexpr Field plain(int row) { return {2, false, row, 1}; }
constexpr Field scaled(int row, int divisor) { return {2, false, row, divisor}; }
constexpr Field hidden() { return {2, false, kNoRow, 1}; }

constexpr std::array<Field, kChannelConstantsValues> kFields{{
    {1, false, 0, 1},        // 0 sensor address
    plain(1),                // 1 answer time
    hidden(),                // 2 regime and liquid, rows 2 and 3 by text
    {3, false, 4, 1},        // 3 V0
    plain(5),                // 4 L0
    plain(6),                // 5 X
    plain(7),                // 6 T01
    hidden(),                // 7
    hidden(),                // 8
    scaled(8, 10),           // 9 CK1
    hidden(),                // 10
    hidden(),                // 11
    plain(9),                // 12 L1
    hidden(),                // 13
    hidden(),                // 14
    scaled(10, 10),          // 15 CD
    hidden(),                // 16
    hidden(),                // 17
    scaled(11, 1000),        // 18 Kd
    scaled(12, 1000),        // 19 CL
    hidden(),                // 20
    hidden(),                // 21
    scaled(13, 10000),       // 22 K1
    hidden(),                // 23
    hidden(),                // 24
    hidden(),                // 25
    hidden(),                // 26
    scaled(14, 1000),        // 27 dP
    scaled(15, 1000),        // 28 kP
    {2, true, 16, 1},        // 29 dU
    hidden(),                // 30
    hidden(),                // 31
    scaled(17, 1000),        // 32 TC
    {2, true, 18, 1000},     // 33 TS
    {2, true, kNoRow, 1},    // 34
    {2, true, 19, 10000},    // 35 K
    {2, true, kNoRow, 1},    // 36
    scaled(20, 10),          // 37 pressure setpoint
    plain(21),               // 38 minimum
    plain(22),               // 39 maximum
    plain(23),               // 40 alarm maximum
    plain(24),               // 41 vapour
}};

constexpr int blockBytes() {
    int n = 0;
    for (const Field& f : kFields) n += f.bytes;
    return n;
}
static_assert(blockBytes() == kChannelConstantsBytes);

constexpr std::uint32_t rowMask(std::initializer_list<int> rows) {
    std::uint32_t mask = 0;
    for (int row : rows) mask |= 1u << row;
    return mask;
}

struct Regime {
    std::uint8_t code;
    const char* text;
    std::uint32_t hiddenRows;
};

const Regime kRegimes[] = {
    {kRegimeWeight, "Одноэлектродный датчик VLK-2R", rowMask({11, 13, 14, 15, 16, 20, 24})},
    {kRegimeWeightAndPressure, "Одноэлектродный датчик VLK-2R с датчиком давления", rowMask({11, 13, 24})},
    {kRegimeDensityMeter, "Плотномер", rowMask({3, 4, 5, 6, 9, 12, 14, 15, 16, 18, 19, 20, 21, 22, 23})},
};

const char* const kLiquids[kLiquidTypes] = {
    "Пропан",   "Смесь 90", "Смесь 80", "Смесь 70", "Смесь 60", "Смесь 50", "Смесь 40",
    "Смесь 30", "Смесь 20", "Смесь 10", "Бутан",    "ББФ",      "ШФЛУ",
};

const Regime* regimeOf(const QString& text) {
    for (const Regime& r : kRegimes)
        if (text == QString::fromUtf8(r.text)) return &r;
    return nullptr;
}

std::int64_t readField(const QByteArray& bytes, int offset, const Field& f) {
    std::uint32_t raw = 0;
    for (int i = 0; i < f.bytes; ++i) raw = raw << 8 | static_cast<std::uint8_t>(bytes[offset + i]);
    if (f.isSigned) return static_cast<std::int16_t>(raw);
    return raw;
}

}  // namespace

QByteArray serialiseChannelConstants(const ChannelConstants& constants) {
    QByteArray out;
    out.reserve(kChannelConstantsBytes);
    for (std::size_t v = 0; v < kFields.size(); ++v) {
        const auto value = static_cast<std::uint64_t>(constants.values[v]);
        for (int shift = 8 * (kFields[v].bytes - 1); shift >= 0; shift -= 8)
            out.append(static_cast<char>(value >> shift & 0xFF));
    }
    return out;
}

std::optional<ChannelConstants> parseChannelConstants(const QByteArray& bytes) {
    if (bytes.size() < kChannelConstantsBytes) return std::nullopt;
    ChannelConstants constants;
    int offset = 0;
    for (std::size_t v = 0; v < kFields.size(); ++v) {
        constants.values[v] = readField(bytes, offset, kFields[v]);
        offset += kFields[v].bytes;
    }
    return constants;
}

EncodedConstants encodeChannelConstants(const ConstantRowTexts& rows, QChar separator) {
    ChannelConstants constants;
    for (std::size_t v = 0; v < kFields.size(); ++v) {
        const Field& f = kFields[v];
        if (f.row == kNoRow) continue;
        const QString& text = rows[static_cast<std::size_t>(f.row)];
        const auto value = f.divisor == 1 ? platform::text::truncatedDecimal(text, separator)
                                          : platform::text::scaledDecimal(text, f.divisor, separator);
        if (!value) return EncodedConstants{{}, f.row};
        constants.values[v] = *value;
    }
    const std::uint8_t regime = regimeCode(rows[kRegimeRow]);
    constants.values[kRegimeValue] =
        regime == kRegimeDensityMeter ? regime << 8 : regime << 8 | liquidCode(rows[kLiquidRow]);
    return EncodedConstants{serialiseChannelConstants(constants), -1};
}

std::optional<ConstantRowTexts> decodeChannelConstants(const QByteArray& bytes, QChar separator) {
    const auto constants = parseChannelConstants(bytes);
    if (!constants) return std::nullopt;
    ConstantRowTexts rows;
    for (std::size_t v = 0; v < kFields.size(); ++v) {
        const Field& f = kFields[v];
        if (f.row == kNoRow) continue;
        const std::int64_t value = constants->values[v];
        rows[static_cast<std::size_t>(f.row)] =
            f.divisor == 1 ? QString::number(value)
                           : platform::text::formatGeneral(static_cast<double>(value) / f.divisor, 15, separator);
    }
    const auto both = static_cast<std::uint16_t>(constants->values[kRegimeValue]);
    rows[kRegimeRow] = regimeText(static_cast<std::uint8_t>(both >> 8));
    rows[kLiquidRow] = liquidText(static_cast<std::uint8_t>(both & 0xFF));
    return rows;
}

QStringList regimeTexts() {
    QStringList texts;
    for (const Regime& r : kRegimes) texts.append(QString::fromUtf8(r.text));
    return texts;
}

QString regimeText(std::uint8_t code) {
    for (const Regime& r : kRegimes)
        if (r.code == code) return QString::fromUtf8(r.text);
    return kUnknownRegimeText;
}

std::uint8_t regimeCode(const QString& text) {
    const Regime* r = regimeOf(text);
    return r ? r->code : 0;
}

QString liquidText(std::uint8_t code) {
    if (code < 1 || code > kLiquidTypes) return kUnknownLiquidText;
    return QString::fromUtf8(kLiquids[code - 1]);
}

std::uint8_t liquidCode(const QString& text) {
    for (int i = 0; i < kLiquidTypes; ++i)
        if (text == QString::fromUtf8(kLiquids[i])) return static_cast<std::uint8_t>(i + 1);
    return 0;
}

RowPlaces allRowsShown() {
    RowPlaces places;
    for (int row = 0; row < kConstantRows; ++row) places[static_cast<std::size_t>(row)] = {true, rowTop(row)};
    return places;
}

RowPlaces rowPlacesForRegime(const QString& regime, const RowPlaces& current) {
    RowPlaces places = current;
    const Regime* r = regimeOf(regime);
    if (!r) {
        for (int row = 0; row < kMixedRows; ++row) places[static_cast<std::size_t>(row)] = {true, rowTop(row)};
        return places;
    }
    int place = 0;
    for (int row = 0; row < kConstantRows; ++row) {
        RowPlace& p = places[static_cast<std::size_t>(row)];
        p.shown = (r->hiddenRows >> row & 1u) == 0;
        if (p.shown) p.top = rowTop(place++);
    }
    return places;
}

}  // namespace veldar
