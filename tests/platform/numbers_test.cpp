#include "platform/text/numbers.h"

#include <gtest/gtest.h>

using namespace platform::text;

struct GeneralCase {
    double value;
    int digits;
    const char* dot;
};

TEST(FormatGeneral, Table) {
    const GeneralCase cases[] = {
        {215.5, 15, "215.5"},   {0.001, 15, "0.001"},     {6553.5, 15, "6553.5"},
        {65.531, 15, "65.531"}, {7.928, 15, "7.928"},     {0.045, 15, "0.045"},
        {2.78, 15, "2.78"},     {3.4501, 15, "3.4501"},   {100000, 15, "100000"},
        {0, 15, "0"},           {-5, 15, "-5"},           {-0.06, 15, "-0.06"},
        {0.1 + 0.2, 15, "0.3"}, {9.196, 8, "9.196"},      {1.5, 3, "1.5"},
        {12.34, 3, "12.3"},     {0.29, 3, "0.29"},        {596.9, 7, "596.9"},
        {1234567, 3, "1.23E6"}, {0.000001, 15, "1E-6"},   {0.00001, 15, "0.00001"},
        {123456789012345.0, 15, "123456789012345"},       {1e15, 15, "1E15"},
        {2 / 3.0, 6, "0.666667"},                         {65535 * 0.1, 15, "6553.5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatGeneral(c.value, c.digits, QLatin1Char('.')).toStdString(), c.dot)
            << c.value << " with " << c.digits << " digits";
}

TEST(FormatGeneral, UsesTheLocaleSeparator) {
    EXPECT_EQ(formatGeneral(215.5, 15, QLatin1Char(',')), QStringLiteral("215,5"));
    EXPECT_EQ(formatGeneral(1.5, 3, QLatin1Char(',')), QStringLiteral("1,5"));
}

TEST(ParseDecimal, AcceptsOnlyTheLocaleSeparator) {
    struct Case {
        const char* text;
        QChar sep;
        std::optional<double> value;
    };
    const QChar dot('.'), comma(',');
    const Case cases[] = {
        {"215.5", dot, 215.5},  {"215,5", comma, 215.5}, {"215,5", dot, std::nullopt},
        {"215.5", comma, std::nullopt}, {" -5 ", dot, -5.0}, {"+3", dot, 3.0},
        {"1e3", dot, 1000.0},   {"2.5E-1", dot, 0.25},   {".5", dot, 0.5},
        {"5.", dot, 5.0},       {"", dot, std::nullopt}, {"-", dot, std::nullopt},
        {"1e", dot, std::nullopt}, {"12a", dot, std::nullopt}, {"1 2", dot, std::nullopt},
        {"0x10", dot, std::nullopt}, {"inf", dot, std::nullopt}, {"1e999", dot, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto v = parseDecimal(QString::fromLatin1(c.text), c.sep);
        EXPECT_EQ(v, c.value) << '"' << c.text << "\" with separator " << char(c.sep.unicode());
    }
}

TEST(ScaledDecimal, RoundsTo15DigitsThenCutsTowardZero) {
    struct Case {
        const char* text;
        double scale;
        std::int64_t stored;
    };
    const Case cases[] = {
        {"0.045", 1000, 45},     {"215.5", 10, 2155},      {"596.9", 1000, 596900},
        {"0.15", 100000, 15000}, {"2.78", 1000, 2780},     {"5.501", 1000, 5501},
        {"3.4501", 10000, 34501}, {"0.001", 1000, 1},      {"-0.06", 1000, -60},
        {"0.746", 10000, 7460},  {"15.9", 10, 159},        {"0.29", 100, 29},
        {"1.23456", 1000, 1234}, {"-1.9999", 1, -1},       {"65.531", 1000, 65531},
    };
    for (const auto& c : cases)
        EXPECT_EQ(scaledDecimal(QString::fromLatin1(c.text), c.scale, QLatin1Char('.')), c.stored)
            << c.text << " x " << c.scale;
    EXPECT_EQ(scaledDecimal(QStringLiteral("0,045"), 1000, QLatin1Char(',')), 45);
    EXPECT_EQ(scaledDecimal(QStringLiteral("abc"), 1000, QLatin1Char('.')), std::nullopt);
}

TEST(TruncatedDecimal, CutsTowardZeroWithoutRounding) {
    EXPECT_EQ(truncatedDecimal(QStringLiteral("300"), QLatin1Char('.')), 300);
    EXPECT_EQ(truncatedDecimal(QStringLiteral("2.9"), QLatin1Char('.')), 2);
    EXPECT_EQ(truncatedDecimal(QStringLiteral("-2.9"), QLatin1Char('.')), -2);
    EXPECT_EQ(truncatedDecimal(QStringLiteral("16777217"), QLatin1Char('.')), 16777217);
    EXPECT_EQ(truncatedDecimal(QStringLiteral("x"), QLatin1Char('.')), std::nullopt);
}
