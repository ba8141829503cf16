#pragma once

#include <QByteArray>

namespace veldar {

struct DensityDefaults;

// The content of a new settings image file (29824 bytes): default calibration tables,
// relay outputs, common settings, channel constants, the extended default density tables,
// identity extended calibration tables, instrumental error tables and no gas pressure table.
QByteArray defaultSettingsImage(const DensityDefaults& tables);

// The same, built once from the program's own density tables.
const QByteArray& builtInDefaultSettings();

}  // namespace veldar
