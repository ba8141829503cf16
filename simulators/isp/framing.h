#pragma once

#include <QByteArray>

namespace ispsim {

// The upgrade-mode probe a client sends after two ESC bytes; the next ESC asks for the
// identifier.
inline constexpr char kUpgradeProbe[] = "[KES-Tools-upgr]";

// How many bytes the command at the start of `pending` takes, its letter included (possibly
// more than have arrived); 0 while more bytes must arrive to tell. A device select ('T') is the plain two-byte form unless its
// code byte is 0 (the long form, whose length its version byte gives) or the programmer
// expects the 19-byte form of parameter-block version 1 (longSelect).
int commandLength(const QByteArray& pending, bool longSelect);

}  // namespace ispsim
