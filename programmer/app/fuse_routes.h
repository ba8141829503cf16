#pragma once

#include "fuse_access.h"
#include "fuse_layouts.h"

#include "programmer/link/device_table.h"

#include <array>
#include <cstdint>
#include <vector>

namespace burnet {

// Which of the four handled bytes a read step gives.
enum FuseSlot : std::uint8_t { kSlotLow = 1, kSlotHigh = 2, kSlotExt = 4, kSlotLock = 8 };

// One programmer command of a fuse or lock sequence: a command by letter, or a raw
// serial-programming instruction of three (`:`) or four (`.`) bytes.
struct TargetStep {
    enum class Op {
        ReadFuse, ReadFuseHigh, ReadExtFuse, ReadLock,
        WriteFuse, WriteFuseHigh, WriteExtFuse, WriteLock,
        Instruction3, Instruction4,
        Leave,
    };
    Op op;
    // The instruction bytes; for a write by letter, bytes[0] is the value.
    std::array<std::uint8_t, 4> bytes{};
    // Reads: the FuseSlot bits of the bytes the answer goes to.
    std::uint8_t fills = 0;
    bool operator==(const TargetStep&) const = default;
};

// The reads of a read route for this programmer type (`S` = serial) and parameter-block
// version.
std::vector<TargetStep> ReadPlan(ReadRoute route, char programmerType, std::uint8_t paramVersion);

// The writes of Write: the fuse bytes unless the fuses are locked or the row composes none,
// then the lock byte unless the lock bits are locked.
std::vector<TargetStep> WritePlan(const DeviceRow& row, char programmerType, const FuseAccess& access,
                                  const FuseBytes& fuses, std::uint8_t lock);

// Where the calibration byte comes from for a row and a programmer type.
enum class CalibrationSource {
    Instruction,   // serial programmer: raw instruction 0x38 0x00 0x00
    Command,       // parallel programmer: `h`
    Unchanged,     // another programmer type: the field keeps what it shows
    NotSupported,  // "No_support"
    Empty,         // the device has none
};
CalibrationSource CalibrationSourceFor(Calibration calibration, char programmerType);

}  // namespace burnet
