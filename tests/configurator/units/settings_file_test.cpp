// `Readwritesettingsfile` on disk: missing files, blocks written into new and short files,
// folders and files that cannot be made, writes cut short, and backups.
#include "configurator/app/eventlog.h"
#include "configurator/app/folders.h"
#include "configurator/app/log_line.h"
#include "configurator/app/settings.h"
#include "configurator/image/default_settings.h"
#include "configurator/image/image_layout.h"
#include "configurator/image/readwritesettingsfile.h"

#include "platform/fs/files.h"
#include "platform/registry/registry.h"
#include "platform/text/locale.h"
#include "platform/timing/clock.h"
#include "platform/timing/virtual_scheduler.h"
#include "platform/ui/scripted_dialogs.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace veldar;
using platform::Icon;

namespace {

class SettingsFile : public ::testing::Test {
protected:
    SettingsFile() {
        log_.setPane([this](const QString& line, int kind) { lines_.push_back({kind, line}); });
        useFolder(dir_.path() + QStringLiteral("/settings"));
    }

    void useFolder(const QString& path) {
        folders_.apply(path, dir_.path() + QStringLiteral("/data"));
        platform::fs::makePath(dir_.path() + QStringLiteral("/data"));
    }
    QString folder() const { return folders_.settingsPath(); }
    QByteArray onDisk(int address) const {
        QByteArray b;
        platform::fs::readFile(settingsFileName(folder(), address), b);
        return b;
    }
    // The log lines of one kind, without their time stamp.
    QStringList logged(int kind) const {
        QStringList out;
        for (const auto& [k, line] : lines_)
            if (k == kind) out << line.section(QLatin1Char('\t'), 1);
        return out;
    }
    QStringList backups() const {
        return QDir(folder() + QLatin1Char('/') + kBackupFolderName).entryList(QDir::Files, QDir::Name);
    }

    QTemporaryDir dir_;
    platform::VirtualScheduler scheduler_;
    platform::SchedulerClock clock_{scheduler_, QDateTime(QDate(2012, 3, 7), QTime(9, 5, 41))};
    platform::ScriptedDialogs dialogs_;
    platform::Registry registry_{dir_.path() + QStringLiteral("/registry")};
    Settings settings_{registry_};
    platform::Locale locale_ = platform::Locale::russian();
    EventLog log_{clock_, locale_, dialogs_};
    WorkingFolders folders_{settings_, log_, dir_.path()};
    std::vector<std::pair<int, QString>> lines_;
    Readwritesettingsfile file_{folders_, log_, dialogs_, clock_, nullptr};
};

const QByteArray kRelayDefault = QByteArray(8, '\x80') + QByteArray(120, '\xFF');

}  // namespace

TEST_F(SettingsFile, ReadingAUnitWithoutAFileAnnouncesItOnceAndReadsTheDefaultBlock) {
    QByteArray block;
    ASSERT_TRUE(file_.ReadSettingsBlock(105, image::kRelayOffset, block, 128));
    EXPECT_EQ(block, kRelayDefault);
    ASSERT_EQ(dialogs_.shown().size(), 1u);
    EXPECT_EQ(dialogs_.shown()[0].caption, QStringLiteral("VELDAR"));
    EXPECT_EQ(dialogs_.shown()[0].icon, Icon::Information);
    EXPECT_EQ(dialogs_.shown()[0].text, QStringLiteral("Файл с настройками ") + folder() +
                                            QStringLiteral("/TVR105_SETTINGS.BIN отсутствует. Сейчас будут загружены "
                                                           "настройки по умолчанию."));
    EXPECT_EQ(onDisk(105), builtInDefaultSettings());

    ASSERT_TRUE(file_.ReadSettingsBlock(105, image::kCommonOffset, block, 8));
    EXPECT_EQ(block.toHex(), QByteArray("0000516201c201c7"));
    EXPECT_EQ(dialogs_.shown().size(), 1u);
}

TEST_F(SettingsFile, AReadPastTheEndOfAShortFileFailsQuietlyAndLeavesTheBuffer) {
    ASSERT_TRUE(platform::fs::makePath(folder()));
    ASSERT_TRUE(platform::fs::replaceFile(settingsFileName(folder(), 101), QByteArray(11300, '\x11')));
    QByteArray block("kept");
    EXPECT_FALSE(file_.ReadSettingsBlock(101, image::kRelayOffset, block, 128));
    EXPECT_EQ(block, QByteArray("kept"));
    EXPECT_TRUE(file_.ReadSettingsBlock(101, image::kRelayOffset, block, 36));
    EXPECT_TRUE(dialogs_.shown().empty());
    EXPECT_TRUE(lines_.empty());
}

TEST_F(SettingsFile, ABlockWrittenWithoutAFileLandsInTheDefaultContent) {
    const QByteArray relay = QByteArray::fromHex("0102030405060708");
    ASSERT_TRUE(file_.WriteSettingsBlock(130, image::kRelayOffset, relay));
    QByteArray expected = builtInDefaultSettings();
    expected.replace(image::kRelayOffset, 8, relay);
    EXPECT_EQ(onDisk(130), expected);
    EXPECT_TRUE(dialogs_.shown().empty());

    const QByteArray common(32, '\x22');
    ASSERT_TRUE(file_.WriteSettingsBlock(130, image::kCommonOffset, common));
    expected.replace(image::kCommonOffset, 32, common);
    EXPECT_EQ(onDisk(130), expected);
}

TEST_F(SettingsFile, AShortFileIsCompletedFromTheDefaultContentWhenABlockIsWritten) {
    ASSERT_TRUE(platform::fs::makePath(folder()));
    ASSERT_TRUE(platform::fs::replaceFile(settingsFileName(folder(), 101), QByteArray(100, '\x11')));
    ASSERT_TRUE(file_.WriteSettingsBlock(101, image::kGasPressureOffset, QByteArray(4, '\x33')));
    QByteArray expected = QByteArray(100, '\x11') + builtInDefaultSettings().mid(100);
    expected.replace(image::kGasPressureOffset, 4, QByteArray(4, '\x33'));
    EXPECT_EQ(onDisk(101), expected);
}

TEST_F(SettingsFile, AMissingSettingsFolderIsCreatedWithItsParents) {
    useFolder(dir_.path() + QStringLiteral("/a/b/c"));
    ASSERT_TRUE(file_.CreateDefaultSettings(200));
    EXPECT_EQ(onDisk(200), builtInDefaultSettings());
}

TEST_F(SettingsFile, AFolderThatCannotBeMadeIsLoggedAndShown) {
    ASSERT_TRUE(platform::fs::replaceFile(dir_.path() + QStringLiteral("/plain"), "x"));
    useFolder(dir_.path() + QStringLiteral("/plain/settings"));
    EXPECT_FALSE(file_.WriteSettingsBlock(101, 0, QByteArray(4, '\0')));
    EXPECT_EQ(logged(kLogError), QStringList{QStringLiteral("Невозможно создать каталог хранения настроек ") + folder()});
    ASSERT_EQ(dialogs_.shown().size(), 1u);
    EXPECT_EQ(dialogs_.shown()[0].text, QStringLiteral("Невозможно создать каталог хранения настроек"));
    EXPECT_EQ(dialogs_.shown()[0].icon, Icon::Error);

    QByteArray block;
    EXPECT_FALSE(file_.ReadSettingsBlock(101, 0, block, 4));
    EXPECT_EQ(dialogs_.shown().size(), 3u);  // the missing file, then the folder again
}

TEST_F(SettingsFile, AFileThatCannotBeCreatedIsLoggedAndShown) {
    ASSERT_TRUE(platform::fs::makePath(settingsFileName(folder(), 101)));  // a folder in its place
    EXPECT_FALSE(file_.CreateDefaultSettings(101));
    EXPECT_FALSE(file_.WriteSettingsBlock(101, 0, QByteArray(4, '\0')));
    const QString text = QStringLiteral("Невозможно создать файл хранения настроек ") + settingsFileName(folder(), 101);
    EXPECT_EQ(logged(kLogError), QStringList({text, text}));
    ASSERT_EQ(dialogs_.shown().size(), 2u);
    EXPECT_EQ(dialogs_.shown()[1].text, QStringLiteral("Невозможно создать файл хранения настроек"));
}

TEST_F(SettingsFile, AWriteCutShortIsReportedAndLeavesTheOldFile) {
    ASSERT_TRUE(file_.CreateDefaultSettings(101));
    // A disk that fills up halfway: the file size limit cuts the write short, even for root.
    struct sigaction ignore {}, saved {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignore, &saved);
    rlimit limit{}, savedLimit{};
    ::getrlimit(RLIMIT_FSIZE, &savedLimit);
    limit.rlim_cur = 20000;
    limit.rlim_max = savedLimit.rlim_max;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const bool written = file_.WriteSettingsBlock(101, 0, QByteArray(image::kSize, '\x55'));
    ::setrlimit(RLIMIT_FSIZE, &savedLimit);
    ::sigaction(SIGXFSZ, &saved, nullptr);

    EXPECT_FALSE(written);
    EXPECT_EQ(onDisk(101), builtInDefaultSettings());
    ASSERT_EQ(logged(kLogError).size(), 1);
    EXPECT_TRUE(logged(kLogError)[0].startsWith(QStringLiteral("Невозможно записать файл хранения настроек ") +
                                                 settingsFileName(folder(), 101) + QStringLiteral(": ")));
    ASSERT_EQ(dialogs_.shown().size(), 1u);
    EXPECT_EQ(dialogs_.shown()[0].text, QStringLiteral("Невозможно записать файл хранения настроек"));
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(SettingsFile, ABackupMovesTheFileUnderItsTimeAndASecondInTheSameSecondGetsANumber) {
    ASSERT_TRUE(file_.CreateDefaultSettings(105));
    ASSERT_TRUE(file_.BackupSettingsFile(105));
    EXPECT_FALSE(file_.exists(105));
    ASSERT_TRUE(file_.WriteSettingsBlock(105, 0, QByteArray(4, '\x01')));
    ASSERT_TRUE(file_.BackupSettingsFile(105));
    EXPECT_EQ(backups(), QStringList({QStringLiteral("TVR105_SETTINGS_BACKUP(07_03_2012__09_05_41).BIN"),
                                      QStringLiteral("TVR105_SETTINGS_BACKUP(07_03_2012__09_05_41)_2.BIN")}));
    QByteArray second;
    ASSERT_TRUE(platform::fs::readFile(folder() + QLatin1Char('/') + kBackupFolderName +
                                           QStringLiteral("/TVR105_SETTINGS_BACKUP(07_03_2012__09_05_41)_2.BIN"),
                                       second));
    EXPECT_EQ(second.left(4), QByteArray(4, '\x01'));
    scheduler_.advance(1000);
    ASSERT_TRUE(file_.CreateDefaultSettings(105));
    ASSERT_TRUE(file_.BackupSettingsFile(105));
    EXPECT_EQ(backups().last(), QStringLiteral("TVR105_SETTINGS_BACKUP(07_03_2012__09_05_42).BIN"));
    EXPECT_TRUE(dialogs_.shown().empty());
}

TEST_F(SettingsFile, BackingUpAnAddressWithoutAFileChangesNothing) {
    ASSERT_TRUE(platform::fs::makePath(folder()));
    EXPECT_FALSE(file_.BackupSettingsFile(105));
    EXPECT_FALSE(platform::fs::dirExists(folder() + QLatin1Char('/') + kBackupFolderName));
    EXPECT_TRUE(dialogs_.shown().empty());
}

TEST_F(SettingsFile, ABackupFolderThatCannotBeMadeKeepsTheFileInPlace) {
    ASSERT_TRUE(file_.CreateDefaultSettings(105));
    ASSERT_TRUE(platform::fs::replaceFile(folder() + QLatin1Char('/') + kBackupFolderName, "x"));
    EXPECT_FALSE(file_.BackupSettingsFile(105));
    EXPECT_TRUE(file_.exists(105));
    EXPECT_EQ(logged(kLogError), QStringList{QStringLiteral("Невозможно создать каталог хранения резервных копий настроек") +
                                             settingsFileName(folder(), 105)});
    ASSERT_EQ(dialogs_.shown().size(), 1u);
    EXPECT_EQ(dialogs_.shown()[0].text, QStringLiteral("Невозможно создать каталог хранения резервных копий настроек"));
}
