#pragma once

#include <QString>
#include <QStringList>

namespace platform {

struct StartResult {
    bool started = false;
    int error = 0;        // errno of the failure
    QString errorName;    // "ENOENT", "EACCES", "ENOEXEC", "ENOMEM", "EMFILE", … or empty
};

// Starts a program by name as a new, independent process (it outlives the caller), looking
// for it in the current folder first and then along PATH. The name is its only command-line
// word unless arguments are given. Reports the exact reason when it cannot be started.
StartResult startProgram(const QString& name, const QStringList& args = {});

// The symbolic name of an errno value ("ENOENT"), or empty when it has none we report.
QString errnoName(int error);

}  // namespace platform
