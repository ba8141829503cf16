#pragma once

#include "programmer/link/device_table.h"

namespace burnet {

// Whether a route letter of a device row admits the programmer type ('S' serial, 'P'
// parallel): 'B' admits any type, 'P' and 'S' their own, any other character none.
bool LetterAdmits(char letter, char programmerType);

// What the advanced dialog may do with a row and a programmer type.
struct FuseAccess {
    bool fuseLocked;  // the fuses may not be written
    bool lockLocked;  // the lock bits may not be written
    bool readable;    // fuse and lock bits may be read
    bool operator==(const FuseAccess&) const = default;
};
FuseAccess AccessFor(const DeviceRow& row, char programmerType);

}  // namespace burnet
