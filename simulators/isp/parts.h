#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace ispsim {

// How a part is programmed: the instruction set of its serial programming interface, how its
// flash is addressed, how its lock bits are kept.
enum class Family {
    ClassicAvr,  // AT90S: word-addressed flash written byte by byte, two lock bits
    MegaAvr,     // ATmega: word-addressed flash written by pages, lock byte, fuse bytes
    Mcs51,       // AT89S: byte-addressed flash, lock modes 1 to 4, no EEPROM
};

enum class Fuse { Low, High, Extended };

// One real part, with the data of its data sheet. Ids are avrdude's part ids.
struct PartInfo {
    QString id;
    QString name;
    Family family;
    std::array<std::uint8_t, 3> signature;
    std::uint8_t deviceCode;      // code in the programmer protocol (AVR910 table)
    std::uint8_t bootDeviceCode;  // code of the part's boot loader; 0 = no boot section
    int flashSize;                // bytes
    int pageSize;                 // flash page, bytes; 0 = written byte by byte
    int eepromSize;               // bytes; 0 = none
    int fuseBytes;                // 0 none, 1 low, 2 low and high, 3 low, high and extended
    std::array<std::uint8_t, 3> factoryFuses;  // low, high, extended
    QByteArray calibration;       // calibration bytes; empty = none
    int bootMinWords;             // smallest boot section (fuse bits BOOTSZ = 11); 0 = none
    // Programming times of the data sheet, microseconds.
    int flashWriteUs;   // one page, or one byte on parts without pages
    int eepromWriteUs;  // one byte
    int eraseUs;        // chip erase
    int fuseWriteUs;    // one fuse or lock byte

    bool wordAddressed() const { return family != Family::Mcs51; }
    bool hasFuse(Fuse f) const { return static_cast<int>(f) < fuseBytes; }
    bool hasBootSection() const { return bootMinWords > 0; }
};

const std::vector<PartInfo>& allParts();

// The part with this avrdude id (case-insensitive), or nullptr.
const PartInfo* findPart(const QString& id);

}  // namespace ispsim
