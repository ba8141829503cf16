#include "fuse_sequences.h"

#include "programmer/link/lowio.h"

namespace burnet {

namespace {

using Op = TargetStep::Op;

bool run(CLowIO& io, const TargetStep& step, std::uint8_t& result) {
    const auto& b = step.bytes;
    switch (step.op) {
        case Op::ReadFuse: return io.ReadFuseBits(result);
        case Op::ReadFuseHigh: return io.ReadFuseHighBits(result);
        case Op::ReadExtFuse: return io.ReadExtFuseBits(result);
        case Op::ReadLock: return io.ReadLockBits(result);
        case Op::WriteFuse: return io.WriteFuseBits(b[0]);
        case Op::WriteFuseHigh: return io.WriteFuseHighBits(b[0]);
        case Op::WriteExtFuse: return io.WriteExtFuseBits(b[0]);
        case Op::WriteLock: return io.WriteLockBits(b[0]);
        case Op::Instruction3: return io.UniversalCommand(b[0], b[1], b[2], result);
        case Op::Instruction4: return io.UniversalCommand4(b[0], b[1], b[2], b[3], result);
        case Op::Leave: return io.LeaveProgMode();
    }
    return false;
}

QString hexByte(std::uint8_t b) { return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper(); }

}  // namespace

FetchedBytes RunReadPlan(CLowIO& io, const std::vector<TargetStep>& plan) {
    FetchedBytes got;
    for (const TargetStep& step : plan) {
        std::uint8_t value = 0xFF;
        if (!run(io, step, value)) continue;
        if (step.fills & kSlotLow) got.fuses.low = value;
        if (step.fills & kSlotHigh) got.fuses.high = value;
        if (step.fills & kSlotExt) got.fuses.ext = value;
        if (step.fills & kSlotLock) got.lock = value;
        got.fetched |= step.fills;
    }
    return got;
}

void RunWritePlan(CLowIO& io, const std::vector<TargetStep>& plan) {
    for (const TargetStep& step : plan) {
        std::uint8_t ignored = 0;
        run(io, step, ignored);
    }
}

QString SignatureText(CLowIO& io) {
    std::array<std::uint8_t, 3> s{};
    if (!io.ReadSignature(s)) return QStringLiteral("?? ?? ??");
    // The programmer sends the last signature byte first.
    return hexByte(s[2]) + QLatin1Char(' ') + hexByte(s[1]) + QLatin1Char(' ') + hexByte(s[0]);
}

QString IdentifierText(CLowIO& io) {
    QString id;
    return io.ReadSoftwareId(id) ? id : QStringLiteral("?");
}

QString VersionText(CLowIO& io) {
    char major = 0, minor = 0;
    if (!io.ReadSoftwareVersion(major, minor)) return QStringLiteral("?.?");
    return QString(QLatin1Char(major)) + QLatin1Char('.') + QLatin1Char(minor);
}

std::optional<QString> CalibrationText(CLowIO& io, CalibrationSource source) {
    const QString noSupport = QStringLiteral("No_support");
    std::uint8_t value = 0;
    switch (source) {
        case CalibrationSource::Instruction:
            // A failed instruction gives no byte to show; it reads as a failed `h` does.
            if (!io.UniversalCommand(0x38, 0x00, 0x00, value)) return noSupport;
            return QStringLiteral("0x") + hexByte(value);
        case CalibrationSource::Command:
            if (!io.ReadCalibrationByte(value)) return noSupport;
            return QStringLiteral("0x") + hexByte(value);
        case CalibrationSource::Unchanged: return std::nullopt;
        case CalibrationSource::NotSupported: return noSupport;
        case CalibrationSource::Empty: return QString();
    }
    return std::nullopt;
}

}  // namespace burnet
