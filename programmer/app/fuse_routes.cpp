#include "fuse_routes.h"

namespace burnet {

namespace {

using Op = TargetStep::Op;

constexpr char kSerial = 'S';
constexpr char kParallel = 'P';

TargetStep byLetter(Op op, std::uint8_t fills) { return {op, {}, fills}; }
TargetStep instruction(std::uint8_t b1, std::uint8_t b2, std::uint8_t fills) {
    return {Op::Instruction3, {b1, b2, 0x00, 0x00}, fills};
}

const TargetStep kLockByInstruction = instruction(0x58, 0x00, kSlotLock);
const TargetStep kLowByInstruction = instruction(0x50, 0x00, kSlotLow);
const TargetStep kHighByInstruction = instruction(0x58, 0x08, kSlotHigh);
const TargetStep kExtByInstruction = instruction(0x50, 0x08, kSlotExt);

TargetStep writeByLetter(Op op, std::uint8_t value) { return {op, {value, 0, 0, 0}, 0}; }
TargetStep longInstruction(std::uint8_t b2, std::uint8_t value) { return {Op::Instruction4, {0xAC, b2, 0x00, value}, 0}; }

}  // namespace

std::vector<TargetStep> ReadPlan(ReadRoute route, char programmerType, std::uint8_t paramVersion) {
    const bool serial = programmerType == kSerial;
    const TargetStep single = byLetter(paramVersion != 0 ? Op::ReadLock : Op::ReadFuse, kSlotLow | kSlotLock);
    const TargetStep lock = byLetter(Op::ReadLock, kSlotLock);
    const TargetStep low = byLetter(Op::ReadFuse, kSlotLow);
    const TargetStep high = byLetter(Op::ReadFuseHigh, kSlotHigh);
    const TargetStep ext = byLetter(Op::ReadExtFuse, kSlotExt);
    switch (route) {
        case ReadRoute::RR1: return {single};
        case ReadRoute::RR2:
            if (serial) return {instruction(0x58, 0x00, kSlotLow | kSlotLock)};
            return {single};
        case ReadRoute::RR3:
            if (serial) return {kLockByInstruction, kLowByInstruction};
            return {lock, low};
        case ReadRoute::RR4:
            if (serial) return {kLockByInstruction, kLowByInstruction, kHighByInstruction};
            return {lock, low, high};
        case ReadRoute::RR5: return {lock, low, high};
        case ReadRoute::RR6:
            if (serial) return {kLockByInstruction, kLowByInstruction, kHighByInstruction, kExtByInstruction};
            return {lock, low, high, ext};
        case ReadRoute::RR7: return {lock, low, high, ext};
        case ReadRoute::RR8: return {lock, low};
    }
    return {};
}

std::vector<TargetStep> WritePlan(const DeviceRow& row, char programmerType, const FuseAccess& access,
                                  const FuseBytes& fuses, std::uint8_t lock) {
    const bool serial = programmerType == kSerial;
    std::vector<TargetStep> steps;
    // A row that composes no fuse bytes would only overwrite the chip's fuses with 0xFF.
    if (!access.fuseLocked && row.encodesFuses) {
        if (serial) {
            const auto shortForm = static_cast<std::uint8_t>(0xA0 | (fuses.low & 0x1F));
            switch (row.fuseLowWrite) {
                case FuseLowWrite::Short: steps.push_back({Op::Instruction3, {0xAC, shortForm, 0x00, 0x00}, 0}); break;
                case FuseLowWrite::ShortThenLeave:
                    steps.push_back({Op::Instruction3, {0xAC, shortForm, 0x00, 0x00}, 0});
                    steps.push_back({Op::Leave, {}, 0});
                    break;
                case FuseLowWrite::Long: steps.push_back(longInstruction(0xA0, fuses.low)); break;
            }
            if (row.writesFuseHigh) steps.push_back(longInstruction(0xA8, fuses.high));
            if (row.writesExtFuse) steps.push_back(longInstruction(0xA4, fuses.ext));
        } else {
            steps.push_back(writeByLetter(Op::WriteFuse, fuses.low));
            if (row.writesFuseHigh) steps.push_back(writeByLetter(Op::WriteFuseHigh, fuses.high));
            if (row.writesExtFuse) steps.push_back(writeByLetter(Op::WriteExtFuse, fuses.ext));
        }
    }
    if (!access.lockLocked) {
        if (serial && row.lockByInstruction) {
            steps.push_back(longInstruction(0xE0, lock));
        } else {
            steps.push_back(writeByLetter(Op::WriteLock, lock));
        }
    }
    return steps;
}

CalibrationSource CalibrationSourceFor(Calibration calibration, char programmerType) {
    switch (calibration) {
        case Calibration::Readable:
            if (programmerType == kSerial) return CalibrationSource::Instruction;
            if (programmerType == kParallel) return CalibrationSource::Command;
            return CalibrationSource::Unchanged;
        case Calibration::NotSupported: return CalibrationSource::NotSupported;
        case Calibration::None: break;
    }
    return CalibrationSource::Empty;
}

}  // namespace burnet
