#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace tvrsim {

inline constexpr int kDensityRows = 21;  // -50 to +50 degrees Celsius in steps of 5
inline constexpr int kLiquidTypes = 13;

// One default table as the unit stores it: per row a temperature and the density of each
// liquid type times the table's scale (1000 for liquid, 100000 for vapour).
struct DensityTable {
    std::array<int, kDensityRows> temperatures{};
    std::array<std::array<std::uint32_t, kLiquidTypes>, kDensityRows> values{};
};

struct DefaultDensityTables {
    DensityTable liquidExtended;
    DensityTable vapourExtended;
    DensityTable liquidShort;
    DensityTable vapourShort;
};

// Where and why a tables file was refused. Line 0 means the end of the file.
struct DataError {
    int line = 0;
    QString reason;
    QString describe() const;
};

// Reads the default density tables file (its format is described at the top of the file
// in data/). Nothing is returned for a file with any fault.
std::optional<DefaultDensityTables> parseDensityTables(const QByteArray& text,
                                                       DataError* error = nullptr);

// The tables built into the program. The built-in file is checked by the tests, so a
// fault in it stops the program with the parser's message.
const DefaultDensityTables& builtInDensityTables();

}  // namespace tvrsim
