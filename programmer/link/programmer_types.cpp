#include "programmer_types.h"

#include "device_table.h"

#include <array>

namespace burnet {

namespace {

constexpr std::array<ProgrammerTypeRow, kProgrammerTypeRows + 1> kTypes{{
    {"Parallel", 'P', kParallelProgrammer},
    {"SPI serial", 'S', kSerialProgrammer},
    {"SPI, Target F >0.1MHz", 'T', kSerialProgrammer},
    {"SPI, Target F >0.2MHz", 'U', kSerialProgrammer},
    {"SPI, Target F >0.9MHz", 'V', kSerialProgrammer},
    {"SPI, Target F >3,6MHz", 'W', kSerialProgrammer},
    {nullptr, '\0', 0},
}};

constexpr qsizetype kNameChars = 25;

}  // namespace

std::span<const ProgrammerTypeRow> ProgrammerTypeTable() { return kTypes; }

std::vector<const ProgrammerTypeRow*> FindProgrammerTypes(const QByteArray& letters) {
    std::vector<const ProgrammerTypeRow*> rows;
    for (char letter : letters) {
        for (const ProgrammerTypeRow& r : kTypes) {
            if (r.isEnd()) break;
            if (r.letter == letter) rows.push_back(&r);
        }
    }
    return rows;
}

const ProgrammerTypeRow* FindProgrammerTypeByName(const QString& name) {
    const QString wanted = name.left(kNameChars);
    for (const ProgrammerTypeRow& r : kTypes) {
        if (r.isEnd()) break;
        if (QString::fromLatin1(r.name).left(kNameChars) == wanted) return &r;
    }
    return nullptr;
}

}  // namespace burnet
