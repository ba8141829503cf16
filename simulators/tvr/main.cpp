// tvr-sim: virtual TVR units on a pseudo-terminal.
#include "installation.h"
#include "line.h"
#include "memory_map.h"
#include "options.h"

#include "platform/fs/files.h"
#include "platform/process/termination.h"
#include "platform/serial/pty_host.h"
#include "platform/timing/clock.h"
#include "platform/timing/qt_scheduler.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

int failWith(const QString& message) {
    std::fprintf(stderr, "tvr-sim: %s\n", qPrintable(message));
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QString error;
    QString help;
    const std::optional<tvrsim::Options> options =
        tvrsim::parseOptions(app.arguments().mid(1), &error, &help);
    if (!options) {
        if (!help.isEmpty()) {
            std::fputs(qPrintable(help), stdout);
            return 0;
        }
        return failWith(error + QStringLiteral("\n") + tvrsim::usageText());
    }
    platform::quitOnTerminationSignals();

    platform::QtScheduler scheduler;
    platform::SystemClock clock;
    tvrsim::Line line;
    line.reseed(options->seed);
    line.setFaults(options->faults);
    for (int address : options->addresses) {
        tvrsim::Unit& unit =
            line.add(tvrsim::makeUnit(static_cast<std::uint8_t>(address), scheduler, clock));
        unit.firmware().version = static_cast<std::uint8_t>(options->version);
        if (!options->firmwareId.isEmpty()) unit.firmware().identifier = options->firmwareId;
        if (!options->identification.isEmpty())
            unit.firmware().identification = options->identification;
        if (const auto image = options->images.find(address); image != options->images.end()) {
            QByteArray bytes;
            QString why;
            if (!platform::fs::readFile(image->second, bytes, &why))
                return failWith(QStringLiteral("%1: %2").arg(image->second, why));
            if (!unit.setMemory(bytes))
                return failWith(QStringLiteral("%1: %2 bytes; a settings image has %3")
                                    .arg(image->second)
                                    .arg(bytes.size())
                                    .arg(tvrsim::memory::kSize));
        }
    }

    QFile log;
    if (!options->logPath.isEmpty()) {
        log.setFileName(options->logPath);
        if (!log.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
            return failWith(QStringLiteral("%1: %2").arg(options->logPath, log.errorString()));
        line.setLog([&log, &clock](const QString& text) {
            log.write((clock.now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz  ")) + text +
                       QLatin1Char('\n'))
                          .toUtf8());
            log.flush();
        });
    }

    if (!options->linkPath.isEmpty() &&
        !platform::fs::makePath(QFileInfo(options->linkPath).absolutePath()))
        return failWith(QStringLiteral("cannot create the folder of %1").arg(options->linkPath));
    platform::PtyHost host(&line, options->pacing);
    if (!host.open(options->linkPath, &error)) return failWith(error);
    std::printf("%s\n", qPrintable(host.slavePath()));
    std::fflush(stdout);
    return app.exec();
}
