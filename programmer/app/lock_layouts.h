#pragma once

#include "programmer/link/device_table.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace burnet {

// What the lock controls show: the lock mode (0 = "方式 1") and, in layout LE, the boot-lock
// modes of the application section (BLB0) and the boot loader section (BLB1), 0 = Mode 1.
struct LockControls {
    int mode = 0;
    int blb0 = 0;
    int blb1 = 0;
    bool operator==(const LockControls&) const = default;
};

// What a lock byte says; nullopt where it leaves the control as it is.
struct LockReading {
    std::optional<int> mode;
    std::optional<int> blb0;
    std::optional<int> blb1;
    bool operator==(const LockReading&) const = default;
};

enum class BootSection { Application, BootLoader };

QStringList LockModeEntries(LockLayout layout);
QString LockModeExplanation(LockLayout layout, int mode);
QStringList BootLockEntries(BootSection section);
QString BootLockExplanation(BootSection section, int mode);
bool HasBootLocks(LockLayout layout);

LockReading DecodeLock(LockLayout layout, std::uint8_t lock);
std::uint8_t EncodeLock(LockLayout layout, const LockControls& controls);

// Whether writing this mode bars further fuse changes, so the fuse controls are disabled.
bool LockModeBarsFuses(LockLayout layout, int mode);

// What the lock byte reads as when nothing is programmed: layout LA reads it inverted.
std::uint8_t UnprogrammedLockRead(LockLayout layout);

}  // namespace burnet
