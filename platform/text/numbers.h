#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace platform::text {

// "General" number format: the shortest text with at most `digits` significant digits,
// fixed notation unless the number is too large for the digits or smaller than 1e-5
// (then d.dddE-n). 215.5, 0.001, 6553.5, 65.531.
QString formatGeneral(double value, int digits, QChar separator);

// Decimal text with the given separator as the only decimal mark: optional blanks and sign,
// digits, an optional exponent. Anything else is not a number.
std::optional<double> parseDecimal(QStringView text, QChar separator);

// The integer a page stores for a decimal field: text × scale, rounded to 15 significant
// digits, then cut toward zero. 0.045 × 1000 = 45, 596.9 × 1000 = 596900.
std::optional<std::int64_t> scaledDecimal(QStringView text, double scale, QChar separator);

// A decimal field read as a number and cut toward zero (no scaling, no rounding).
std::optional<std::int64_t> truncatedDecimal(QStringView text, QChar separator);

// Rounds to 15 significant digits and cuts toward zero, the second half of scaledDecimal.
std::int64_t roundedTruncation(double value);

}  // namespace platform::text
