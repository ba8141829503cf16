#include "simulators/tvr/density_tables.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>

using namespace tvrsim;

namespace {

// A valid file: four tables of 21 rows, every density 50. Table t's header is on line
// 1 + 22 t and its row r (0-based) on the line after the header plus r.
QStringList validLines() {
    QStringList lines;
    for (const char* name :
         {"liquid-extended", "vapour-extended", "liquid-short", "vapour-short"}) {
        lines << QStringLiteral("table %1").arg(QLatin1String(name));
        for (int r = 0; r < kDensityRows; ++r)
            lines << QString::number(-50 + 5 * r) + QStringLiteral(" 50").repeated(kLiquidTypes);
    }
    return lines;
}

QByteArray join(const QStringList& lines) {
    return lines.join(QLatin1Char('\n')).toUtf8() + '\n';
}

// Column of liquid type (1 = Пропан ... 13 = ШФЛУ) at a temperature, as a density.
double density(const DensityTable& t, int type, int temperature, double scale) {
    return t.values[static_cast<std::size_t>((temperature + 50) / 5)]
                   [static_cast<std::size_t>(type - 1)] /
           scale;
}

}  // namespace

TEST(DensityTablesFile, AcceptsCommentsBlankLinesTabsAndCrLf) {
    QStringList lines = validLines();
    lines[0] += QStringLiteral("   # the liquid table");
    lines.insert(0, QStringLiteral("# heading"));
    lines.insert(1, QString());
    lines[3].replace(QLatin1Char(' '), QLatin1Char('\t'));
    DataError error;
    const auto tables = parseDensityTables(lines.join(QStringLiteral("\r\n")).toUtf8(), &error);
    ASSERT_TRUE(tables) << error.describe().toStdString();
    EXPECT_EQ(tables->liquidExtended.values[0][0], 50000u);
    EXPECT_EQ(tables->vapourShort.values[20][12], 5000000u);
    EXPECT_EQ(tables->liquidShort.temperatures[20], 50);
}

TEST(DensityTablesFile, NamesTheLineAndTheReasonOfEveryFault) {
    const struct {
        const char* name;
        std::function<void(QStringList&)> spoil;
        int line;
        const char* reason;
    } cases[] = {
        {"a missing density", [](QStringList& l) { l[4].chop(3); }, 5, "expected 14 numbers"},
        {"a temperature that is not whole", [](QStringList& l) { l[2].replace(0, 3, "-4x"); }, 3,
         "not a whole number"},
        {"a temperature out of order", [](QStringList& l) { l[2].replace(0, 3, "-40"); }, 3,
         "must be for -45 degrees"},
        {"a comma as decimal mark", [](QStringList& l) { l[6].replace(" 50", " 5,5"); }, 7,
         "not a plain decimal"},
        {"a signed density", [](QStringList& l) { l[6].replace(" 50", " -50"); }, 7,
         "not a plain decimal"},
        {"four decimals in a liquid table", [](QStringList& l) { l[8].append(".1234"); }, 9,
         "more than 3 decimals"},
        {"six decimals in a vapour table", [](QStringList& l) { l[24].append(".123456"); }, 25,
         "more than 5 decimals"},
        {"a liquid density beyond 24 bits",
         [](QStringList& l) {
             l[8].chop(3);
             l[8].append(" 16777.216");
         },
         9, "too large"},
        {"an unknown table", [](QStringList& l) { l[0] = "table liquid"; }, 1, "unknown table"},
        {"a table named twice", [](QStringList& l) { l[22] = "table liquid-extended"; }, 23,
         "appears twice"},
        {"a table line without a name", [](QStringList& l) { l[22] = "table"; }, 23,
         "expected \"table NAME\""},
        {"a row before any table", [](QStringList& l) { l.prepend("-50 1 2"); }, 1, "before any"},
        {"a table one row short", [](QStringList& l) { l.removeAt(21); }, 1,
         "has 20 rows; it needs 21"},
        {"a table one row long", [](QStringList& l) { l.insert(22, l[21]); }, 23,
         "more than 21 rows"},
        {"the last table short", [](QStringList& l) { l.removeLast(); }, 67, "has 20 rows"},
        {"a table missing", [](QStringList& l) { l = l.mid(0, 66); }, 0, "vapour-short is missing"},
    };
    for (const auto& c : cases) {
        QStringList lines = validLines();
        c.spoil(lines);
        DataError error;
        EXPECT_FALSE(parseDensityTables(join(lines), &error)) << c.name;
        EXPECT_EQ(error.line, c.line) << c.name << ": " << error.describe().toStdString();
        EXPECT_TRUE(error.reason.contains(QLatin1String(c.reason)))
            << c.name << ": " << error.describe().toStdString();
    }
}

TEST(DensityTablesFile, TheLargestDensitiesThatFitAreTaken) {
    QStringList lines = validLines();
    lines[1].replace(QStringLiteral(" 50"), QStringLiteral(" 16777.215"));
    lines[23].replace(QStringLiteral(" 50"), QStringLiteral(" 167.77215"));
    const auto tables = parseDensityTables(join(lines));
    ASSERT_TRUE(tables);
    EXPECT_EQ(tables->liquidExtended.values[0][5], 0xFFFFFFu);
    EXPECT_EQ(tables->vapourExtended.values[0][5], 0xFFFFFFu);
}

TEST(DensityTablesFile, ErrorsReadWithTheirPlace) {
    EXPECT_EQ((DataError{12, QStringLiteral("why")}).describe(), QStringLiteral("line 12: why"));
    EXPECT_EQ((DataError{0, QStringLiteral("why")}).describe(),
              QStringLiteral("at the end of the file: why"));
}

TEST(BuiltInDensityTables, TheEmbeddedFileParsesWithTheTellingRows) {
    QFile file(QStringLiteral(":/tvrsim/default_density_tables.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    DataError error;
    ASSERT_TRUE(parseDensityTables(file.readAll(), &error)) << error.describe().toStdString();

    const DefaultDensityTables& t = builtInDensityTables();
    const struct {
        const DensityTable& table;
        double scale;
        int temperature;
        std::vector<std::pair<int, double>> expected;  // liquid type → density
    } rows[] = {
        {t.liquidExtended, 1e3, -50, {{1, 590.9}, {6, 621}, {12, 676.1}, {13, 699.1}}},
        {t.liquidExtended, 1e3, 0, {{1, 529.7}, {6, 565.4}, {12, 626}, {13, 649}}},
        {t.liquidExtended, 1e3, 50, {{1, 451.3}, {6, 497}, {12, 567.6}, {13, 590.6}}},
        {t.vapourExtended, 1e5, -50, {{1, 1.39}, {6, 0.94}, {12, 0.18}, {13, 0.15}}},
        {t.vapourExtended, 1e5, 50, {{1, 34.77}, {6, 26.13}, {12, 9.22}, {13, 7.91}}},
        {t.liquidShort, 1e3, -50, {{1, 596.9}, {6, 627}}},
        {t.liquidShort, 1e3, 50, {{1, 460.4}, {6, 506.1}}},
        {t.vapourShort, 1e5, -50, {{1, 1.45}, {6, 0.88}}},
        {t.vapourShort, 1e5, 50, {{1, 34.77}, {6, 23.83}}},
    };
    for (const auto& r : rows)
        for (const auto& [type, value] : r.expected)
            EXPECT_DOUBLE_EQ(density(r.table, type, r.temperature, r.scale), value)
                << "type " << type << " at " << r.temperature;
}

TEST(BuiltInDensityTables, HaveTheirShape) {
    const DefaultDensityTables& t = builtInDensityTables();
    for (const DensityTable* table : {&t.liquidExtended, &t.vapourExtended}) {
        for (std::size_t r = 0; r < kDensityRows; ++r) {
            // Thirteen distinct liquid types.
            std::set<std::uint32_t> distinct(table->values[r].begin(), table->values[r].end());
            EXPECT_EQ(distinct.size(), static_cast<std::size_t>(kLiquidTypes)) << "row " << r;
        }
    }
    for (const DensityTable* table : {&t.liquidShort, &t.vapourShort}) {
        for (const auto& row : table->values) {
            EXPECT_EQ(row[0], row[1]);  // "Пропан" repeats "Смесь 90"
            for (std::size_t j = 6; j < kLiquidTypes; ++j)
                EXPECT_EQ(row[j], row[5]);  // "Смесь 40" on repeat "Смесь 50"
            std::set<std::uint32_t> distinct(row.begin() + 1, row.begin() + 6);
            EXPECT_EQ(distinct.size(), 5u);
        }
    }
}

// A configurator that scales the texts in single precision and cuts toward zero must get
// the same integers the unit holds.
TEST(BuiltInDensityTables, EveryValueSurvivesSinglePrecisionScaling) {
    const DefaultDensityTables& t = builtInDensityTables();
    const struct {
        const DensityTable& table;
        float scale;
    } tables[] = {{t.liquidExtended, 1e3f},
                  {t.vapourExtended, 1e5f},
                  {t.liquidShort, 1e3f},
                  {t.vapourShort, 1e5f}};
    for (const auto& [table, scale] : tables) {
        for (const auto& row : table.values) {
            for (std::uint32_t exact : row) {
                const QString text = QString::number(
                    static_cast<double>(exact) / static_cast<double>(scale), 'f', 5);
                const float asFloat = text.toFloat();
                volatile float product = asFloat * scale;
                EXPECT_EQ(static_cast<std::uint32_t>(std::trunc(product)), exact)
                    << text.toStdString();
            }
        }
    }
}
