#pragma once

#include "faults.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace tvrsim {

// What the tvr-sim command line asks for.
struct Options {
    QString linkPath;
    std::vector<int> addresses{101};
    std::map<int, QString> images;  // address → settings image file
    int version = 60;
    QByteArray firmwareId;   // empty: the default identifier
    QString identification;  // empty: the default text
    FaultSettings faults;
    std::uint32_t seed = 1;
    bool pacing = true;
    QString logPath;
};

// Parses the arguments (without the program name). On a fault, nothing is returned and
// `error` says which argument and why; `--help` returns nothing and leaves `error` empty
// with the usage text in `help`.
std::optional<Options> parseOptions(const QStringList& arguments, QString* error,
                                    QString* help = nullptr);

QString usageText();

}  // namespace tvrsim
