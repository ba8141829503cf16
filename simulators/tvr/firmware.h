#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

namespace tvrsim {

// What a unit tells about its firmware (the answer to CMD81).
struct Firmware {
    static constexpr int kIdentifierBytes = 19;

    std::array<std::uint8_t, 3> date{21, 10, 13};  // day, month, year of the build
    std::uint8_t version = 60;
    QByteArray identifier = "TVR-K08-V60-LPG-R01";  // at most 19 characters
    QString identification = QStringLiteral("Блок TVR-8, восемь измерительных каналов");

    // Date, version, identifier padded with zero bytes to 19, four reserved bytes, then the
    // length and the characters (Windows-1251) of the identification text.
    QByteArray record() const;
};

}  // namespace tvrsim
