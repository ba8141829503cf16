#include "platform/serial/device_link.h"
#include "platform/serial/posix_serial_port.h"
#include "platform/serial/pty_host.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

using namespace platform;

namespace {

// A bare pty pair: the test plays the device on the master side.
class PtyPair : public ::testing::Test {
protected:
    void SetUp() override {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(master, 0);
        ASSERT_EQ(::grantpt(master), 0);
        ASSERT_EQ(::unlockpt(master), 0);
        slavePath = QString::fromLocal8Bit(::ptsname(master));
        // Keep the slave open here too, as the simulators do, so the line never hangs up.
        holder = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
        ASSERT_GE(holder, 0);
    }
    void TearDown() override {
        ::close(holder);
        ::close(master);
    }
    void deviceSends(const QByteArray& b) { ASSERT_EQ(::write(master, b.constData(), b.size()), b.size()); }
    QByteArray deviceReads() {
        QByteArray out;
        char buf[256];
        ::fcntl(master, F_SETFL, O_NONBLOCK);
        ssize_t n;
        while ((n = ::read(master, buf, sizeof buf)) > 0) out.append(buf, n);
        return out;
    }

    // The configurator's settings: 1 ms total read time-out, 10 ms interval.
    static Timeouts configurator() { return Timeouts{10, 0, 1, 0, 1500}; }
    // The programmer's: 100 ms between bytes, 4000 ms + 50 ms per byte in all.
    static Timeouts programmer() { return Timeouts{100, 50, 4000, 500, 1500}; }

    int master = -1;
    int holder = -1;
    QString slavePath;
};

}  // namespace

TEST_F(PtyPair, OpenAppliesRawLineSettingsAndTheBaudRate) {
    PosixSerialPort port;
    ASSERT_EQ(port.openDevice(slavePath, LineSettings{57600}, configurator()), PortError::None);
    termios tio{};
    ASSERT_EQ(::tcgetattr(master, &tio), 0);
    EXPECT_EQ(::cfgetospeed(&tio), static_cast<speed_t>(B57600));
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_FALSE(tio.c_cflag & PARENB);
    EXPECT_FALSE(tio.c_cflag & CSTOPB);
    EXPECT_FALSE(tio.c_lflag & (ICANON | ECHO));
    EXPECT_FALSE(tio.c_iflag & (ICRNL | IXON));
    EXPECT_FALSE(tio.c_oflag & OPOST);
}

TEST_F(PtyPair, BytesCrossUnchangedBothWays) {
    PosixSerialPort port;
    ASSERT_EQ(port.openDevice(slavePath, LineSettings{9600}, programmer()), PortError::None);
    const QByteArray frame(":65514A\r\n\x00\x11\x13\xff", 13);
    ASSERT_EQ(port.write(reinterpret_cast<const uint8_t*>(frame.constData()), frame.size()).count, 13u);
    EXPECT_EQ(deviceReads(), frame);
    deviceSends(frame);
    uint8_t buf[13];
    const auto r = port.read(buf, sizeof buf);
    EXPECT_EQ(r.error, PortError::None);
    EXPECT_EQ(QByteArray(reinterpret_cast<char*>(buf), static_cast<qsizetype>(r.count)), frame);
}

TEST_F(PtyPair, OneByteReadWithNothingWaitingReturnsAfterTheTotalTimeout) {
    PosixSerialPort port;
    Timeouts t = configurator();
    t.readTotalConstantMs = 30;
    ASSERT_EQ(port.openDevice(slavePath, LineSettings{9600}, t), PortError::None);
    uint8_t b;
    QElapsedTimer clock;
    clock.start();
    const auto r = port.read(&b, 1);
    EXPECT_EQ(r.count, 0u);
    EXPECT_EQ(r.error, PortError::TimedOut);
    EXPECT_GE(clock.elapsed(), 25);
    EXPECT_LT(clock.elapsed(), 2000);
}

TEST_F(PtyPair, MultiByteReadEndsAtTheIntervalAfterTheLastByte) {
    PosixSerialPort port;
    ASSERT_EQ(port.openDevice(slavePath, LineSettings{9600}, programmer()), PortError::None);
    deviceSends("KES");
    uint8_t buf[7];
    QElapsedTimer clock;
    clock.start();
    const auto r = port.read(buf, 7);
    // Three bytes then silence: the 100 ms interval ends the read long before 4350 ms.
    EXPECT_EQ(r.count, 3u);
    EXPECT_EQ(r.error, PortError::TimedOut);
    EXPECT_GE(clock.elapsed(), 90);
    EXPECT_LT(clock.elapsed(), 3000);
}

TEST_F(PtyPair, CountsWaitingBytesAndPurgesThem) {
    PosixSerialPort port;
    ASSERT_EQ(port.openDevice(slavePath, LineSettings{19200}, programmer()), PortError::None);
    EXPECT_EQ(port.bytesWaiting(), 0u);
    deviceSends("ABCDEFG");
    for (int i = 0; i < 100 && port.bytesWaiting() < 7; ++i) ::usleep(1000);
    EXPECT_EQ(port.bytesWaiting(), 7u);
    port.purge(true, false);
    EXPECT_EQ(port.bytesWaiting(), 0u);
}

TEST_F(PtyPair, ASecondOpenerIsRefusedUntilTheFirstCloses) {
    PosixSerialPort first, second;
    ASSERT_EQ(first.openDevice(slavePath, LineSettings{9600}, configurator()), PortError::None);
    EXPECT_EQ(second.openDevice(slavePath, LineSettings{9600}, configurator()), PortError::Busy);
    first.close();
    EXPECT_EQ(second.openDevice(slavePath, LineSettings{9600}, configurator()), PortError::None);
}

TEST_F(PtyPair, MissingDevicesAndUnsupportedRatesAreNamed) {
    PosixSerialPort port;
    EXPECT_EQ(port.openDevice(QStringLiteral("/dev/nonexistent-tty"), LineSettings{9600}, configurator()),
              PortError::NotFound);
    EXPECT_EQ(port.openDevice(slavePath, LineSettings{12345}, configurator()), PortError::Settings);
    uint8_t b = 0;
    EXPECT_EQ(port.write(&b, 1).error, PortError::NotOpen);
}

TEST_F(PtyPair, ReadinessWakesTheWindowThreadAndAVanishedLineIsAnError) {
    PosixSerialPort port;
    int wakes = 0;
    port.setReadyHandler([&] {
        ++wakes;
        uint8_t buf[16];
        port.read(buf, sizeof buf);
    });
    ASSERT_EQ(port.openDevice(slavePath, LineSettings{9600}, configurator()), PortError::None);
    deviceSends("x");
    for (int i = 0; i < 200 && wakes == 0; ++i) {
        QCoreApplication::processEvents();
        ::usleep(1000);
    }
    EXPECT_GE(wakes, 1);
    // The device side goes away entirely: reads fail instead of spinning.
    ::close(holder);
    holder = ::open("/dev/null", O_RDONLY);
    ::close(master);
    master = ::open("/dev/null", O_RDONLY);
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    const int before = wakes;
    for (int i = 0; i < 50; ++i) QCoreApplication::processEvents();
    EXPECT_LE(wakes - before, 1);
    uint8_t b;
    EXPECT_EQ(port.read(&b, 1).error, PortError::Io);
}

namespace {

// Answers every byte it hears with the byte + 1, and says "hi" on demand.
class EchoDevice : public SimulatedDevice {
public:
    void attach(HostLink* link) override { link_ = link; }
    void received(const QByteArray& bytes) override {
        heard += bytes;
        QByteArray out;
        for (char c : bytes) out.append(static_cast<char>(c + 1));
        if (link_) link_->send(out);
    }
    HostLink* link_ = nullptr;
    QByteArray heard;
};

QByteArray readFor(PosixSerialPort& port, int count, int maxMs) {
    QByteArray got;
    QElapsedTimer clock;
    clock.start();
    while (got.size() < count && clock.elapsed() < maxMs) {
        QCoreApplication::processEvents();
        const std::size_t n = port.bytesWaiting();
        if (n) {
            QByteArray buf(static_cast<qsizetype>(n), '\0');
            const auto r = port.read(reinterpret_cast<uint8_t*>(buf.data()), n);
            got.append(buf.left(static_cast<qsizetype>(r.count)));
        }
        ::usleep(200);
    }
    return got;
}

}  // namespace

TEST(PtyHost, ADeviceBehindAPtyAnswersThroughTheTermiosPort) {
    EchoDevice device;
    PtyHost host(&device, /*pacing=*/false);
    QString error;
    ASSERT_TRUE(host.open(QString(), &error)) << error.toStdString();
    PosixSerialPort port;
    ASSERT_EQ(port.openDevice(host.slavePath(), LineSettings{38400}, Timeouts{10, 0, 1, 0, 1500}),
              PortError::None);
    EXPECT_EQ(host.hostBaud(), 38400);
    const uint8_t req[] = {'A', '\r', '\n', 0x00};
    port.write(req, sizeof req);
    EXPECT_EQ(readFor(port, 4, 2000), QByteArray("B\x0e\x0b\x01", 4));
    EXPECT_EQ(device.heard, QByteArray("A\r\n\0", 4));
}

TEST(PtyHost, PacesItsBytesAtTheRateTheProgramSet) {
    EchoDevice device;
    PtyHost host(&device, /*pacing=*/true);
    ASSERT_TRUE(host.open());
    PosixSerialPort port;
    ASSERT_EQ(port.openDevice(host.slavePath(), LineSettings{1200}, Timeouts{10, 0, 1, 0, 1500}),
              PortError::None);
    QElapsedTimer clock;
    clock.start();
    device.link_->send(QByteArray(12, 'x'));
    // 12 bytes at 1200 baud take 100 ms on a real line.
    EXPECT_EQ(readFor(port, 12, 3000).size(), 12);
    EXPECT_GE(clock.elapsed(), 80);
}

TEST(PtyHost, KeepsAStableLinkAndRemovesItAtTheEnd) {
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("ttyVELDAR"));
    {
        EchoDevice device;
        PtyHost host(&device, false);
        ASSERT_TRUE(host.open(link));
        EXPECT_EQ(QFile::symLinkTarget(link), host.slavePath());
        PosixSerialPort port;
        EXPECT_EQ(port.openDevice(link, LineSettings{9600}, Timeouts{}), PortError::None);
    }
    EXPECT_FALSE(QFileInfo::exists(link));
    EXPECT_TRUE(QFileInfo(link).symLinkTarget().isEmpty());
}
