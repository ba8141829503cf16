#include "posix_serial_port.h"

#include "port_map.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <chrono>
#include <climits>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

speed_t speedFor(int baud) {
    switch (baud) {
        case 1200: return B1200;
        case 2400: return B2400;
        case 4800: return B4800;
        case 9600: return B9600;
        case 19200: return B19200;
        case 38400: return B38400;
        case 57600: return B57600;
        case 115200: return B115200;
        default: return B0;
    }
}

int msUntil(Clock::time_point t) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(t - Clock::now()).count();
    if (left <= 0) return 0;
    return left > INT_MAX ? INT_MAX : static_cast<int>(left);
}

// poll() that restarts after signals; returns revents, 0 on time-out, -1 on error.
int waitFor(int fd, short events, int timeoutMs) {
    const auto end = timeoutMs < 0 ? Clock::time_point::max()
                                   : Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        pollfd p{fd, events, 0};
        const int r = ::poll(&p, 1, timeoutMs < 0 ? -1 : msUntil(end));
        if (r > 0) return p.revents;
        if (r == 0) return 0;
        if (errno != EINTR) return -1;
    }
}

}  // namespace

PosixSerialPort::PosixSerialPort(const PortMap* map) : map_(map) {}

PosixSerialPort::~PosixSerialPort() { close(); }

bool PosixSerialPort::baudSupported(int baud) { return speedFor(baud) != B0; }

PortError PosixSerialPort::open(const QString& name, const LineSettings& line,
                                const Timeouts& timeouts) {
    const QString path = map_ ? map_->devicePath(name) : name;
    if (path.isEmpty()) return PortError::NotFound;
    return openDevice(path, line, timeouts);
}

PortError PosixSerialPort::openDevice(const QString& path, const LineSettings& line,
                                      const Timeouts& timeouts) {
    close();
    const speed_t speed = speedFor(line.baud);
    if (speed == B0) return PortError::Settings;
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        switch (errno) {
            case ENOENT: case ENODEV: case ENXIO: case ENOTDIR: return PortError::NotFound;
            case EBUSY: case EACCES: case EPERM: return PortError::Busy;
            default: return PortError::Io;
        }
    }
    auto fail = [fd](PortError e) {
        ::close(fd);
        return e;
    };
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) return fail(PortError::Busy);
    if (::ioctl(fd, TIOCEXCL) != 0 && errno != ENOTTY) return fail(PortError::Busy);

    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        ::ioctl(fd, TIOCNXCL);
        return fail(PortError::Settings);
    }
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | ISTRIP);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    ::cfsetispeed(&tio, speed);
    ::cfsetospeed(&tio, speed);
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
        ::ioctl(fd, TIOCNXCL);
        return fail(PortError::Settings);
    }
    // Pseudo-terminals have no modem lines and refuse this; that is not an error.
    int lines = 0;
    if (!line.dtr) lines |= TIOCM_DTR;
    if (!line.rts) lines |= TIOCM_RTS;
    if (lines) ::ioctl(fd, TIOCMBIC, &lines);
    int raise = 0;
    if (line.dtr) raise |= TIOCM_DTR;
    if (line.rts) raise |= TIOCM_RTS;
    if (raise) ::ioctl(fd, TIOCMBIS, &raise);
    ::tcflush(fd, TCIOFLUSH);

    fd_ = fd;
    timeouts_ = timeouts;
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { onReadable(); });
    notifier_->setEnabled(static_cast<bool>(ready_));
    return PortError::None;
}

void PosixSerialPort::close() {
    if (notifier_) {
        // close() may run inside the notifier's own signal.
        notifier_->setEnabled(false);
        if (QCoreApplication::instance())
            notifier_.release()->deleteLater();
        else
            notifier_.reset();
    }
    if (fd_ < 0) return;
    // The exclusive flag outlives this descriptor while anyone else holds the device open.
    ::ioctl(fd_, TIOCNXCL);
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

PortError PosixSerialPort::setTimeouts(const Timeouts& timeouts) {
    timeouts_ = timeouts;
    return fd_ >= 0 ? PortError::None : PortError::NotOpen;
}

IoResult PosixSerialPort::write(const std::uint8_t* data, std::size_t n) {
    if (fd_ < 0) return {0, PortError::NotOpen};
    const long long totalMs = static_cast<long long>(timeouts_.writeTotalMultiplierMs) * n +
                              timeouts_.writeTotalConstantMs;
    const auto deadline = totalMs > 0 ? Clock::now() + std::chrono::milliseconds(totalMs)
                                      : Clock::time_point::max();
    std::size_t done = 0;
    while (done < n) {
        const ssize_t w = ::write(fd_, data + done, n - done);
        if (w > 0) {
            done += static_cast<std::size_t>(w);
            continue;
        }
        if (w < 0 && errno == EINTR) continue;
        if (w < 0 && errno != EAGAIN) return {done, PortError::Io};
        if (Clock::now() >= deadline) return {done, PortError::TimedOut};
        const int r = waitFor(fd_, POLLOUT, deadline == Clock::time_point::max() ? -1 : msUntil(deadline));
        if (r < 0 || (r & (POLLERR | POLLNVAL))) return {done, PortError::Io};
        if (r & POLLHUP) return {done, PortError::Io};
    }
    return {done, PortError::None};
}

IoResult PosixSerialPort::read(std::uint8_t* data, std::size_t n) {
    if (fd_ < 0) return {0, PortError::NotOpen};
    if (n == 0) return {0, PortError::None};
    const long long totalMs = static_cast<long long>(timeouts_.readTotalMultiplierMs) * n +
                              timeouts_.readTotalConstantMs;
    const auto totalDeadline = totalMs > 0 ? Clock::now() + std::chrono::milliseconds(totalMs)
                                           : Clock::time_point::max();
    const bool intervalLimit = timeouts_.readIntervalMs > 0;
    auto intervalDeadline = Clock::time_point::max();
    std::size_t got = 0;
    for (;;) {
        const ssize_t r = ::read(fd_, data + got, n - got);
        if (r > 0) {
            got += static_cast<std::size_t>(r);
            if (got == n) return {got, PortError::None};
            if (intervalLimit)
                intervalDeadline = Clock::now() + std::chrono::milliseconds(timeouts_.readIntervalMs);
            continue;
        }
        if (r < 0 && errno == EINTR) continue;
        if (r < 0 && errno != EAGAIN) return {got, PortError::Io};
        if (r == 0) {
            // A hung-up line reads as end of file; tell it from "nothing yet" by poll.
            const int ev = waitFor(fd_, POLLIN, 0);
            if (ev & (POLLHUP | POLLERR)) return {got, PortError::Io};
        }
        const auto deadline = std::min(totalDeadline, intervalDeadline);
        if (deadline != Clock::time_point::max() && Clock::now() >= deadline)
            return {got, PortError::TimedOut};
        const int ev = waitFor(fd_, POLLIN, deadline == Clock::time_point::max() ? -1 : msUntil(deadline));
        if (ev < 0 || (ev & (POLLERR | POLLNVAL))) return {got, PortError::Io};
        if ((ev & POLLHUP) && !(ev & POLLIN)) return {got, PortError::Io};
        if (ev == 0) return {got, PortError::TimedOut};
    }
}

std::size_t PosixSerialPort::bytesWaiting() {
    if (fd_ < 0) return 0;
    int n = 0;
    if (::ioctl(fd_, FIONREAD, &n) != 0 || n < 0) return 0;
    return static_cast<std::size_t>(n);
}

void PosixSerialPort::purge(bool input, bool output) {
    if (fd_ < 0 || (!input && !output)) return;
    ::tcflush(fd_, input && output ? TCIOFLUSH : input ? TCIFLUSH : TCOFLUSH);
}

void PosixSerialPort::setReadyHandler(std::function<void()> handler) {
    ready_ = std::move(handler);
    if (notifier_) notifier_->setEnabled(static_cast<bool>(ready_));
}

void PosixSerialPort::onReadable() {
    // A vanished device or a closed pty stays "readable" forever; stop listening so the
    // window thread does not spin, and let the handler find the failure on its next read.
    const int ev = waitFor(fd_, POLLIN, 0);
    if ((ev & (POLLHUP | POLLERR | POLLNVAL)) && bytesWaiting() == 0 && notifier_)
        notifier_->setEnabled(false);
    if (ready_) ready_();
}

}  // namespace platform
