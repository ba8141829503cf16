#pragma once

#include "programmer.h"

#include <QString>
#include <QStringList>

namespace ispsim {

// What the isp-sim command line asks for.
struct Options {
    QString linkPath;
    QString partId = QStringLiteral("m16");
    ProgrammerConfig config;
    bool pacing = true;
    bool targetPresent = true;
    QString logPath;
};

struct ParsedOptions {
    Options options;
    QString error;      // non-empty: the command line is wrong, nothing should start
    bool help = false;  // --help: print usage() and end
};

// arguments as the program got them, its own name first.
ParsedOptions parseOptions(const QStringList& arguments);
QString usage();

}  // namespace ispsim
