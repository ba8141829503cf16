#include "version_record.h"

#include "platform/text/codepage.h"

namespace veldar {
namespace {

constexpr int kIdentifierAt = 4;
constexpr int kIdentifierBytes = 19;
constexpr int kIdentificationLengthAt = 27;
constexpr int kIdentificationAt = 28;

QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

}  // namespace

std::optional<std::uint8_t> firmwareVersion(const QByteArray& data) {
    if (data.size() <= kVersionByte) return std::nullopt;
    return static_cast<std::uint8_t>(data[kVersionByte]);
}

std::optional<VersionDisplay> versionDisplay(int address, const QByteArray& data) {
    const auto version = firmwareVersion(data);
    if (!version) return std::nullopt;
    const auto byte = [&data](int i) { return static_cast<std::uint8_t>(data[i]); };
    VersionDisplay shown;
    shown.address = QString::number(address);
    shown.date = twoDigits(byte(0)) + QLatin1Char('.') + twoDigits(byte(1)) + QLatin1Char('.') + twoDigits(byte(2));
    shown.version = QString::number(*version);

    QByteArray identifier = data.mid(kIdentifierAt, kIdentifierBytes);
    if (const qsizetype end = identifier.indexOf('\0'); end >= 0) identifier.truncate(end);
    shown.identifier = platform::text::fromCp1251(identifier);
    for (qsizetype i = 0; i < shown.identifier.size(); ++i)
        if (i % 4 != 3) shown.firmwareFile += shown.identifier[i];
    shown.firmwareFile += QStringLiteral(".zb7");

    if (data.size() > kIdentificationLengthAt) {
        const int length = byte(kIdentificationLengthAt);
        shown.identification =
            platform::text::fromCp1251(data.mid(kIdentificationAt, length)).left(kIdentificationShown);
    }
    return shown;
}

}  // namespace veldar
