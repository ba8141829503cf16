#include "pty_host.h"

#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace platform {
namespace {

int baudOf(speed_t s) {
    switch (s) {
        case B1200: return 1200;
        case B2400: return 2400;
        case B4800: return 4800;
        case B9600: return 9600;
        case B19200: return 19200;
        case B38400: return 38400;
        case B57600: return 57600;
        case B115200: return 115200;
        case B230400: return 230400;
        default: return 0;
    }
}

constexpr int kFullRetryMs = 50;

QString errnoText() { return QString::fromLocal8Bit(std::strerror(errno)); }

}  // namespace

PtyHost::PtyHost(SimulatedDevice* device, bool pacing) : device_(device), pacing_(pacing) {
    clock_.start();
}

PtyHost::~PtyHost() {
    if (device_) device_->attach(nullptr);
    notifier_.reset();
    if (!linkPath_.isEmpty()) {
        const QString target = QFile::symLinkTarget(linkPath_);
        if (target == slavePath_) QFile::remove(linkPath_);
    }
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
}

bool PtyHost::open(const QString& linkPath, QString* error) {
    auto fail = [&](const QString& what) {
        if (error) *error = what + QStringLiteral(": ") + errnoText();
        return false;
    };
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) return fail(QStringLiteral("posix_openpt"));
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return fail(QStringLiteral("unlockpt"));
    char name[128];
    if (::ptsname_r(master_, name, sizeof name) != 0) return fail(QStringLiteral("ptsname"));
    slavePath_ = QString::fromLocal8Bit(name);
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) return fail(QStringLiteral("open slave"));
    // Raw from the first byte: a fresh pty cooks CR/LF and echoes what it receives.
    termios tio{};
    if (::tcgetattr(slave_, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, B9600);
        ::cfsetospeed(&tio, B9600);
        ::tcsetattr(slave_, TCSANOW, &tio);
    }
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    if (!linkPath.isEmpty()) {
        if (QFile::symLinkTarget(linkPath).isEmpty() && QFile::exists(linkPath)) {
            if (error) *error = linkPath + QStringLiteral(" exists and is not a link");
            return false;
        }
        QFile::remove(linkPath);
        if (::symlink(name, QFile::encodeName(linkPath).constData()) != 0)
            return fail(QStringLiteral("symlink ") + linkPath);
        linkPath_ = linkPath;
    }
    notifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { onReadable(); });
    pumpTimer_ = std::make_unique<QTimer>();
    pumpTimer_->setSingleShot(true);
    pumpTimer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(pumpTimer_.get(), &QTimer::timeout, [this] { pump(); });
    if (device_) device_->attach(this);
    return true;
}

int PtyHost::hostBaud() const {
    termios tio{};
    // On Linux the master reports the settings the program applied to the slave side.
    if (master_ < 0 || ::tcgetattr(master_, &tio) != 0) return 0;
    return baudOf(::cfgetospeed(&tio));
}

void PtyHost::onReadable() {
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n > 0) {
            if (device_) device_->received(QByteArray(buf, static_cast<qsizetype>(n)));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        break;
    }
}

void PtyHost::send(const QByteArray& bytes, int delayMs) {
    if (bytes.isEmpty()) return;
    queue_.push_back(Chunk{nowUs() + static_cast<qint64>(std::max(delayMs, 0)) * 1000, bytes});
    pump();
}

void PtyHost::pump() {
    const int baud = hostBaud();
    const double byteUs = (pacing_ && baud > 0) ? 10.0 * 1e6 / baud : 0.0;
    while (!queue_.empty()) {
        Chunk& c = queue_.front();
        const qint64 now = nowUs();
        if (c.notBeforeUs > now) {
            pumpTimer_->start(static_cast<int>((c.notBeforeUs - now + 999) / 1000));
            return;
        }
        lineFreeUs_ = std::max(lineFreeUs_, c.notBeforeUs);
        // How many bytes the line has carried by now.
        qsizetype due = c.bytes.size();
        if (byteUs > 0) {
            const qint64 since = now - lineFreeUs_;
            due = std::min<qsizetype>(c.bytes.size(), static_cast<qsizetype>(since / byteUs) + 1);
        }
        const ssize_t w = ::write(master_, c.bytes.constData(), static_cast<size_t>(due));
        if (w < 0) {
            if (errno == EINTR) continue;
            if (errno == EAGAIN) {
                // Nobody is reading the other side and its buffer is full; check back now and
                // then rather than spinning.
                pumpTimer_->start(kFullRetryMs);
                return;
            }
            queue_.clear();
            return;
        }
        bytesSent_ += w;
        lineFreeUs_ += static_cast<qint64>(byteUs * static_cast<double>(w));
        c.bytes.remove(0, w);
        if (c.bytes.isEmpty()) {
            queue_.pop_front();
            if (!queue_.empty()) queue_.front().notBeforeUs = std::max(queue_.front().notBeforeUs, lineFreeUs_);
            continue;
        }
        c.notBeforeUs = lineFreeUs_;
        pumpTimer_->start(std::max(1, static_cast<int>(byteUs / 1000)));
        return;
    }
}

}  // namespace platform
