#pragma once

#include <QIcon>

namespace burnet {

// The program's icon, drawn: a chip with a programming arrow.
QIcon burnetIcon();

}  // namespace burnet
