#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <span>
#include <vector>

namespace burnet {

// One kind of programmer interface, as a programmer reports it with `O`.
struct ProgrammerTypeRow {
    const char* name;
    char letter;
    std::uint8_t mask;  // kParallelProgrammer / kSerialProgrammer

    bool isEnd() const { return name == nullptr; }
};

// The six programmer types followed by the end row.
std::span<const ProgrammerTypeRow> ProgrammerTypeTable();
inline constexpr std::size_t kProgrammerTypeRows = 6;

// For each reported letter in order, every row with that letter.
std::vector<const ProgrammerTypeRow*> FindProgrammerTypes(const QByteArray& letters);
// The row whose name equals `name` in the first 25 characters, or nullptr.
const ProgrammerTypeRow* FindProgrammerTypeByName(const QString& name);

}  // namespace burnet
