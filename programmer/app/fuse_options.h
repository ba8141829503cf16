#pragma once

#include <QString>
#include <QStringList>

namespace burnet {

// The option lists of the advanced dialog that several fuse layouts share. An entry's index
// is what the layouts encode into the fuse bits.
namespace fuseoptions {

const QStringList& ClockX16();
const QStringList& ClockX13();
const QStringList& Bod3a();
const QStringList& Bod3b();
const QStringList& Bod2();
const QStringList& Bod4();
const QStringList& Boot1024();
const QStringList& Boot2048();
const QStringList& Boot4096();

// The single entry of a list the layout does not use: the clock and start-up lists, and the
// BOD and boot lists (with a leading blank).
QString NotSelectableClock();
QString NotSelectableList();

// Caption of the check box that selects the compatibility mode of the older part a device
// can stand in for.
QString CompatibilityMode();

}  // namespace fuseoptions

// Crystal-scheme layouts: the start-up list 1085 offers for a clock index, and the caption of
// check box 1047 (empty: the box is hidden).
struct CrystalClockView {
    QStringList startup;
    QString caption1047;
};
CrystalClockView CrystalClock(int clockIndex);

// The start-up selection that survives a refill of the start-up list for a new clock: the
// previous index for the crystal clocks 10-12, else the previous index AND 3.
int KeptStartupIndex(int previousIndex, int clockIndex);

// Layout L: the sixteen clock entries, carrying the BOD level when BOD is enabled.
QStringList BodClockList(bool bodEnabled);

}  // namespace burnet
