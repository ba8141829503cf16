#pragma once

#include "programmer/link/device_table.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

namespace burnet {

struct FuseBytes {
    std::uint8_t low = 0xFF;
    std::uint8_t high = 0xFF;
    std::uint8_t ext = 0xFF;
    bool operator==(const FuseBytes&) const = default;
};

// The single-bit check boxes of the advanced dialog: left column, then right column.
inline constexpr std::array<int, 8> kFuseCheckBoxes{1042, 1043, 1044, 1088, 1045, 1046, 1047, 1089};

// What the fuse controls show: list indexes (-1: nothing selected) and ticks.
struct FuseControls {
    int clock = -1;    // 1040
    int startup = -1;  // 1085
    int bod = -1;      // 1041
    int boot = -1;     // 1048
    std::array<bool, kFuseCheckBoxes.size()> ticked{};

    bool isTicked(int id) const;
    void setTicked(int id, bool on);
    bool operator==(const FuseControls&) const = default;
};

// How a fuse layout presents its controls. A list with no entries is not used, except the
// clock list of layout L, which the BOD selection builds.
struct FuseLayoutView {
    bool usesClock = false;
    QStringList clock;
    // Crystal scheme: the start-up list 1085 is shown and 1047 takes its caption from the clock.
    bool crystal = false;
    QStringList bod;
    QStringList boot;
    // Per check box (order of kFuseCheckBoxes): nullopt when the layout does not use it; an
    // empty caption hides a box that still carries its bit.
    std::array<std::optional<QString>, kFuseCheckBoxes.size()> captions;

    const std::optional<QString>& caption(int id) const;
};
FuseLayoutView ViewOf(FuseLayout layout);

// Reading: the controls the fuse bytes give. Writing: the fuse bytes the controls give; a bit
// no control stands for stays 1.
FuseControls DecodeFuses(FuseLayout layout, const FuseBytes& bytes);
FuseBytes EncodeFuses(FuseLayout layout, const FuseControls& controls);

// What the fuse low byte reads as when nothing is programmed: layout A reads it inverted.
std::uint8_t UnprogrammedFuseLowRead(FuseLayout layout);

}  // namespace burnet
