#include "reg_file.h"

#include <QStringList>

namespace platform {
namespace {

const QString kHeader = QStringLiteral("Windows Registry Editor Version 5.00");

QString quoted(const QString& s) {
    QString out = QStringLiteral("\"");
    for (QChar c : s) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('"')) out.append(QLatin1Char('\\'));
        out.append(c);
    }
    out.append(QLatin1Char('"'));
    return out;
}

QString hexList(const QByteArray& bytes) {
    QStringList parts;
    parts.reserve(bytes.size());
    for (char b : bytes)
        parts.append(QStringLiteral("%1").arg(static_cast<quint8>(b), 2, 16, QLatin1Char('0')));
    return parts.join(QLatin1Char(','));
}

bool needsHexString(const QString& s) {
    for (QChar c : s)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) return true;
    return false;
}

QByteArray utf16le(const QString& s) {
    QByteArray out;
    for (QChar c : s) {
        out.append(static_cast<char>(c.unicode() & 0xFF));
        out.append(static_cast<char>(c.unicode() >> 8));
    }
    out.append('\0').append('\0');
    return out;
}

QString fromUtf16le(const QByteArray& b) {
    QString out;
    for (qsizetype i = 0; i + 1 < b.size(); i += 2) {
        const char16_t u = static_cast<char16_t>(static_cast<quint8>(b[i]) |
                                                 (static_cast<quint8>(b[i + 1]) << 8));
        if (u == 0) break;
        out.append(QChar(u));
    }
    return out;
}

// Reads a quoted string starting at pos (at the opening quote); moves pos past the closing one.
std::optional<QString> readQuoted(const QString& line, qsizetype& pos) {
    if (pos >= line.size() || line[pos] != QLatin1Char('"')) return std::nullopt;
    QString out;
    for (++pos; pos < line.size(); ++pos) {
        const QChar c = line[pos];
        if (c == QLatin1Char('\\')) {
            if (++pos >= line.size()) return std::nullopt;
            out.append(line[pos]);
        } else if (c == QLatin1Char('"')) {
            ++pos;
            return out;
        } else {
            out.append(c);
        }
    }
    return std::nullopt;
}

std::optional<QByteArray> readHex(QStringView text) {
    QByteArray out;
    const QString compact = text.toString().remove(QLatin1Char(' ')).remove(QLatin1Char('\t'));
    if (compact.isEmpty()) return out;
    for (const QString& part : compact.split(QLatin1Char(','))) {
        bool ok = false;
        const uint v = part.toUInt(&ok, 16);
        if (!ok || part.size() > 2 || v > 0xFF) return std::nullopt;
        out.append(static_cast<char>(v));
    }
    return out;
}

std::optional<RegValue> parseValueLine(const QString& line, QString& reason) {
    RegValue v;
    qsizetype pos = 0;
    if (line.startsWith(QLatin1Char('@'))) {
        pos = 1;
    } else {
        auto name = readQuoted(line, pos);
        if (!name) {
            reason = QStringLiteral("value name is not a quoted string");
            return std::nullopt;
        }
        v.name = *name;
    }
    while (pos < line.size() && line[pos].isSpace()) ++pos;
    if (pos >= line.size() || line[pos] != QLatin1Char('=')) {
        reason = QStringLiteral("'=' expected after the value name");
        return std::nullopt;
    }
    ++pos;
    while (pos < line.size() && line[pos].isSpace()) ++pos;
    const QStringView data = QStringView(line).mid(pos);
    if (data.startsWith(QLatin1Char('"'))) {
        auto text = readQuoted(line, pos);
        if (!text || !line.mid(pos).trimmed().isEmpty()) {
            reason = QStringLiteral("unterminated string");
            return std::nullopt;
        }
        v.type = RegValue::Type::String;
        v.text = *text;
        return v;
    }
    if (data.startsWith(QLatin1String("dword:"))) {
        bool ok = false;
        const QString digits = data.mid(6).toString().trimmed();
        v.dword = digits.toUInt(&ok, 16);
        if (!ok || digits.size() != 8) {
            reason = QStringLiteral("dword needs eight hex digits");
            return std::nullopt;
        }
        v.type = RegValue::Type::Dword;
        return v;
    }
    if (data.startsWith(QLatin1String("hex"))) {
        const qsizetype colon = data.indexOf(QLatin1Char(':'));
        if (colon < 0) {
            reason = QStringLiteral("':' expected after hex");
            return std::nullopt;
        }
        int type = 3;
        const QStringView tag = data.left(colon);
        if (tag != QLatin1String("hex")) {
            if (!tag.startsWith(QLatin1String("hex(")) || !tag.endsWith(QLatin1Char(')'))) {
                reason = QStringLiteral("unknown value type");
                return std::nullopt;
            }
            bool ok = false;
            type = tag.mid(4, tag.size() - 5).toInt(&ok, 16);
            if (!ok) {
                reason = QStringLiteral("unknown value type");
                return std::nullopt;
            }
        }
        auto bytes = readHex(data.mid(colon + 1));
        if (!bytes) {
            reason = QStringLiteral("bad hex byte list");
            return std::nullopt;
        }
        if (type == 1) {
            v.type = RegValue::Type::String;
            v.text = fromUtf16le(*bytes);
        } else if (type == 3) {
            v.type = RegValue::Type::Binary;
            v.bytes = *bytes;
        } else {
            v.type = RegValue::Type::Other;
            v.rawType = type;
            v.bytes = *bytes;
        }
        return v;
    }
    reason = QStringLiteral("unknown value data");
    return std::nullopt;
}

}  // namespace

QByteArray RegFile::write(const QString& keyPath, const std::vector<RegValue>& values) {
    QString out = kHeader + QStringLiteral("\n\n[HKEY_CURRENT_USER");
    if (!keyPath.isEmpty()) out += QLatin1Char('\\') + keyPath;
    out += QStringLiteral("]\n");
    for (const RegValue& v : values) {
        out += v.name.isEmpty() ? QStringLiteral("@") : quoted(v.name);
        out += QLatin1Char('=');
        switch (v.type) {
            case RegValue::Type::String:
                out += needsHexString(v.text) ? QStringLiteral("hex(1):") + hexList(utf16le(v.text))
                                              : quoted(v.text);
                break;
            case RegValue::Type::Binary:
                out += QStringLiteral("hex:") + hexList(v.bytes);
                break;
            case RegValue::Type::Dword:
                out += QStringLiteral("dword:%1").arg(v.dword, 8, 16, QLatin1Char('0'));
                break;
            case RegValue::Type::Other:
                out += QStringLiteral("hex(%1):").arg(v.rawType, 0, 16) + hexList(v.bytes);
                break;
        }
        out += QLatin1Char('\n');
    }
    return out.toUtf8();
}

std::optional<std::vector<RegValue>> RegFile::parse(const QByteArray& raw, RegParseError* error) {
    auto fail = [&](int line, const QString& reason) -> std::optional<std::vector<RegValue>> {
        if (error) *error = RegParseError{line, reason};
        return std::nullopt;
    };
    QByteArray bytes = raw;
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    const QString text = QString::fromUtf8(bytes);
    if (text.toUtf8() != bytes) return fail(1, QStringLiteral("not UTF-8 text"));
    const QStringList lines = text.split(QLatin1Char('\n'));
    std::vector<RegValue> values;
    bool sawHeader = false;
    bool sawKey = false;
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        const int lineNo = i + 1;
        // Long hex lists continue on the next line after a trailing backslash; a string
        // value always ends with its closing quote, so nothing else ends that way.
        while (line.trimmed().endsWith(QLatin1Char('\\')) && i + 1 < lines.size()) {
            line = line.trimmed();
            line.chop(1);
            QString next = lines[++i];
            if (next.endsWith(QLatin1Char('\r'))) next.chop(1);
            line += next.trimmed();
        }
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';'))) continue;
        if (!sawHeader) {
            if (trimmed != kHeader && trimmed != QLatin1String("REGEDIT4"))
                return fail(lineNo, QStringLiteral("missing registry file header"));
            sawHeader = true;
            continue;
        }
        if (trimmed.startsWith(QLatin1Char('['))) {
            if (!trimmed.endsWith(QLatin1Char(']')) || sawKey)
                return fail(lineNo, QStringLiteral("unexpected key line"));
            sawKey = true;
            continue;
        }
        if (!sawKey) return fail(lineNo, QStringLiteral("value before the key line"));
        QString reason;
        auto v = parseValueLine(trimmed, reason);
        if (!v) return fail(lineNo, reason);
        bool replaced = false;
        for (RegValue& existing : values) {
            if (existing.name.compare(v->name, Qt::CaseInsensitive) == 0) {
                const QString keep = existing.name;
                existing = *v;
                existing.name = keep;
                replaced = true;
            }
        }
        if (!replaced) values.push_back(*v);
    }
    if (!sawHeader && !text.trimmed().isEmpty())
        return fail(1, QStringLiteral("missing registry file header"));
    return values;
}

}  // namespace platform
