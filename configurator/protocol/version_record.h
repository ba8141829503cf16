#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace veldar {

// What the unit page shows of a unit's answer to CMD81 (the version record).
struct VersionDisplay {
    QString address;         // `lblTVRAddress`
    QString date;            // `lblDatePOTVR`, "05.03.12"
    QString version;         // `lblVerPOTVR`
    QString identifier;      // `lblIDPOTVR`
    QString firmwareFile;    // `lblFilePOTVR`: every fourth character skipped, then ".zb7"
    QString identification;  // `lblIdetification`, at most kIdentificationShown characters
};

inline constexpr int kIdentificationShown = 55;
inline constexpr int kVersionByte = 3;

// The display of a record from `address`; nothing when the record is too short to hold a
// date and a version. An identifier or identification text cut short by the end of the
// record shows what arrived.
std::optional<VersionDisplay> versionDisplay(int address, const QByteArray& data);

// The firmware version number (data byte 3), when the record has one.
std::optional<std::uint8_t> firmwareVersion(const QByteArray& data);

}  // namespace veldar
