#include "density_tables.h"

#include <QFile>
#include <QList>

#include <cstdio>
#include <cstdlib>

namespace tvrsim {
namespace {

constexpr std::uint32_t kMax24 = 0xFFFFFF;

struct TableLayout {
    const char* name;
    DensityTable DefaultDensityTables::*member;
    int decimals;
};

constexpr TableLayout kTables[] = {
    {"liquid-extended", &DefaultDensityTables::liquidExtended, 3},
    {"vapour-extended", &DefaultDensityTables::vapourExtended, 5},
    {"liquid-short", &DefaultDensityTables::liquidShort, 3},
    {"vapour-short", &DefaultDensityTables::vapourShort, 5},
};

int expectedTemperature(int row) {
    return -50 + 5 * row;
}

std::optional<int> parseWhole(const QByteArray& token) {
    bool ok = false;
    const int v = token.toInt(&ok, 10);
    if (!ok || token.startsWith('+')) return std::nullopt;
    return v;
}

// A plain decimal ("596.9") times 10^decimals, exactly; the reason on failure.
std::optional<std::uint32_t> parseScaled(const QByteArray& token, int decimals, QString* why) {
    const qsizetype dot = token.indexOf('.');
    const QByteArray whole = dot < 0 ? token : token.left(dot);
    const QByteArray fraction = dot < 0 ? QByteArray() : token.mid(dot + 1);
    auto allDigits = [](const QByteArray& s) {
        for (char c : s)
            if (c < '0' || c > '9') return false;
        return true;
    };
    if (whole.isEmpty() || !allDigits(whole) || !allDigits(fraction) ||
        (dot >= 0 && fraction.isEmpty())) {
        *why = QStringLiteral("density \"%1\" is not a plain decimal number")
                   .arg(QString::fromUtf8(token));
        return std::nullopt;
    }
    if (fraction.size() > decimals) {
        *why = QStringLiteral("density \"%1\" has more than %2 decimals")
                   .arg(QString::fromUtf8(token))
                   .arg(decimals);
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (char c : whole + fraction.leftJustified(decimals, '0')) {
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > kMax24) {
            *why = QStringLiteral("density \"%1\" is too large for the unit's 24-bit field")
                       .arg(QString::fromUtf8(token));
            return std::nullopt;
        }
    }
    return static_cast<std::uint32_t>(value);
}

}  // namespace

QString DataError::describe() const {
    return line > 0 ? QStringLiteral("line %1: %2").arg(line).arg(reason)
                    : QStringLiteral("at the end of the file: %1").arg(reason);
}

std::optional<DefaultDensityTables> parseDensityTables(const QByteArray& text, DataError* error) {
    DefaultDensityTables tables;
    std::array<int, std::size(kTables)> rowsRead{};
    std::array<int, std::size(kTables)> headerLine{};
    int current = -1;
    auto fail = [&](int line, QString reason) -> std::optional<DefaultDensityTables> {
        if (error) *error = DataError{line, std::move(reason)};
        return std::nullopt;
    };
    auto unfinished = [&](int table) {
        return QStringLiteral("table %1 has %2 rows; it needs %3")
            .arg(QString::fromLatin1(kTables[table].name))
            .arg(rowsRead[table])
            .arg(kDensityRows);
    };

    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i) + 1;
        QByteArray line = lines[i];
        const qsizetype hash = line.indexOf('#');
        if (hash >= 0) line.truncate(hash);
        const QList<QByteArray> tokens = line.simplified().split(' ');
        if (tokens.size() == 1 && tokens[0].isEmpty()) continue;

        if (tokens[0] == "table") {
            if (tokens.size() != 2) return fail(lineNo, QStringLiteral("expected \"table NAME\""));
            if (current >= 0 && rowsRead[current] != kDensityRows)
                return fail(headerLine[current], unfinished(current));
            current = -1;
            for (int t = 0; t < static_cast<int>(std::size(kTables)); ++t)
                if (tokens[1] == kTables[t].name) current = t;
            if (current < 0)
                return fail(
                    lineNo,
                    QStringLiteral("unknown table \"%1\"").arg(QString::fromUtf8(tokens[1])));
            if (headerLine[current] != 0)
                return fail(
                    lineNo,
                    QStringLiteral("table %1 appears twice").arg(QString::fromUtf8(tokens[1])));
            headerLine[current] = lineNo;
            continue;
        }

        if (current < 0)
            return fail(lineNo, QStringLiteral("a row before any \"table NAME\" line"));
        const TableLayout& layout = kTables[current];
        const int row = rowsRead[current];
        if (row == kDensityRows)
            return fail(lineNo, QStringLiteral("table %1 has more than %2 rows")
                                    .arg(QString::fromLatin1(layout.name))
                                    .arg(kDensityRows));
        if (tokens.size() != 1 + kLiquidTypes)
            return fail(
                lineNo,
                QStringLiteral("expected %1 numbers (a temperature and %2 densities), found %3")
                    .arg(1 + kLiquidTypes)
                    .arg(kLiquidTypes)
                    .arg(tokens.size()));
        const std::optional<int> temperature = parseWhole(tokens[0]);
        if (!temperature)
            return fail(lineNo, QStringLiteral("temperature \"%1\" is not a whole number")
                                    .arg(QString::fromUtf8(tokens[0])));
        if (*temperature != expectedTemperature(row))
            return fail(lineNo, QStringLiteral("row %1 of table %2 must be for %3 degrees, not %4")
                                    .arg(row + 1)
                                    .arg(QString::fromLatin1(layout.name))
                                    .arg(expectedTemperature(row))
                                    .arg(*temperature));
        DensityTable& table = tables.*layout.member;
        table.temperatures[row] = *temperature;
        for (int j = 0; j < kLiquidTypes; ++j) {
            QString why;
            const std::optional<std::uint32_t> v =
                parseScaled(tokens[1 + j], layout.decimals, &why);
            if (!v) return fail(lineNo, why);
            table.values[row][j] = *v;
        }
        ++rowsRead[current];
    }
    for (int t = 0; t < static_cast<int>(std::size(kTables)); ++t) {
        if (headerLine[t] == 0)
            return fail(
                0, QStringLiteral("table %1 is missing").arg(QString::fromLatin1(kTables[t].name)));
        if (rowsRead[t] != kDensityRows) return fail(headerLine[t], unfinished(t));
    }
    return tables;
}

const DefaultDensityTables& builtInDensityTables() {
    static const DefaultDensityTables tables = [] {
        QFile file(QStringLiteral(":/tvrsim/default_density_tables.txt"));
        DataError error{0, QStringLiteral("the built-in file is missing")};
        std::optional<DefaultDensityTables> parsed;
        if (file.open(QIODevice::ReadOnly)) parsed = parseDensityTables(file.readAll(), &error);
        if (!parsed) {
            std::fprintf(stderr, "default_density_tables.txt, %s\n", qPrintable(error.describe()));
            std::abort();
        }
        return *parsed;
    }();
    return tables;
}

}  // namespace tvrsim
