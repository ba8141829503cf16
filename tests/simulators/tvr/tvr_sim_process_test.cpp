// The real tvr-sim program on a pty, driven through the termios back end, in real time.
#include "simulators/tvr/frame.h"

#include "platform/serial/posix_serial_port.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

using namespace tvrsim;

namespace {

constexpr const char* kProgram = TVR_SIM_PATH;

QByteArray image() {
    std::mt19937 r(5);
    QByteArray out;
    for (int i = 0; i < 29824; ++i) out.append(static_cast<char>(r() & 0xFF));
    return out;
}

// Reads from the port until a whole line has come or the port's time-outs end the read.
std::optional<ReceivedLine> readLine(platform::SerialPort& port) {
    FrameReader reader;
    for (int reads = 0; reads < 200; ++reads) {
        std::uint8_t buf[64];
        const platform::IoResult r = port.read(buf, sizeof buf);
        for (std::size_t i = 0; i < r.count; ++i)
            if (auto line = reader.feed(static_cast<char>(buf[i]))) return line;
        if (r.count == 0) return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

TEST(TvrSimProgram, AnswersAFrameThroughTheTermiosPortAndEndsCleanly) {
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("ttyTVR"));
    const QString imageFile = dir.filePath(QStringLiteral("TVR121_SETTINGS.BIN"));
    const QString logFile = dir.filePath(QStringLiteral("line.log"));
    QFile f(imageFile);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(image());
    f.close();

    QProcess sim;
    sim.start(QString::fromLocal8Bit(kProgram),
              {QStringLiteral("--units"), QStringLiteral("101,121"), QStringLiteral("--image"),
               QStringLiteral("121=") + imageFile, QStringLiteral("--link"), link,
               QStringLiteral("--log"), logFile, QStringLiteral("--no-pacing")});
    ASSERT_TRUE(sim.waitForStarted(5000));
    ASSERT_TRUE(sim.waitForReadyRead(5000)) << sim.readAllStandardError().constData();
    const QString ptyPath = QString::fromLocal8Bit(sim.readLine()).trimmed();
    EXPECT_TRUE(ptyPath.startsWith(QLatin1String("/dev/pts/"))) << ptyPath.toStdString();
    EXPECT_EQ(QFile::symLinkTarget(link), ptyPath);

    {
        platform::PosixSerialPort port;
        ASSERT_EQ(port.openDevice(link, platform::LineSettings{9600},
                                  platform::Timeouts{200, 0, 2000, 0, 1500}),
                  platform::PortError::None);
        const QByteArray version = Frame{101, 81, {}}.wire();
        port.write(reinterpret_cast<const std::uint8_t*>(version.constData()),
                   static_cast<std::size_t>(version.size()));
        const std::optional<ReceivedLine> answer = readLine(port);
        ASSERT_TRUE(answer);
        ASSERT_EQ(answer->fault, LineFault::None);
        EXPECT_EQ(answer->frame.address, 101);
        EXPECT_EQ(answer->frame.command, 81);
        EXPECT_EQ(static_cast<std::uint8_t>(answer->frame.data.at(3)), 60);

        const QByteArray page = Frame{121, 87, QByteArray(1, '\x05')}.wire();
        port.write(reinterpret_cast<const std::uint8_t*>(page.constData()),
                   static_cast<std::size_t>(page.size()));
        const std::optional<ReceivedLine> pageAnswer = readLine(port);
        ASSERT_TRUE(pageAnswer);
        EXPECT_EQ(pageAnswer->frame.data, QByteArray(1, '\x05') + image().mid(5 * 128, 128));
    }

    sim.terminate();  // SIGTERM
    ASSERT_TRUE(sim.waitForFinished(5000));
    EXPECT_EQ(sim.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(sim.exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(link)) << "the link is left behind";
    QFile log(logFile);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray text = log.readAll();
    EXPECT_TRUE(text.contains("host     :65514A")) << text.constData();
    EXPECT_TRUE(text.contains("unit 121 :7957")) << text.constData();
}

TEST(TvrSimProgram, RefusesAnImageOfTheWrongSize) {
    QTemporaryDir dir;
    const QString imageFile = dir.filePath(QStringLiteral("short.bin"));
    QFile f(imageFile);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(1000, '\0'));
    f.close();
    QProcess sim;
    sim.start(QString::fromLocal8Bit(kProgram),
              {QStringLiteral("--image"), QStringLiteral("101=") + imageFile});
    ASSERT_TRUE(sim.waitForFinished(5000));
    EXPECT_EQ(sim.exitCode(), 2);
    EXPECT_TRUE(sim.readAllStandardOutput().isEmpty());
    EXPECT_TRUE(sim.readAllStandardError().contains("1000 bytes; a settings image has 29824"));
}
