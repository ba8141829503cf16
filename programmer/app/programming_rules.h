#pragma once

// The main window's rules that need no window: what the device list holds, which device is
// restored, how the file path fits its field, where the boot section begins.

#include "programmer/link/device_table.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace burnet {

// The path as a field `maxChars` average characters wide shows it. A path that does not fit
// keeps its root with the first folder, then "...", then as many of its last components as
// fit; when not even the file name fits after that, the file name alone.
QString AbbreviatePath(const QString& path, int maxChars);

// The rows of the codes a programmer lists, in its order; codes without a row are left out.
std::vector<const DeviceRow*> RowsForDeviceList(const QByteArray& codes);

// Device names in the order of the sorted list: alphabetical, regardless of case.
QStringList SortedDeviceNames(const std::vector<const DeviceRow*>& rows);

// The entry the saved device name selects: the last whose first 16 characters equal the name;
// -1 when none does.
int RestoredDeviceEntry(const QStringList& entries, const QString& savedName);

// Whether the boot section's size comes from the fuse high bits.
bool BootSizeFromFuses(BootSizeRule rule);
// The boot section in words: the rule's largest section, made smaller by the BOOTSZ fuse
// bits (bits 2-1 of the fuse high byte), or the fixed size. 0 for rows without one.
std::uint32_t BootSectionWords(BootSizeRule rule, std::uint8_t fuseHigh);
// Whether a transfer up to `highest` (inclusive) reaches into the boot section at the top
// of the flash.
bool EntersBootArea(std::uint32_t flashSize, std::uint32_t bootWords, std::uint32_t highest);
// The last byte below the boot section.
std::uint32_t BootLimit(std::uint32_t flashSize, std::uint32_t bootWords);

}  // namespace burnet
