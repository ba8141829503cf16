// The settings image as bytes: the default content at the block offsets, the signature sum,
// the default density tables file and the names of settings and backup files.
#include "configurator/image/default_settings.h"
#include "configurator/image/density_defaults.h"
#include "configurator/image/image_layout.h"
#include "configurator/image/readwritesettingsfile.h"
#include "configurator/image/signaturecrc.h"

#include "simulators/tvr/density_tables.h"
#include "simulators/tvr/factory_settings.h"

#include <QFile>

#include <gtest/gtest.h>

#include <initializer_list>

using namespace veldar;

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (const int v : values) b.append(static_cast<char>(v));
    return b;
}

QByteArray dataFile() {
    QFile f(QStringLiteral(VELDAR_DATA_DIR "/default_density_tables.txt"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

}  // namespace

TEST(DefaultSettings, BlocksHoldTheirDefaultBytesAtTheirOffsets) {
    const QByteArray image = builtInDefaultSettings();
    ASSERT_EQ(image.size(), 29824);
    const QByteArray ff(1, '\xFF');
    const struct {
        const char* what;
        int offset;
        QByteArray expected;
    } cases[] = {
        {"calibration 1, rows 1 and 2", 0, bytes({0x03, 0xE8, 0x00, 0x00, 0x00, 0x0A, 0x00, 0x0B})},
        {"calibration 8, rows 1 and 2", 9856, bytes({0x03, 0xE8, 0x00, 0x00, 0x00, 0x0A, 0x00, 0x0B})},
        {"calibration 1, row 120", 476, bytes({0x04, 0xA1, 0x23, 0xEC})},
        {"calibration 1, row 352 repeats row 120", 1404, bytes({0x04, 0xA1, 0x23, 0xEC})},
        {"relay outputs", 11264, QByteArray(8, '\x80') + ff},
        {"common settings", 11392, bytes({0x00, 0x00, 0x51, 0x62, 0x01, 0xC2, 0x01, 0xC7})},
        {"common settings, KP of ШФЛУ and the ethane word", 11420, bytes({0x01, 0xF4, 0xFF, 0xFF})},
        {"constants 1", 11520, bytes({0x00, 0x1B, 0x58, 0xD1, 0x01, 0x01, 0x86, 0xA0})},
        {"constants 1, last value and tail", 11602, bytes({0x00, 0xC8, 0xFF})},
        {"constants 8", 12416, bytes({0x00, 0x1B, 0x58, 0xD1, 0x01, 0x01, 0x86, 0xA0})},
        {"liquid density temperatures", 12544, bytes({21, 0xCE, 0xD3, 0xD8})},
        {"liquid density, last temperature and tail", 12565, bytes({0x32, 0xFF})},
        {"liquid density, Пропан at -50", 12608, bytes({21, 0x09, 0x04, 0x34})},
        {"liquid density, ШФЛУ at 50 (590.6)", 12544 + 13 * 64 + 61, bytes({0x09, 0x03, 0x08})},
        {"liquid density, unused tail", 12544 + 896, ff},
        {"vapour density, Пропан at -50 (1.39)", 14272, bytes({21, 0x02, 0x1E, 0xF8})},
        {"vapour density, unused tail", 14208 + 1663, ff},
        {"extended 1, rows 1 and 2", 15872, bytes({0x00, 0x00, 0x00, 0x00, 0x00, 0x0A, 0x00, 0x0A})},
        {"extended 1, row 352", 15872 + 1404, bytes({0x0D, 0xB6, 0x0D, 0xB6})},
        {"extended 8, rows 1 and 2", 25728, bytes({0x00, 0x00, 0x00, 0x00, 0x00, 0x0A, 0x00, 0x0A})},
        {"instrumental 1", 27136, bytes({31, 0xCE, 0x00, 0x96, 0xD3, 0x00, 0x87})},
        {"instrumental 8, last entry and tail", 28032 + 91, bytes({0x64, 0x00, 0xF7, 0xFF})},
        {"gas pressure", 28160, QByteArray(1664, '\xFF')},
    };
    for (const auto& c : cases)
        EXPECT_EQ(image.mid(c.offset, c.expected.size()).toHex(' '), c.expected.toHex(' ')) << c.what;
    EXPECT_EQ(image.mid(11264 + 8, 120), QByteArray(120, '\xFF'));
    EXPECT_EQ(image.mid(11392 + 30, 98), QByteArray(98, '\xFF'));
    EXPECT_EQ(image.mid(28032 + 94, 34), QByteArray(34, '\xFF'));
}

TEST(DefaultSettings, BlockOffsetsOfTheFirstAndLastChannel) {
    EXPECT_EQ(image::constantsOffset(1), 11520);
    EXPECT_EQ(image::constantsOffset(8), 12416);
    EXPECT_EQ(image::extendedOffset(1), 15872);
    EXPECT_EQ(image::extendedOffset(8), 25728);
    EXPECT_EQ(image::instrumentalOffset(8), 28032);
    EXPECT_EQ(image::calibrationOffset(8), 9856);
}

TEST(DefaultSettings, ANewFileHoldsWhatANewUnitHolds) {
    EXPECT_EQ(builtInDefaultSettings(), tvrsim::factorySettings(tvrsim::builtInDensityTables()));
}

TEST(SignatureCrc, CheckValues) {
    EXPECT_EQ(SignatureCrc(QByteArray("123456789")), 0xBB3D);
    EXPECT_EQ(SignatureCrc(QByteArray("abc")), 0x9738);
    EXPECT_EQ(SignatureCrc(QByteArray()), 0);
    EXPECT_EQ(SignatureCrc(QByteArray(1, '\x01')), 0xC0C1);
}

TEST(DensityDefaultsFile, TheSharedFileGivesTheFourTables) {
    DensityFileError error;
    const auto tables = parseDensityDefaults(dataFile(), &error);
    ASSERT_TRUE(tables) << error.line << ": " << error.reason.toStdString();
    EXPECT_EQ(tables->liquidExtended.temperatures.front(), -50);
    EXPECT_EQ(tables->liquidExtended.temperatures.back(), 50);
    EXPECT_EQ(tables->liquidExtended.scaled[0][0], 590900u);
    EXPECT_EQ(tables->vapourExtended.scaled[20][12], 791000u);
    EXPECT_EQ(tables->liquidShort.scaled[0][0], 596900u);
    EXPECT_EQ(tables->vapourShort.scaled[0][0], 145000u);
    EXPECT_EQ(builtInDensityDefaults().liquidExtended.scaled, tables->liquidExtended.scaled);
}

TEST(DensityDefaultsFile, AFaultyFileIsRefusedWithTheLineAndTheReason) {
    const QByteArray good = dataFile();
    const QByteArray firstRow = " -50    590.9    596.9    602.9      609      615      621      627      633    639.1    645.1    651.1    676.1    699.1";
    const QByteArray lastRow = "  50    451.3    460.4    469.6    478.7    487.9      497    506.1    515.3    524.4    533.6    542.7    567.6    590.6";
    ASSERT_TRUE(good.contains(firstRow));
    ASSERT_TRUE(good.contains(lastRow));
    const auto firstRowAs = [&](const char* row) { return QByteArray(good).replace(firstRow, row); };
    const int firstRowLine = static_cast<int>(good.left(good.indexOf(firstRow)).count('\n')) + 1;
    const struct {
        const char* what;
        QByteArray text;
        int line;
        const char* reason;
    } cases[] = {
        {"thirteen numbers", firstRowAs("-50 590.9 596.9 602.9 609 615 621 627 633 639.1 645.1 651.1 676.1"), firstRowLine,
         "13 numbers instead of 14"},
        {"wrong temperature", firstRowAs("-45 1 1 1 1 1 1 1 1 1 1 1 1 1"), firstRowLine, "temperature \"-45\" where -50 belongs"},
        {"four decimals in a liquid table", firstRowAs("-50 590.9001 1 1 1 1 1 1 1 1 1 1 1 1"), firstRowLine,
         "\"590.9001\" has more than 3 decimals"},
        {"too large", firstRowAs("-50 16777.216 1 1 1 1 1 1 1 1 1 1 1 1"), firstRowLine,
         "\"16777.216\" does not fit in 24 bits once scaled"},
        {"signed density", firstRowAs("-50 -1 1 1 1 1 1 1 1 1 1 1 1 1"), firstRowLine, "\"-1\" is not a plain decimal number"},
        {"exponent", firstRowAs("-50 5e2 1 1 1 1 1 1 1 1 1 1 1 1"), firstRowLine, "\"5e2\" is not a plain decimal number"},
        {"comma", firstRowAs("-50 590,9 1 1 1 1 1 1 1 1 1 1 1 1"), firstRowLine, "\"590,9\" is not a plain decimal number"},
        {"duplicate table", QByteArray(good).replace("table vapour-short", "table liquid-short"), 93,
         "table liquid-short appears twice"},
        {"unknown table", QByteArray(good).replace("table vapour-short", "table gas"), 93, "unknown table \"gas\""},
        {"row before any table", "1 2 3\n", 1, "a row before the first \"table\" line"},
        {"short table", QByteArray(good).replace(lastRow, "# gone"), 45, "table liquid-extended has 20 rows instead of 21"},
        {"no tables at all", "# nothing\n", 0, "table liquid-extended is missing"},
    };
    for (const auto& c : cases) {
        DensityFileError error;
        EXPECT_FALSE(parseDensityDefaults(c.text, &error)) << c.what;
        EXPECT_EQ(error.line, c.line) << c.what;
        EXPECT_EQ(error.reason.toStdString(), c.reason) << c.what;
    }
}

TEST(SettingsFileNames, SettingsAndBackupNames) {
    EXPECT_EQ(settingsFileName(QStringLiteral("/s"), 105), QStringLiteral("/s/TVR105_SETTINGS.BIN"));
    EXPECT_EQ(settingsFileName(QStringLiteral("/s"), 7), QStringLiteral("/s/TVR7_SETTINGS.BIN"));
    const QDateTime at(QDate(2012, 3, 7), QTime(9, 5, 41));
    EXPECT_EQ(backupFileName(QStringLiteral("/s"), 105, at),
              QStringLiteral("/s/Резервные копии настроек/TVR105_SETTINGS_BACKUP(07_03_2012__09_05_41).BIN"));
    EXPECT_EQ(backupFileName(QStringLiteral("/s"), 105, at, 2),
              QStringLiteral("/s/Резервные копии настроек/TVR105_SETTINGS_BACKUP(07_03_2012__09_05_41)_2.BIN"));
    EXPECT_EQ(backupFileName(QStringLiteral("/s"), 230, QDateTime(QDate(2013, 12, 31), QTime(23, 59, 9))),
              QStringLiteral("/s/Резервные копии настроек/TVR230_SETTINGS_BACKUP(31_12_2013__23_59_09).BIN"));
}
