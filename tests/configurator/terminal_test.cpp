// The port after login and on the "Терминал" page, over in-process lines.
#include "configurator/support/configurator_under_test.h"
#include "support/widgets.h"

#include "configurator/app/mainform.h"
#include "configurator/app/settings.h"
#include "configurator/app/status_panels.h"

#include <QComboBox>

#include <gtest/gtest.h>

using veldar::Settings;
using veldar::StatusPanels;
using veldartest::ConfiguratorUnderTest;

namespace {

const QString kNoPortChosen = QStringLiteral("Порт для связи не был выбран!");

QString failedToOpen(const QString& name) {
    return QStringLiteral("Не удалось открыть порт ") + name +
           QStringLiteral("! Порт занят другой программой или отсутствует!");
}

// Logged in as the administrator without waiting for the start-up check.
void logInOnly(ConfiguratorUnderTest& app) {
    app.addAdministrator();
    app.start();
    app.logIn(ConfiguratorUnderTest::kAdminLogin, ConfiguratorUnderTest::kAdminPassword);
}

}  // namespace

TEST(StartupCheck, NoPortChosenIsSaidHalfASecondAfterLoginWithoutALogLine) {
    for (const char* stored : {"n/a", ""}) {
        ConfiguratorUnderTest app;
        if (*stored) app.setSetting(Settings::kCurrComm, QString::fromLatin1(stored));
        logInOnly(app);
        app.advance(499);
        EXPECT_TRUE(app.dialogs().shown().empty());
        app.expectBox(kNoPortChosen);
        app.advance(1);
        EXPECT_EQ(app.lastBox().icon, platform::Icon::Error);
        EXPECT_EQ(app.lastBox().caption, QStringLiteral("VELDAR"));
        EXPECT_EQ(app.statusPanel(StatusPanels::kPort), QStringLiteral("n/a"));
        EXPECT_EQ(app.statusPanel(StatusPanels::kBaudRate), QStringLiteral("----"));
        EXPECT_EQ(app.setting(Settings::kCurrComm), QStringLiteral("n/a"));
        EXPECT_EQ(app.logLinesContaining(QStringLiteral("порт")), 0);
        EXPECT_FALSE(app.main().port().isOpen());
        // The chain goes on to the restore timer, which runs once.
        EXPECT_EQ(app.scheduler().armedTimers(), 1u) << stored;
        app.advance(500);
        EXPECT_EQ(app.scheduler().armedTimers(), 0u) << stored;
    }
}

TEST(StartupCheck, TheStoredPortOpensAtTheStoredRate) {
    const struct {
        const char* baudIndex;  // nullptr: never stored
        int baud;
    } cases[] = {{"6", 57600}, {"0", 1200}, {"7", 115200}, {nullptr, 9600}, {"8", 9600}, {"fast", 9600}};
    for (const auto& c : cases) {
        ConfiguratorUnderTest app;
        app.wire(QStringLiteral("COM2"));
        app.setSetting(Settings::kCurrComm, QStringLiteral("COM2"));
        if (c.baudIndex) app.setSetting(Settings::kBaudRate, QString::fromLatin1(c.baudIndex));
        logInOnly(app);
        app.expectBox(QStringLiteral("Порт COM2 успешно открыт!"));
        app.advance(500);
        const char* label = c.baudIndex ? c.baudIndex : "(none)";
        EXPECT_EQ(app.lastBox().icon, platform::Icon::Information) << label;
        EXPECT_TRUE(app.main().port().isOpen()) << label;
        EXPECT_EQ(app.wire(QStringLiteral("COM2")).hostBaud(), c.baud) << label;
        EXPECT_EQ(app.statusPanel(StatusPanels::kPort), QStringLiteral("COM2")) << label;
        EXPECT_EQ(app.statusPanel(StatusPanels::kBaudRate), QString::number(c.baud)) << label;
        EXPECT_EQ(app.logLinesContaining(QStringLiteral("[СООБЩЕНИЕ]\tОткрыт порт COM2")), 1) << label;
        EXPECT_EQ(app.setting(Settings::kCurrComm), QStringLiteral("COM2")) << label;
    }
}

TEST(StartupCheck, APortThatCannotBeOpenedIsForgotten) {
    ConfiguratorUnderTest app;
    app.setSetting(Settings::kCurrComm, QStringLiteral("COM5"));
    logInOnly(app);
    app.expectBox(failedToOpen(QStringLiteral("COM5")));
    app.advance(500);
    EXPECT_EQ(app.lastBox().icon, platform::Icon::Error);
    EXPECT_EQ(app.logLinesContaining(QStringLiteral("[СООБЩЕНИЕ]\tНе удалось открыть порт COM5")), 1);
    EXPECT_EQ(app.setting(Settings::kCurrComm), QStringLiteral("n/a"));
    EXPECT_EQ(app.statusPanel(StatusPanels::kPort), QStringLiteral("n/a"));
    EXPECT_EQ(app.statusPanel(StatusPanels::kBaudRate), QStringLiteral("----"));
    EXPECT_FALSE(app.main().port().isOpen());
}

TEST(StartupCheck, NothingTouchesTheLineBeforeLogin) {
    ConfiguratorUnderTest app;
    app.wire(QStringLiteral("COM1"));
    app.setSetting(Settings::kCurrComm, QStringLiteral("COM1"));
    app.addAdministrator();
    app.start();
    app.advance(5000);
    EXPECT_FALSE(app.wire(QStringLiteral("COM1")).hostOpen());
    EXPECT_TRUE(app.dialogs().shown().empty());
}

namespace {

// Logged in, start-up check done, the "Терминал" node chosen.
QWidget* terminalPage(ConfiguratorUnderTest& app) {
    app.startLoggedIn();
    app.chooseNode(QStringLiteral("Терминал"));
    return app.window(QStringLiteral("PanelRSSettings"));
}

}  // namespace

TEST(TerminalPage, ShowsTheStoredChoice) {
    const struct {
        const char* currComm;
        const char* baudIndex;
        const char* wait;
        const char* port;
        const char* baud;
        const char* shownWait;
    } cases[] = {
        {"COM3", "6", "15", "COM3", "57600", "15"},
        {"COM12", "0", "60", "COM12", "1200", "60"},
        {"n/a", "3", "5", "", "9600", "5"},
        {nullptr, nullptr, nullptr, "", "9600", "60"},
        {"COM99", "11", "soon", "", "9600", "60"},
    };
    for (const auto& c : cases) {
        ConfiguratorUnderTest app;
        if (c.baudIndex) app.setSetting(Settings::kBaudRate, QString::fromLatin1(c.baudIndex));
        if (c.wait) app.setSetting(Settings::kWaitAnsewer, QString::fromLatin1(c.wait));
        QWidget* page = terminalPage(app);
        // The start-up check stored "n/a"; the page shows what is stored now.
        if (c.currComm) app.setSetting(Settings::kCurrComm, QString::fromLatin1(c.currComm));
        app.chooseNode(QStringLiteral("VELDAR"));
        app.chooseNode(QStringLiteral("Терминал"));
        const char* label = c.currComm ? c.currComm : "(none)";
        EXPECT_EQ(app.text(QStringLiteral("COMMText"), page), QString::fromLatin1(c.port)) << label;
        EXPECT_EQ(app.text(QStringLiteral("cbBaudRate"), page), QString::fromLatin1(c.baud)) << label;
        EXPECT_EQ(app.text(QStringLiteral("txtWaitAnsewer"), page), QString::fromLatin1(c.shownWait)) << label;
    }
}

TEST(TerminalPage, OkOpensTheChosenPortAndStoresTheChoice) {
    ConfiguratorUnderTest app;
    app.wire(QStringLiteral("COM3"));
    QWidget* page = terminalPage(app);
    app.choose(QStringLiteral("COMMText"), QStringLiteral("COM3"), page);
    app.choose(QStringLiteral("cbBaudRate"), QStringLiteral("57600"), page);
    app.type(QStringLiteral("txtWaitAnsewer"), QStringLiteral("5"), page);
    const int logLines = app.logLines().size();
    app.expectBox(QStringLiteral("Порт COM3 успешно открыт!"));
    app.click(QStringLiteral("BtnOk"), page);
    EXPECT_EQ(app.lastBox().icon, platform::Icon::Information);
    EXPECT_TRUE(app.wire(QStringLiteral("COM3")).hostOpen());
    EXPECT_EQ(app.wire(QStringLiteral("COM3")).hostBaud(), 57600);
    EXPECT_EQ(app.setting(Settings::kCurrComm), QStringLiteral("COM3"));
    EXPECT_EQ(app.setting(Settings::kBaudRate), QStringLiteral("6"));
    EXPECT_EQ(app.setting(Settings::kWaitAnsewer), QStringLiteral("5"));
    EXPECT_EQ(app.main().waitAnsewerTimer().interval(), 5000);
    EXPECT_EQ(app.statusPanel(StatusPanels::kPort), QStringLiteral("COM3"));
    EXPECT_EQ(app.statusPanel(StatusPanels::kBaudRate), QStringLiteral("57600"));
    EXPECT_EQ(app.logLines().size(), logLines);

    // Pressed again with the port open: closed and opened again, so it succeeds again.
    app.choose(QStringLiteral("cbBaudRate"), QStringLiteral("19200"), page);
    app.expectBox(QStringLiteral("Порт COM3 успешно открыт!"));
    app.click(QStringLiteral("BtnOk"), page);
    EXPECT_EQ(app.wire(QStringLiteral("COM3")).hostBaud(), 19200);
    EXPECT_EQ(app.setting(Settings::kBaudRate), QStringLiteral("4"));
}

TEST(TerminalPage, AFailedOpenShowsNoPortAndStoresNoPort) {
    ConfiguratorUnderTest app;
    app.wire(QStringLiteral("COM1"));
    QWidget* page = terminalPage(app);
    app.choose(QStringLiteral("COMMText"), QStringLiteral("COM1"), page);
    app.expectBox(QStringLiteral("Порт COM1 успешно открыт!"));
    app.click(QStringLiteral("BtnOk"), page);
    app.choose(QStringLiteral("COMMText"), QStringLiteral("COM9"), page);
    app.expectBox(failedToOpen(QStringLiteral("COM9")));
    app.click(QStringLiteral("BtnOk"), page);
    EXPECT_EQ(app.lastBox().icon, platform::Icon::Error);
    EXPECT_FALSE(app.main().port().isOpen());
    EXPECT_FALSE(app.wire(QStringLiteral("COM1")).hostOpen());
    EXPECT_EQ(app.setting(Settings::kCurrComm), QStringLiteral("n/a"));
    EXPECT_EQ(app.statusPanel(StatusPanels::kPort), QStringLiteral("n/a"));
    EXPECT_EQ(app.statusPanel(StatusPanels::kBaudRate), QStringLiteral("----"));
    EXPECT_EQ(app.logLinesContaining(QStringLiteral("порт")), 0);
}

TEST(TerminalPage, WithoutAChosenPortOkSaysSoAndStillStoresRateAndTimeout) {
    ConfiguratorUnderTest app;
    QWidget* page = terminalPage(app);
    ASSERT_EQ(app.text(QStringLiteral("COMMText"), page), QString());
    app.choose(QStringLiteral("cbBaudRate"), QStringLiteral("2400"), page);
    app.type(QStringLiteral("txtWaitAnsewer"), QStringLiteral("30"), page);
    app.expectBox(kNoPortChosen);
    app.click(QStringLiteral("BtnOk"), page);
    EXPECT_EQ(app.setting(Settings::kCurrComm), QStringLiteral("n/a"));
    EXPECT_EQ(app.setting(Settings::kBaudRate), QStringLiteral("1"));
    EXPECT_EQ(app.setting(Settings::kWaitAnsewer), QStringLiteral("30"));
    EXPECT_EQ(app.main().waitAnsewerTimer().interval(), 30000);
}

TEST(TerminalPage, AnUnusableTimeoutBecomesSixtySeconds) {
    for (const char* typed : {"abc", "", "0", "100000"}) {
        ConfiguratorUnderTest app;
        app.setSetting(Settings::kWaitAnsewer, QStringLiteral("5"));
        QWidget* page = terminalPage(app);
        app.type(QStringLiteral("txtWaitAnsewer"), QString::fromLatin1(typed), page);
        app.expectBox(kNoPortChosen);
        app.click(QStringLiteral("BtnOk"), page);
        EXPECT_EQ(app.main().waitAnsewerTimer().interval(), 60000) << typed;
        EXPECT_EQ(app.setting(Settings::kWaitAnsewer), QStringLiteral("60")) << typed;
        EXPECT_EQ(app.text(QStringLiteral("txtWaitAnsewer"), page), QStringLiteral("60")) << typed;
    }
}
