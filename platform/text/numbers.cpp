#include "numbers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace platform::text {
namespace {

// Digits and exponent of |value| rounded to `digits` significant digits, trailing zeros
// removed: 215.5 → ("2155", 2).
struct Decimal {
    std::string digits;
    int exponent;  // position of the decimal point: value = 0.d1d2... × 10^exponent
};

Decimal toDecimal(double value, int digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", digits - 1, std::fabs(value));
    std::string s(buf);
    const auto e = s.find('e');
    std::string mantissa = s.substr(0, e);
    const int exp10 = std::atoi(s.c_str() + e + 1);
    std::string ds;
    for (char c : mantissa)
        if (c != '.') ds.push_back(c);
    while (ds.size() > 1 && ds.back() == '0') ds.pop_back();
    return Decimal{ds, exp10 + 1};
}

std::int64_t clampToInt64(double v) {
    constexpr double lo = static_cast<double>(std::numeric_limits<std::int64_t>::min());
    constexpr double hi = static_cast<double>(std::numeric_limits<std::int64_t>::max());
    if (!(v > lo)) return std::numeric_limits<std::int64_t>::min();
    if (!(v < hi)) return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(v);
}

}  // namespace

QString formatGeneral(double value, int digits, QChar separator) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (digits < 1) digits = 1;
    if (value == 0) return QStringLiteral("0");
    const Decimal d = toDecimal(value, digits);
    QString out;
    if (value < 0) out.append(QLatin1Char('-'));
    const int n = static_cast<int>(d.digits.size());
    const bool fixed = d.exponent <= digits && std::fabs(value) >= 1e-5;
    if (fixed) {
        if (d.exponent <= 0) {
            out.append(QLatin1Char('0')).append(separator);
            out.append(QString(-d.exponent, QLatin1Char('0')));
            out.append(QString::fromLatin1(d.digits.c_str()));
        } else if (d.exponent >= n) {
            out.append(QString::fromLatin1(d.digits.c_str()));
            out.append(QString(d.exponent - n, QLatin1Char('0')));
        } else {
            out.append(QString::fromLatin1(d.digits.c_str(), d.exponent));
            out.append(separator);
            out.append(QString::fromLatin1(d.digits.c_str() + d.exponent));
        }
        return out;
    }
    out.append(QLatin1Char(d.digits[0]));
    if (n > 1) out.append(separator).append(QString::fromLatin1(d.digits.c_str() + 1));
    out.append(QLatin1Char('E')).append(QString::number(d.exponent - 1));
    return out;
}

std::optional<double> parseDecimal(QStringView text, QChar separator) {
    std::string plain;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i].isSpace()) ++i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        plain.push_back(static_cast<char>(text[i++].unicode()));
    int mantissaDigits = 0;
    while (i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
        plain.push_back(static_cast<char>(text[i++].unicode()));
        ++mantissaDigits;
    }
    if (i < n && text[i] == separator) {
        plain.push_back('.');
        ++i;
        while (i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
            plain.push_back(static_cast<char>(text[i++].unicode()));
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) return std::nullopt;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        plain.push_back('e');
        ++i;
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            plain.push_back(static_cast<char>(text[i++].unicode()));
        int expDigits = 0;
        while (i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
            plain.push_back(static_cast<char>(text[i++].unicode()));
            ++expDigits;
        }
        if (expDigits == 0) return std::nullopt;
    }
    while (i < n && text[i].isSpace()) ++i;
    if (i != n) return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod(plain.c_str(), &end);
    if (end != plain.c_str() + plain.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::int64_t roundedTruncation(double value) {
    if (!std::isfinite(value)) return 0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", value);
    return clampToInt64(std::trunc(std::strtod(buf, nullptr)));
}

std::optional<std::int64_t> scaledDecimal(QStringView text, double scale, QChar separator) {
    const auto v = parseDecimal(text, separator);
    if (!v) return std::nullopt;
    return roundedTruncation(*v * scale);
}

std::optional<std::int64_t> truncatedDecimal(QStringView text, QChar separator) {
    const auto v = parseDecimal(text, separator);
    if (!v) return std::nullopt;
    return clampToInt64(std::trunc(*v));
}

}  // namespace platform::text
