#include "fuse_access.h"

namespace burnet {

bool LetterAdmits(char letter, char programmerType) {
    // A type the programmer failed to report must not match the NUL letter of a row.
    if (letter == 'B') return true;
    return (letter == 'P' || letter == 'S') && letter == programmerType;
}

FuseAccess AccessFor(const DeviceRow& row, char programmerType) {
    return FuseAccess{!LetterAdmits(row.accessLetters[0], programmerType),
                      !LetterAdmits(row.accessLetters[1], programmerType),
                      LetterAdmits(row.accessLetters[2], programmerType)};
}

}  // namespace burnet
