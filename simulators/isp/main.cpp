// isp-sim: the virtual programmer on a pseudo-terminal. The first line of its output is the
// terminal's path; SIGINT or SIGTERM end it and remove the link.
#include "options.h"
#include "programmer.h"

#include "platform/process/termination.h"
#include "platform/serial/pty_host.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

using namespace ispsim;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const ParsedOptions parsed = parseOptions(app.arguments());
    if (parsed.help) {
        QTextStream(stdout) << usage();
        return 0;
    }
    if (!parsed.error.isEmpty()) {
        err << "isp-sim: " << parsed.error << "\n" << "Try isp-sim --help.\n";
        return 2;
    }
    const Options& o = parsed.options;

    Programmer programmer(*findPart(o.partId), o.config);
    programmer.setTargetPresent(o.targetPresent);
    programmer.setKeepLog(false);

    QFile logFile;
    QElapsedTimer sinceStart;
    sinceStart.start();
    if (!o.logPath.isEmpty()) {
        logFile.setFileName(o.logPath);
        if (!logFile.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
            err << "isp-sim: cannot write " << o.logPath << ": " << logFile.errorString() << "\n";
            return 1;
        }
        programmer.setLogObserver([&](const LoggedCommand& c) {
            logFile.write(QStringLiteral("%1 ms  %2\n").arg(sinceStart.elapsed(), 8).arg(c.line()).toUtf8());
            logFile.flush();
        });
    }

    if (!o.linkPath.isEmpty()) QDir().mkpath(QFileInfo(o.linkPath).absolutePath());
    platform::PtyHost host(&programmer, o.pacing);
    QString error;
    if (!host.open(o.linkPath, &error)) {
        err << "isp-sim: " << error << "\n";
        return 1;
    }
    platform::quitOnTerminationSignals();

    std::printf("%s\n", qPrintable(host.slavePath()));
    std::fflush(stdout);
    err << "isp-sim: " << programmer.chip().part().name << (o.config.bootLoader ? " boot loader" : "")
        << " on " << host.slavePath();
    if (!host.linkPath().isEmpty()) err << " (" << host.linkPath() << ")";
    err << "\n";
    err.flush();
    return app.exec();
}
