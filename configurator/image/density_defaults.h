#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace veldar {

inline constexpr int kDensityTemperatures = 21;  // -50 to +50 degrees Celsius in steps of 5
inline constexpr int kLiquidTypes = 13;

// A default density table as the unit keeps it: per row the temperature in °C and, per
// liquid type, the density times the table's scale (1000 liquid, 100000 vapour).
struct DensityTable {
    std::array<int, kDensityTemperatures> temperatures{};
    std::array<std::array<std::uint32_t, kLiquidTypes>, kDensityTemperatures> scaled{};
};

// The four default tables of the shared data file: the extended pair fills a new settings
// image, the short pair is the alternative the density page offers.
struct DensityDefaults {
    DensityTable liquidExtended;
    DensityTable vapourExtended;
    DensityTable liquidShort;
    DensityTable vapourShort;
};

// Why the file was refused, and on which line (0: at its end).
struct DensityFileError {
    int line = 0;
    QString reason;
};

// Reads the default density tables file (UTF-8; its rules are written at its top).
// Nothing is returned for a file with any fault.
std::optional<DensityDefaults> parseDensityDefaults(const QByteArray& text,
                                                    DensityFileError* error = nullptr);

// The tables built into the program. A fault in the built-in file is a build fault: the
// tests read the same file, and the program stops with the reason.
const DensityDefaults& builtInDensityDefaults();

}  // namespace veldar
