// The program's port: writing with the transmit lamp and the loader question, and the whole
// way from login to a real (pseudo-)terminal.
#include "configurator/support/configurator_under_test.h"

#include "configurator/app/mainform.h"
#include "configurator/app/settings.h"
#include "configurator/app/status_panels.h"
#include "configurator/link/comport.h"
#include "configurator/link/indicator.h"

#include "platform/serial/posix_serial_port.h"

#include <QProgressBar>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

using veldar::ComPort;
using veldar::Settings;
using veldar::StatusPanels;
using veldartest::ConfiguratorUnderTest;
using veldartest::RecordingDevice;

namespace {

// The unit page's loader state as the port sees it.
struct FakeLoader : veldar::LoaderGate {
    bool inLoader() const override { return loader; }
    void leftLoader() override {
        loader = false;
        ++left;
    }
    bool loader = true;
    int left = 0;
};

class Port : public ::testing::Test {
protected:
    Port() : wire(scheduler, &device), tx(&lamp, scheduler, 100) {
        ports.add(QStringLiteral("COM1"), &wire);
        dialogs.setStrict(true);
    }

    platform::VirtualScheduler scheduler;
    RecordingDevice device;
    platform::InProcessWire wire;
    platform::WirePortFactory ports;
    platform::ScriptedDialogs dialogs{[](const QString& what) { ADD_FAILURE() << what.toStdString(); }};
    QProgressBar lamp;
    veldar::Indicator tx;
    ComPort port{ports, dialogs, tx, nullptr};
};

}  // namespace

TEST_F(Port, WritingWithoutAnOpenPortGivesMinusOne) {
    EXPECT_EQ(port.write("abc"), -1);
    ASSERT_FALSE(port.open(QStringLiteral("COM2"), 9600));
    EXPECT_EQ(port.write("abc"), -1);
    EXPECT_FALSE(tx.lit());
}

TEST_F(Port, AWriteLightsTheTransmitLampForAbout100Ms) {
    ASSERT_TRUE(port.open(QStringLiteral("COM1"), 19200));
    EXPECT_EQ(wire.hostBaud(), 19200);
    EXPECT_EQ(port.write(":65514A\r\n"), 9);
    EXPECT_EQ(device.heard(), QByteArray(":65514A\r\n"));
    EXPECT_TRUE(tx.lit());
    EXPECT_EQ(lamp.value(), 10);
    scheduler.advance(60);
    // A second write while lit does not prolong the lamp.
    port.write("x");
    scheduler.advance(39);
    EXPECT_TRUE(tx.lit());
    scheduler.advance(1);
    EXPECT_FALSE(tx.lit());
    EXPECT_EQ(lamp.value(), 0);
}

TEST_F(Port, OpeningDropsWhatWaitedAndClosingStopsTheWrites) {
    ASSERT_TRUE(port.open(QStringLiteral("COM1"), 9600));
    device.say("stale");
    scheduler.advance(50);
    ASSERT_GT(port.device().bytesWaiting(), 0u);
    ASSERT_TRUE(port.open(QStringLiteral("COM1"), 9600));
    EXPECT_EQ(port.device().bytesWaiting(), 0u);
    port.close();
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(wire.hostOpen());
    EXPECT_EQ(port.write("x"), -1);
}

TEST_F(Port, AUnitInItsLoaderIsAskedBackToWorkBeforeTheWrite) {
    FakeLoader loader;
    port.setLoaderGate(&loader);
    ASSERT_TRUE(port.open(QStringLiteral("COM1"), 9600));
    const QString question = QStringLiteral("Блок TVR находится в режиме загрузчика программ.\nПерейте в рабочий режим?");

    dialogs.answer(question, platform::Answer::No);
    EXPECT_EQ(port.write(":6548D3\r\n"), 0);
    EXPECT_TRUE(device.heard().isEmpty());
    EXPECT_FALSE(tx.lit());
    EXPECT_EQ(loader.left, 0);
    EXPECT_EQ(dialogs.shown().back().buttons, platform::Buttons::YesNo);

    dialogs.answer(question, platform::Answer::Yes);
    EXPECT_EQ(port.write(":6548D3\r\n"), 9);
    EXPECT_EQ(device.heard(), QByteArray("E:6548D3\r\n"));
    EXPECT_EQ(loader.left, 1);

    // Back at work: no question any more.
    EXPECT_EQ(port.write("x"), 1);
    EXPECT_EQ(dialogs.shown().size(), 2u);
}

namespace {

// A pty pair; the test holds the master side as the device would.
struct Pty {
    Pty() {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) return;
        slave = QString::fromLocal8Bit(::ptsname(master));
        holder = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
        ::fcntl(master, F_SETFL, O_NONBLOCK);
    }
    ~Pty() {
        if (holder >= 0) ::close(holder);
        if (master >= 0) ::close(master);
    }
    QByteArray read() {
        QByteArray out;
        char buf[256];
        for (int tries = 0; tries < 200; ++tries) {
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n > 0) {
                out.append(buf, n);
                continue;
            }
            if (!out.isEmpty()) break;
            ::usleep(1000);
        }
        return out;
    }
    int master = -1;
    int holder = -1;
    QString slave;
};

}  // namespace

TEST(PortOverPty, TheLoginOpensTheMappedDeviceWithTheStoredRate) {
    Pty pty;
    ASSERT_GE(pty.master, 0);
    ConfiguratorUnderTest app;
    app.usePosixPorts();
    app.mapPort(QStringLiteral("COM1"), pty.slave);
    app.setSetting(Settings::kCurrComm, QStringLiteral("COM1"));
    app.setSetting(Settings::kBaudRate, QStringLiteral("6"));
    app.addAdministrator();
    app.start();
    app.logIn(ConfiguratorUnderTest::kAdminLogin, ConfiguratorUnderTest::kAdminPassword);
    app.expectBox(QStringLiteral("Порт COM1 успешно открыт!"));
    app.advance(500);
    ASSERT_TRUE(app.main().port().isOpen());
    EXPECT_EQ(app.statusPanel(StatusPanels::kBaudRate), QStringLiteral("57600"));

    termios tio{};
    ASSERT_EQ(::tcgetattr(pty.master, &tio), 0);
    EXPECT_EQ(::cfgetospeed(&tio), static_cast<speed_t>(B57600));
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_FALSE(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS));
    EXPECT_FALSE(tio.c_iflag & (IXON | IXOFF));

    EXPECT_EQ(app.main().port().write(":65514A\r\n"), 9);
    EXPECT_EQ(pty.read(), QByteArray(":65514A\r\n"));
    // Nothing waiting: a one-byte read gives up at once instead of blocking the window.
    std::uint8_t byte = 0;
    const auto r = app.main().port().device().read(&byte, 1);
    EXPECT_EQ(r.count, 0u);
    EXPECT_EQ(r.error, platform::PortError::TimedOut);
    ASSERT_EQ(::write(pty.master, "Y", 1), 1);
    ::usleep(20000);
    EXPECT_EQ(app.main().port().device().read(&byte, 1).count, 1u);
    EXPECT_EQ(byte, 'Y');
}

TEST(PortOverPty, APortHeldByAnotherProgramIsReportedBusy) {
    Pty pty;
    ASSERT_GE(pty.master, 0);
    platform::PosixSerialPort other;
    ASSERT_EQ(other.openDevice(pty.slave, platform::LineSettings{}, platform::Timeouts{}), platform::PortError::None);
    ConfiguratorUnderTest app;
    app.usePosixPorts();
    app.mapPort(QStringLiteral("COM1"), pty.slave);
    app.setSetting(Settings::kCurrComm, QStringLiteral("COM1"));
    app.addAdministrator();
    app.start();
    app.logIn(ConfiguratorUnderTest::kAdminLogin, ConfiguratorUnderTest::kAdminPassword);
    app.expectBox(QStringLiteral("Не удалось открыть порт COM1! Порт занят другой программой или отсутствует!"));
    app.advance(500);
    EXPECT_FALSE(app.main().port().isOpen());
    EXPECT_EQ(app.setting(Settings::kCurrComm), QStringLiteral("n/a"));
}
