#pragma once

#include "fuse_layouts.h"
#include "fuse_routes.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace burnet {

class CLowIO;

// The four bytes a read fetched; a slot that was not fetched keeps 0xFF.
struct FetchedBytes {
    FuseBytes fuses;
    std::uint8_t lock = 0xFF;
    std::uint8_t fetched = 0;  // FuseSlot bits of the bytes that were read

    bool has(FuseSlot slot) const { return (fetched & slot) != 0; }
};

// Runs the reads of a plan; a failed read leaves its bytes unfetched. Programming mode is
// left to the caller.
FetchedBytes RunReadPlan(CLowIO& io, const std::vector<TargetStep>& plan);

// Runs the writes of a plan. Their results are not reported: the user sees the effect by
// reading back.
void RunWritePlan(CLowIO& io, const std::vector<TargetStep>& plan);

// What the dialog shows for the programmer and the target, with the texts of failure.
QString SignatureText(CLowIO& io);  // "1E 94 03", or "?? ?? ??"
QString IdentifierText(CLowIO& io);  // the 7 characters, or "?"
QString VersionText(CLowIO& io);     // "1.4", or "?.?"
// nullopt when the field keeps what it shows.
std::optional<QString> CalibrationText(CLowIO& io, CalibrationSource source);

}  // namespace burnet
