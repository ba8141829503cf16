#include "simulators/isp/options.h"

#include <gtest/gtest.h>

using namespace ispsim;

namespace {

ParsedOptions parse(const QString& line) {
    QStringList args{QStringLiteral("isp-sim")};
    args += line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return parseOptions(args);
}

}  // namespace

TEST(Options, DefaultsAreAnInSystemProgrammerForATmega16) {
    const ParsedOptions p = parse(QString());
    ASSERT_TRUE(p.error.isEmpty());
    EXPECT_EQ(p.options.partId, QStringLiteral("m16"));
    EXPECT_FALSE(p.options.config.bootLoader);
    EXPECT_EQ(p.options.config.blockSize, 128);
    EXPECT_EQ(p.options.config.deviceList.size(), static_cast<int>(allParts().size()));
    EXPECT_TRUE(p.options.pacing);
    EXPECT_TRUE(p.options.targetPresent);
}

TEST(Options, SwitchesReachTheConfiguration) {
    const ParsedOptions p = parse(QStringLiteral(
        "--link /tmp/x --part M128 --type P --no-block --no-autoinc --param-version 5 --id KES-AB1 "
        "--realistic --no-pacing --log /tmp/l --baud 19200 --no-target --no-lamps --upgrade-mode"));
    ASSERT_TRUE(p.error.isEmpty()) << p.error.toStdString();
    const Options& o = p.options;
    EXPECT_EQ(o.linkPath, QStringLiteral("/tmp/x"));
    EXPECT_EQ(o.partId, QStringLiteral("m128"));
    EXPECT_EQ(o.config.type, 'P');
    EXPECT_EQ(o.config.programmerTypes, QByteArray("P"));
    EXPECT_EQ(o.config.blockSize, 0);
    EXPECT_FALSE(o.config.autoIncrement);
    EXPECT_EQ(o.config.paramVersion, 5);
    EXPECT_TRUE(o.config.deviceList.isEmpty());
    EXPECT_EQ(o.config.identifier, QByteArray("KES-AB1"));
    EXPECT_TRUE(o.config.realisticTiming);
    EXPECT_FALSE(o.pacing);
    EXPECT_EQ(o.logPath, QStringLiteral("/tmp/l"));
    EXPECT_EQ(o.config.listenBaud, 19200);
    EXPECT_FALSE(o.targetPresent);
    EXPECT_FALSE(o.config.hasLamps);
    EXPECT_TRUE(o.config.upgradeMode);
}

TEST(Options, BootLoaderAndDeviceList) {
    const ParsedOptions boot = parse(QStringLiteral("--bootloader --part m128"));
    ASSERT_TRUE(boot.error.isEmpty());
    EXPECT_TRUE(boot.options.config.bootLoader);
    EXPECT_EQ(boot.options.config.blockSize, 256);
    EXPECT_EQ(boot.options.config.deviceList, QByteArray("\x44"));
    const ParsedOptions list = parse(QStringLiteral("--devices 74,43"));
    EXPECT_EQ(list.options.config.deviceList, QByteArray("\x74\x43"));
}

TEST(Options, WrongCommandLinesAreRefusedWithAReason) {
    struct Case {
        const char* line;
        const char* says;
    } cases[] = {
        {"--part m999", "unknown part"},
        {"--bootloader --part 8515", "no boot loader section"},
        {"--bootloader --param-version 2", "does not apply"},
        {"--type X", "S or P"},
        {"--block 0", "--block"},
        {"--block 128 --no-block", "exclude"},
        {"--param-version 300", "0 to 255"},
        {"--param-version 1 --devices 74", "excludes --devices"},
        {"--devices 74,zz", "not a device code"},
        {"--id KES", "7 characters"},
        {"--frobnicate", "frobnicate"},
        {"stray", "unexpected argument"},
    };
    for (const Case& c : cases) {
        const ParsedOptions p = parse(QString::fromLatin1(c.line));
        EXPECT_TRUE(p.error.contains(QLatin1String(c.says))) << c.line << ": " << p.error.toStdString();
    }
}
