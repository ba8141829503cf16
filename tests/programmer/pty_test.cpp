// Burnet's window as main() wires it (termios ports through the port map, real time) against
// the isp-sim executable on a pty. Runs in real time: a few seconds.
#include "support/burnet_under_test.h"
#include "support/widgets.h"

#include "programmer/app/profile.h"
#include "programmer/app/programmerdlg.h"

#include "platform/registry/registry.h"
#include "platform/serial/port_map.h"
#include "platform/serial/posix_serial_port.h"
#include "platform/timing/qt_scheduler.h"
#include "platform/ui/scripted_dialogs.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace burnet;

namespace {

// The isp-sim executable on a pty behind a link; ended however the test ends.
class Simulator {
public:
    Simulator(const QString& link, const QStringList& args) {
        process_.setProgram(QStringLiteral(ISP_SIM_PATH));
        process_.setArguments(QStringList{QStringLiteral("--link"), link} + args);
        process_.start();
        if (process_.waitForStarted(5000))
            while (!process_.canReadLine() && process_.waitForReadyRead(5000)) {
            }
        running_ = process_.canReadLine();
    }
    ~Simulator() {
        process_.terminate();
        if (!process_.waitForFinished(5000)) process_.kill();
        process_.waitForFinished(5000);
    }
    bool running() const { return running_; }

private:
    QProcess process_;
    bool running_ = false;
};

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(OverAPty, TheWindowProgramsVerifiesAndReadsBackTheFlash) {
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("ttyISP"));
    Simulator simulator(link, {QStringLiteral("--part"), QStringLiteral("m8"), QStringLiteral("--no-pacing")});
    ASSERT_TRUE(simulator.running());

    platform::Registry registry(dir.filePath(QStringLiteral("registry")));
    platform::PortMap portMap(registry);
    portMap.setEntry(QStringLiteral("COM1"), link);
    platform::PosixSerialPortFactory ports(portMap);
    platform::QtScheduler scheduler;
    platform::ScriptedDialogs dialogs([](const QString& what) { ADD_FAILURE() << what.toStdString(); });
    dialogs.setStrict(true);
    Profile profile(registry, settings::kRootKey);
    const QString input = dir.filePath(QStringLiteral("flash.hex"));
    const QByteArray hex = burnettest::hexOfMemory(burnettest::pattern(8192, 9));
    QFile file(input);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(hex) == hex.size());
    file.close();
    profile.WriteProfileString(settings::kFile, settings::kName, input);
    profile.WriteProfileString(settings::kDevice, settings::kName, QStringLiteral("ATmega8"));
    const Services services{scheduler, dialogs, registry, ports, {}};

    CProgrammerDlg window(services, profile);
    ASSERT_TRUE(window.OnInitDialog());
    window.show();
    testsupport::click(&window, QStringLiteral("1001"));
    EXPECT_EQ(testsupport::shownText(&window, QStringLiteral("1016")),
              QStringLiteral("擦除芯片...      编程...       检验...     OK"));

    const QString output = dir.filePath(QStringLiteral("read-back.hex"));
    dialogs.chooseFile(output);
    testsupport::click(&window, QStringLiteral("1000"));
    testsupport::click(&window, QStringLiteral("1021"));
    EXPECT_EQ(testsupport::shownText(&window, QStringLiteral("1016")), QStringLiteral("读取 Flash...   OK"));
    EXPECT_EQ(readAll(output), hex);
    EXPECT_TRUE(dialogs.shown().empty());
}
