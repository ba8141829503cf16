// The working folders: first-run defaults, the path dialog, and where the log goes.
#include "configurator/support/configurator_under_test.h"
#include "support/widgets.h"

#include "configurator/app/mainform.h"
#include "configurator/app/settings.h"

#include "platform/text/codepage.h"

#include <QDir>

#include <gtest/gtest.h>

using veldar::Settings;
using veldartest::ConfiguratorUnderTest;

TEST(Folders, AFirstRunUsesFoldersUnderTheUsersDataFolder) {
    ConfiguratorUnderTest app;
    app.start();
    const QString settings = app.defaultBase() + QStringLiteral("/settings");
    const QString data = app.defaultBase() + QStringLiteral("/data");
    EXPECT_EQ(app.main().folders().settingsPath(), settings);
    EXPECT_EQ(app.main().folders().dataPath(), data);
    EXPECT_TRUE(QDir(settings).exists());
    EXPECT_EQ(app.logFilePath(), data + QStringLiteral("/Events.log"));
    EXPECT_TRUE(app.logFile().endsWith("\r\n"));
    EXPECT_EQ(app.main().folders().settingsFile(QStringLiteral("TVR101_SETTINGS.BIN")),
              settings + QStringLiteral("/TVR101_SETTINGS.BIN"));
    // Defaults are the program's, not the user's choice: nothing is stored.
    EXPECT_EQ(app.setting(Settings::kSettingsPath), QStringLiteral("<missing>"));
}

TEST(Folders, StoredFoldersAreUsedAsTheyAre) {
    ConfiguratorUnderTest app;
    app.setSetting(Settings::kSettingsPath, app.folder() + QStringLiteral("/s"));
    app.setSetting(Settings::kDataPath, app.folder() + QStringLiteral("/d/e"));
    app.start();
    EXPECT_EQ(app.main().folders().settingsPath(), app.folder() + QStringLiteral("/s"));
    EXPECT_TRUE(QFile::exists(app.folder() + QStringLiteral("/d/e/Events.log")));
    EXPECT_FALSE(QDir(app.defaultBase()).exists());
}

namespace {

QWidget* openPathDialog(ConfiguratorUnderTest& app) {
    app.startLoggedIn();
    app.trigger(QStringLiteral("mmPathSettings"));
    return app.window(QStringLiteral("TfrmPathSettings"));
}

}  // namespace

TEST(PathDialog, ShowsTheFoldersInUse) {
    ConfiguratorUnderTest app;
    QWidget* dialog = openPathDialog(app);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(app.text(QStringLiteral("txtSettingsPath"), dialog), app.main().folders().settingsPath());
    EXPECT_EQ(app.text(QStringLiteral("txtArchivePath"), dialog), app.main().folders().dataPath());
}

TEST(PathDialog, AnEmptyFieldIsRefusedAndNothingIsStored) {
    for (const char* emptied : {"txtSettingsPath", "txtArchivePath"}) {
        ConfiguratorUnderTest app;
        QWidget* dialog = openPathDialog(app);
        app.type(QString::fromLatin1(emptied), QString(), dialog);
        app.expectBox(QStringLiteral("Поля должны быть заполнены!"));
        app.click(QStringLiteral("btnOK"), dialog);
        EXPECT_EQ(app.lastBox().icon, platform::Icon::Error);
        EXPECT_TRUE(dialog->isVisible()) << emptied;
        EXPECT_EQ(app.setting(Settings::kSettingsPath), QStringLiteral("<missing>")) << emptied;
        EXPECT_EQ(app.setting(Settings::kDataPath), QStringLiteral("<missing>")) << emptied;
    }
}

TEST(PathDialog, ANewDataFolderTakesTheNextLogLine) {
    ConfiguratorUnderTest app;
    QWidget* dialog = openPathDialog(app);
    const QString settings = app.folder() + QStringLiteral("/new settings");
    const QString data = app.folder() + QStringLiteral("/new data/deeper");
    app.type(QStringLiteral("txtSettingsPath"), settings, dialog);
    app.dialogs().chooseFile(data);
    app.click(QStringLiteral("btnShowFolderTreeArchive"), dialog);
    EXPECT_EQ(app.text(QStringLiteral("txtArchivePath"), dialog), data);
    app.click(QStringLiteral("btnOK"), dialog);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(app.setting(Settings::kSettingsPath), settings);
    EXPECT_EQ(app.setting(Settings::kDataPath), data);
    EXPECT_EQ(app.main().folders().settingsPath(), settings);

    app.main().services().log.log(1, QStringLiteral("after the change"));
    QFile moved(data + QStringLiteral("/Events.log"));
    ASSERT_TRUE(moved.open(QIODevice::ReadOnly));
    EXPECT_EQ(moved.readAll(), QByteArray("09.12.2013   14:05:34: ") +
                                   platform::text::toCp1251(QStringLiteral("[СООБЩЕНИЕ]\tafter the change\r\n")));
}

TEST(PathDialog, CancelAndABrowserClosedWithoutChoiceChangeNothing) {
    ConfiguratorUnderTest app;
    QWidget* dialog = openPathDialog(app);
    const QString before = app.text(QStringLiteral("txtSettingsPath"), dialog);
    app.dialogs().chooseFile(std::nullopt);
    app.click(QStringLiteral("btnShowFolderTreeSettings"), dialog);
    EXPECT_EQ(app.text(QStringLiteral("txtSettingsPath"), dialog), before);
    EXPECT_EQ(app.dialogs().fileRequests().back().start, before);
    app.type(QStringLiteral("txtSettingsPath"), QStringLiteral("/elsewhere"), dialog);
    app.click(QStringLiteral("btnCancel"), dialog);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(app.main().folders().settingsPath(), before);
    EXPECT_EQ(app.setting(Settings::kSettingsPath), QStringLiteral("<missing>"));
}

TEST(Settings, ThePortValueReadsTheSameUnderBothSpellings) {
    ConfiguratorUnderTest app;
    veldar::Settings settings(app.registry());
    settings.write(Settings::kCurrComm, QStringLiteral("COM4"));
    EXPECT_EQ(settings.read(Settings::kCurrCommAtStart), QStringLiteral("COM4"));
    EXPECT_EQ(settings.read(QStringLiteral("never written")), QString());
    EXPECT_TRUE(app.registry().keyExists(Settings::kKey));
}
