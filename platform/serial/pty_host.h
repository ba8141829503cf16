#pragma once

#include "device_link.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

#include <deque>
#include <memory>

class QSocketNotifier;
class QTimer;

namespace platform {

// Puts a simulated device behind a pseudo-terminal, so that any program can open the slave
// side as its serial port. A pty ignores the baud rate, so the bytes toward the program are
// paced at the rate the program set on its side (unless pacing is off). The slave side is
// kept open here too, so that a program closing its port does not leave the master side
// reporting hang-up. Needs a running Qt event loop.
class PtyHost : public HostLink {
public:
    explicit PtyHost(SimulatedDevice* device, bool pacing = true);
    ~PtyHost() override;

    // Creates the pair; with a link path, also a symbolic link to the slave there.
    bool open(const QString& linkPath = {}, QString* error = nullptr);
    const QString& slavePath() const { return slavePath_; }
    const QString& linkPath() const { return linkPath_; }

    // HostLink
    void send(const QByteArray& bytes, int delayMs = 0) override;
    int hostBaud() const override;

    // Bytes that reached the program's side so far (for logs).
    std::int64_t bytesSent() const { return bytesSent_; }

private:
    struct Chunk {
        qint64 notBeforeUs;
        QByteArray bytes;
    };
    void onReadable();
    void pump();
    qint64 nowUs() const { return clock_.nsecsElapsed() / 1000; }

    SimulatedDevice* device_;
    bool pacing_;
    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
    QString linkPath_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::unique_ptr<QTimer> pumpTimer_;
    QElapsedTimer clock_;
    std::deque<Chunk> queue_;
    qint64 lineFreeUs_ = 0;
    std::int64_t bytesSent_ = 0;
};

}  // namespace platform
