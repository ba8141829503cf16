#pragma once

#include <QIcon>

namespace veldar {

// The program's icon: a tank with its level, drawn rather than shipped as a file.
QIcon programIcon();

}  // namespace veldar
