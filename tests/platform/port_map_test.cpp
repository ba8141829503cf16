#include "platform/registry/registry.h"
#include "platform/serial/port_map.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace platform;

TEST(PortMap, ExplicitEntriesFirstThenPresentDevicesInOrder) {
    QTemporaryDir dir;
    Registry reg(dir.path());
    PortMap map(reg);
    map.setDeviceSource({QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyUSB1"),
                         QStringLiteral("/dev/ttyACM0")});
    EXPECT_EQ(map.devicePath(QStringLiteral("COM1")), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(map.devicePath(QStringLiteral("COM3")), QStringLiteral("/dev/ttyACM0"));
    EXPECT_EQ(map.devicePath(QStringLiteral("COM4")), QString());

    // A simulator's pty on COM2; the device it displaced moves up.
    map.setEntry(QStringLiteral("COM2"), QStringLiteral("/tmp/veldar/ttyTVR"));
    EXPECT_EQ(map.devicePath(QStringLiteral("COM1")), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(map.devicePath(QStringLiteral("com2")), QStringLiteral("/tmp/veldar/ttyTVR"));
    EXPECT_EQ(map.devicePath(QStringLiteral("COM3")), QStringLiteral("/dev/ttyUSB1"));
    // An entry naming a present device takes it out of the default sharing.
    map.setEntry(QStringLiteral("COM5"), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(map.devicePath(QStringLiteral("COM1")), QStringLiteral("/dev/ttyUSB1"));

    EXPECT_EQ(map.devicePath(QStringLiteral("/dev/ttyS7")), QStringLiteral("/dev/ttyS7"));
    EXPECT_EQ(map.devicePath(QStringLiteral("COM16")), QString());
    EXPECT_EQ(map.devicePath(QStringLiteral("LPT1")), QString());
    EXPECT_EQ(map.describe().size(), 15);
}

TEST(PortMap, OnlyRealUartsAmongTheLegacyPorts) {
    QTemporaryDir dev, sys;
    for (const char* n : {"ttyS0", "ttyS1", "ttyS10", "ttyUSB2", "ttyUSB10", "ttyACM0", "tty1"}) {
        QFile f(dev.filePath(QString::fromLatin1(n)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    for (auto [n, type] : {std::pair{"ttyS0", "0"}, std::pair{"ttyS1", "4"}, std::pair{"ttyS10", "4"}}) {
        QDir(sys.path()).mkpath(QString::fromLatin1(n));
        QFile f(sys.filePath(QString::fromLatin1(n) + QStringLiteral("/type")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(type);
    }
    const QStringList found = PortMap::presentDevices(dev.path(), sys.path());
    const QStringList expected = {dev.filePath(QStringLiteral("ttyUSB2")), dev.filePath(QStringLiteral("ttyUSB10")),
                                  dev.filePath(QStringLiteral("ttyACM0")), dev.filePath(QStringLiteral("ttyS1")),
                                  dev.filePath(QStringLiteral("ttyS10"))};
    EXPECT_EQ(found, expected);
}
