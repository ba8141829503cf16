#include "density_defaults.h"

#include <QFile>
#include <QList>

#include <cmath>
#include <stdexcept>

namespace veldar {
namespace {

constexpr std::uint32_t kLargest24 = 0xFFFFFF;

struct Kind {
    const char* name;
    DensityTable DensityDefaults::*table;
    int decimals;
    std::uint32_t scale;
};

constexpr Kind kKinds[] = {
    {"liquid-extended", &DensityDefaults::liquidExtended, 3, 1000},
    {"vapour-extended", &DensityDefaults::vapourExtended, 5, 100000},
    {"liquid-short", &DensityDefaults::liquidShort, 3, 1000},
    {"vapour-short", &DensityDefaults::vapourShort, 5, 100000},
};
constexpr int kKindCount = static_cast<int>(std::size(kKinds));

bool digitsOnly(const QByteArray& s) {
    for (const char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

class Parser {
public:
    explicit Parser(DensityFileError* error) : error_(error) {}

    std::optional<DensityDefaults> run(const QByteArray& text) {
        const QList<QByteArray> lines = text.split('\n');
        for (int i = 0; i < lines.size(); ++i) {
            lineNo_ = i + 1;
            QByteArray line = lines[i];
            if (const qsizetype hash = line.indexOf('#'); hash >= 0) line.truncate(hash);
            const QList<QByteArray> words = line.simplified().split(' ');
            if (words.size() == 1 && words[0].isEmpty()) continue;
            if (!(words[0] == "table" ? startTable(words) : row(words))) return std::nullopt;
        }
        lineNo_ = 0;
        if (!closeTable()) return std::nullopt;
        for (int k = 0; k < kKindCount; ++k) {
            if (!seen_[k]) {
                reject(QStringLiteral("table %1 is missing").arg(QLatin1String(kKinds[k].name)));
                return std::nullopt;
            }
        }
        return result_;
    }

private:
    bool reject(const QString& reason) {
        if (error_) *error_ = DensityFileError{lineNo_, reason};
        return false;
    }

    bool startTable(const QList<QByteArray>& words) {
        if (!closeTable()) return false;
        if (words.size() != 2) return reject(QStringLiteral("\"table\" takes one name"));
        for (int k = 0; k < kKindCount; ++k) {
            if (words[1] != kKinds[k].name) continue;
            if (seen_[k])
                return reject(QStringLiteral("table %1 appears twice").arg(QString::fromUtf8(words[1])));
            seen_[k] = true;
            current_ = k;
            rows_ = 0;
            return true;
        }
        return reject(QStringLiteral("unknown table \"%1\"").arg(QString::fromUtf8(words[1])));
    }

    bool closeTable() {
        if (current_ >= 0 && rows_ != kDensityTemperatures)
            return reject(QStringLiteral("table %1 has %2 rows instead of %3")
                            .arg(QLatin1String(kKinds[current_].name))
                            .arg(rows_)
                            .arg(kDensityTemperatures));
        return true;
    }

    bool row(const QList<QByteArray>& words) {
        if (current_ < 0) return reject(QStringLiteral("a row before the first \"table\" line"));
        if (rows_ == kDensityTemperatures)
            return reject(QStringLiteral("more than %1 rows").arg(kDensityTemperatures));
        if (words.size() != 1 + kLiquidTypes)
            return reject(QStringLiteral("%1 numbers instead of %2").arg(words.size()).arg(1 + kLiquidTypes));
        const int expected = -50 + 5 * rows_;
        const QByteArray& t = words[0];
        const bool negative = t.startsWith('-');
        const QByteArray magnitude = negative ? t.mid(1) : t;
        if (magnitude.isEmpty() || !digitsOnly(magnitude) || (negative ? -magnitude.toInt() : magnitude.toInt()) != expected)
            return reject(QStringLiteral("temperature \"%1\" where %2 belongs").arg(QString::fromUtf8(t)).arg(expected));
        const Kind& kind = kKinds[current_];
        DensityTable& table = result_.*(kind.table);
        table.temperatures[static_cast<std::size_t>(rows_)] = expected;
        for (int c = 0; c < kLiquidTypes; ++c) {
            if (!scaled(words[1 + c], kind, table.scaled[static_cast<std::size_t>(rows_)][static_cast<std::size_t>(c)]))
                return false;
        }
        ++rows_;
        return true;
    }

    // The decimal times the table's scale: exact from the digits, and the same as the
    // single-precision product the unit's defaults are defined by.
    bool scaled(const QByteArray& token, const Kind& kind, std::uint32_t& out) {
        const QString shown = QString::fromUtf8(token);
        const qsizetype dot = token.indexOf('.');
        const QByteArray whole = dot < 0 ? token : token.left(dot);
        const QByteArray fraction = dot < 0 ? QByteArray() : token.mid(dot + 1);
        if (whole.isEmpty() || !digitsOnly(whole) || !digitsOnly(fraction) || (dot >= 0 && fraction.isEmpty()))
            return reject(QStringLiteral("\"%1\" is not a plain decimal number").arg(shown));
        if (fraction.size() > kind.decimals)
            return reject(QStringLiteral("\"%1\" has more than %2 decimals").arg(shown).arg(kind.decimals));
        if (whole.size() > 8) return reject(QStringLiteral("\"%1\" is too large").arg(shown));
        std::uint64_t value = whole.toULongLong();
        for (int i = 0; i < kind.decimals; ++i) value = value * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
        if (value > kLargest24) return reject(QStringLiteral("\"%1\" does not fit in 24 bits once scaled").arg(shown));
        const float product = token.toFloat() * static_cast<float>(kind.scale);
        if (static_cast<std::uint64_t>(std::trunc(product)) != value)
            return reject(QStringLiteral("\"%1\" changes in single precision").arg(shown));
        out = static_cast<std::uint32_t>(value);
        return true;
    }

    DensityFileError* error_;
    DensityDefaults result_;
    bool seen_[kKindCount] = {};
    int current_ = -1;
    int rows_ = 0;
    int lineNo_ = 0;
};

}  // namespace

std::optional<DensityDefaults> parseDensityDefaults(const QByteArray& text, DensityFileError* error) {
    return Parser(error).run(text);
}

const DensityDefaults& builtInDensityDefaults() {
    static const DensityDefaults tables = [] {
        QFile file(QStringLiteral(":/veldar/default_density_tables.txt"));
        if (!file.open(QIODevice::ReadOnly))
            throw std::runtime_error("the built-in default density tables are missing");
        DensityFileError error;
        const auto parsed = parseDensityDefaults(file.readAll(), &error);
        if (!parsed)
            throw std::runtime_error(QStringLiteral("built-in default density tables, line %1: %2")
                                         .arg(error.line)
                                         .arg(error.reason)
                                         .toStdString());
        return *parsed;
    }();
    return tables;
}

}  // namespace veldar
