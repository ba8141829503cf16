#include "parts.h"

namespace ispsim {

const std::vector<PartInfo>& allParts() {
    // Signatures, sizes, device codes and write times as the parts' data sheets and avrdude's
    // part list give them; calibration bytes differ from chip to chip, these are typical.
    static const std::vector<PartInfo> parts = {
        {QStringLiteral("m8"), QStringLiteral("ATmega8"), Family::MegaAvr, {0x1E, 0x93, 0x07},
         0x76, 0x77, 8192, 64, 512, 2, {0xE1, 0xD9, 0xFF}, QByteArray("\xA9\xAC\xAE\xB0", 4), 128,
         4500, 9000, 10000, 2000},
        {QStringLiteral("m16"), QStringLiteral("ATmega16"), Family::MegaAvr, {0x1E, 0x94, 0x03},
         0x74, 0x75, 16384, 128, 512, 2, {0xE1, 0x99, 0xFF}, QByteArray("\xA8\xAB\xAD\xB2", 4), 128,
         4500, 9000, 9000, 9000},
        {QStringLiteral("m128"), QStringLiteral("ATmega128"), Family::MegaAvr, {0x1E, 0x97, 0x02},
         0x43, 0x44, 131072, 256, 4096, 3, {0xE1, 0x99, 0xFD}, QByteArray("\xA6\xA9\xAC\xAF", 4), 512,
         4500, 9000, 9000, 9000},
        {QStringLiteral("8515"), QStringLiteral("AT90S8515"), Family::ClassicAvr, {0x1E, 0x93, 0x01},
         0x38, 0x00, 8192, 0, 512, 0, {0xFF, 0xFF, 0xFF}, QByteArray(), 0,
         4000, 4000, 20000, 9000},
        {QStringLiteral("4433"), QStringLiteral("AT90S4433"), Family::ClassicAvr, {0x1E, 0x92, 0x03},
         0x30, 0x00, 4096, 0, 256, 1, {0xDA, 0xFF, 0xFF}, QByteArray(), 0,
         9000, 9000, 20000, 9000},
        // Not in avrdude's list; the id follows its naming. The code is the one the STK500
        // protocol gives the part, no AVR910 code exists for it.
        {QStringLiteral("89s52"), QStringLiteral("AT89S52"), Family::Mcs51, {0x1E, 0x52, 0x06},
         0xE1, 0x00, 8192, 0, 0, 0, {0xFF, 0xFF, 0xFF}, QByteArray(), 0,
         500, 0, 500000, 500},
    };
    return parts;
}

const PartInfo* findPart(const QString& id) {
    for (const PartInfo& p : allParts())
        if (p.id.compare(id, Qt::CaseInsensitive) == 0) return &p;
    return nullptr;
}

}  // namespace ispsim
