// The whole road in real time: the tvr-sim program on a pty, ConfigVELDAR's port through the
// termios back end, a request out and its answer dispatched.
#include "link_support.h"

#include "configurator/link/sender.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

using namespace linktest;
using veldartest::ConfiguratorUnderTest;

TEST(LinkOverPty, ARequestToTheTvrSimProgramIsAnsweredAndDispatched) {
    QProcess sim;
    sim.start(QStringLiteral(TVR_SIM_PATH), {QStringLiteral("--units"), QStringLiteral("101,121"),
                                            QStringLiteral("--no-pacing")});
    ASSERT_TRUE(sim.waitForStarted(5000));
    ASSERT_TRUE(sim.waitForReadyRead(5000)) << sim.readAllStandardError().constData();
    const QString pty = QString::fromLocal8Bit(sim.readLine()).trimmed();
    ASSERT_TRUE(pty.startsWith(QLatin1String("/dev/"))) << pty.toStdString();

    {
        ConfiguratorUnderTest app;
        app.usePosixPorts();
        app.mapPort(QStringLiteral("COM1"), pty);
        app.startConnected();
        ASSERT_TRUE(app.main().port().isOpen());

        app.main().sender().sendRequest(121, 50);
        // The port's readiness comes through the event loop; the program's timers run in
        // virtual time beside it.
        QElapsedTimer waited;
        waited.start();
        while (app.logLinesContaining(answered(121, 50)) == 0 && waited.elapsed() < 5000) {
            QCoreApplication::processEvents();
            app.advance(1);
            QThread::msleep(1);
        }
        EXPECT_EQ(app.logLinesContaining(answered(121, 50)), 1);
        EXPECT_FALSE(app.main().waitAnsewerTimer().enabled());
        EXPECT_FALSE(app.main().receivePath().rsTimer().enabled());
    }
    sim.terminate();
    EXPECT_TRUE(sim.waitForFinished(5000));
}
