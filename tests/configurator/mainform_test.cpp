// The main window from start to close: what shows, what the settings make of it, the rows
// of the sensor page, the windows made at start and the closing lines.
#include "configurator/support/configurator_under_test.h"
#include "support/widgets.h"

#include "configurator/config/constant_rows.h"
#include "configurator/app/mainform.h"
#include "configurator/app/sensor_page.h"
#include "configurator/app/settings.h"
#include "configurator/app/status_panels.h"
#include "configurator/app/workspace.h"

#include "platform/text/codepage.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

using veldartest::ConfiguratorUnderTest;
using veldar::Settings;
using veldar::StatusPanels;

TEST(MainForm, StartsWithOnlyTheLoginBoxStatusBarAndTwoMenus) {
    ConfiguratorUnderTest app;
    app.start();
    EXPECT_EQ(app.main().windowTitle(), QStringLiteral("Настройка и отладка системы VELDAR v4.4"));
    EXPECT_EQ(app.main().minimumSize(), QSize(1200, 744));
    EXPECT_EQ(app.main().palette().color(QPalette::Window), QColor(255, 251, 240));
    EXPECT_TRUE(app.shown(QStringLiteral("gbLogIn")));
    EXPECT_TRUE(app.shown(QStringLiteral("StatusBar1")));
    for (const char* hidden : {"PanelMain", "PanelLog", "AdvSplitter1", "twProjectTree"})
        EXPECT_FALSE(app.shown(QString::fromLatin1(hidden))) << hidden;
    EXPECT_TRUE(app.menuShown(QStringLiteral("MMSys")));
    EXPECT_TRUE(app.menuShown(QStringLiteral("MMExit")));
    EXPECT_TRUE(app.menuShown(QStringLiteral("N2")));
    EXPECT_TRUE(app.menuShown(QStringLiteral("N5")));
    for (const char* hidden : {"N9", "mmPathSettings", "MMOfflineRegime", "MMRSMonitor", "N4", "MMAddUser", "MMEditUser"})
        EXPECT_FALSE(app.menuShown(QString::fromLatin1(hidden))) << hidden;
    EXPECT_EQ(app.main().currentUser(), -1);
    EXPECT_FALSE(app.main().port().isOpen());
}

TEST(MainForm, TheStatusBarHasTwelvePanelsWithTheirWidthsAndTexts) {
    ConfiguratorUnderTest app;
    app.start();
    const struct {
        int width;
        const char* text;
    } panels[] = {{300, ""}, {65, "Терминал"}, {50, ""}, {60, "Скорость"}, {50, ""}, {20, "RX"},
                  {20, ""},  {20, "TX"},       {20, ""}, {85, "Ошибка CRC"}, {21, ""}, {50, ""}};
    StatusPanels& bar = app.main().statusPanels();
    const QList<QWidget*> widgets = bar.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (int i = 0; i < StatusPanels::kPanels; ++i) {
        EXPECT_EQ(bar.text(i), QString::fromUtf8(panels[i].text)) << i;
        QWidget* panel = bar.lamp(i) ? static_cast<QWidget*>(bar.lamp(i))
                                     : bar.findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(i));
        ASSERT_TRUE(panel) << i;
        EXPECT_GE(panel->width(), panels[i].width) << i;
        if (i < StatusPanels::kPanels - 1) {
            EXPECT_EQ(panel->width(), panels[i].width) << i;
        }
    }
    for (const char* lamp : {"RXBar", "TXBar", "CRCFailedInicator"}) {
        auto* bar10 = app.main().findChild<QProgressBar*>(QString::fromLatin1(lamp));
        ASSERT_TRUE(bar10) << lamp;
        EXPECT_EQ(bar10->minimum(), 0);
        EXPECT_EQ(bar10->maximum(), 10);
        EXPECT_EQ(bar10->value(), 0);
    }
}

TEST(MainForm, OfflineYesIsShownAndAnythingElseIsRewrittenAsNo) {
    const struct {
        const char* stored;  // nullptr: never written
        bool offline;
    } cases[] = {{"Y", true}, {"N", false}, {"y", false}, {"", false}, {"Yes", false}, {nullptr, false}};
    for (const auto& c : cases) {
        ConfiguratorUnderTest app;
        if (c.stored) app.setSetting(Settings::kOffline, QString::fromLatin1(c.stored));
        app.start();
        const char* label = c.stored ? c.stored : "(none)";
        EXPECT_EQ(app.menuChecked(QStringLiteral("MMOfflineRegime")), c.offline) << label;
        EXPECT_EQ(app.main().offline(), c.offline) << label;
        EXPECT_EQ(app.statusPanel(StatusPanels::kOffline), c.offline ? QStringLiteral("Автономная работа") : QString())
            << label;
        EXPECT_EQ(app.setting(Settings::kOffline), c.offline ? QStringLiteral("Y") : QStringLiteral("N")) << label;
    }
}

TEST(MainForm, OfflineToggledTwiceIsOffAgain) {
    ConfiguratorUnderTest app;
    app.startLoggedIn();
    app.trigger(QStringLiteral("MMOfflineRegime"));
    EXPECT_EQ(app.setting(Settings::kOffline), QStringLiteral("Y"));
    EXPECT_EQ(app.statusPanel(StatusPanels::kOffline), QStringLiteral("Автономная работа"));
    EXPECT_TRUE(app.main().offline());
    app.trigger(QStringLiteral("MMOfflineRegime"));
    EXPECT_EQ(app.setting(Settings::kOffline), QStringLiteral("N"));
    EXPECT_EQ(app.statusPanel(StatusPanels::kOffline), QString());
    EXPECT_FALSE(app.main().offline());
}

TEST(MainForm, TheGeneralAnswerTimeoutComesFromWaitAnsewer) {
    const struct {
        const char* stored;
        int ms;
    } cases[] = {{"60", 60000}, {"5", 5000}, {nullptr, 60000}, {"abc", 60000}, {"0", 60000}, {"-3", 60000}};
    for (const auto& c : cases) {
        ConfiguratorUnderTest app;
        if (c.stored) app.setSetting(Settings::kWaitAnsewer, QString::fromLatin1(c.stored));
        app.start();
        EXPECT_EQ(app.main().waitAnsewerTimer().interval(), c.ms) << (c.stored ? c.stored : "(none)");
        EXPECT_FALSE(app.main().waitAnsewerTimer().enabled());
    }
}

TEST(MainForm, StartingLogsAfterThePreviousRunsLines) {
    ConfiguratorUnderTest app;
    app.start();
    app.main().close();
    const QStringList firstRun = app.logLines();
    ASSERT_EQ(firstRun.size(), 2);

    ConfiguratorUnderTest again;
    again.setSetting(Settings::kDataPath, app.main().folders().dataPath());
    again.start();
    const QStringList lines = again.logLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines.mid(0, 2), firstRun);
    EXPECT_EQ(lines[2], QStringLiteral("09.12.2013   14:05:33: [СООБЩЕНИЕ]\tЗапуск программы."));
    // Earlier runs' lines carry no colour of their own.
    EXPECT_FALSE(again.logLineColour(0).isValid());
    EXPECT_EQ(again.logLineColour(2), QColor(Qt::black));
}

TEST(MainForm, ErrorLinesAreRedMessagesBlackAndOtherKindsKeepTheColour) {
    ConfiguratorUnderTest app;
    app.start();
    auto& log = app.main().services().log;
    log.log(0, QStringLiteral("error"));
    log.log(5, QStringLiteral("other"));
    log.log(1, QStringLiteral("message"));
    log.log(5, QStringLiteral("other again"));
    EXPECT_EQ(app.logLineColour(1), QColor(Qt::red));
    EXPECT_EQ(app.logLineColour(2), QColor(Qt::red));
    EXPECT_EQ(app.logLineColour(3), QColor(Qt::black));
    EXPECT_EQ(app.logLineColour(4), QColor(Qt::black));
    EXPECT_EQ(app.logLines()[2], QStringLiteral("09.12.2013   14:05:33: other"));
}

TEST(MainForm, AnUnwritableDataFolderIsReportedAndTheProgramGoesOn) {
    ConfiguratorUnderTest app;
    QFile blocker(app.folder() + QStringLiteral("/not-a-folder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    app.setSetting(Settings::kDataPath, blocker.fileName() + QStringLiteral("/data"));
    app.addAdministrator();
    app.expectBox(QStringLiteral("Невозможно создать каталог хранения архива"));
    app.start();
    app.expectBox(QStringLiteral("Невозможно создать каталог хранения архива"));
    app.logIn(ConfiguratorUnderTest::kAdminLogin, ConfiguratorUnderTest::kAdminPassword);
    EXPECT_TRUE(app.shown(QStringLiteral("PanelMain")));
    EXPECT_EQ(app.logLinesContaining(QStringLiteral("Авторизован пользователь admin")), 1);
    app.expectBox(QStringLiteral("Порт для связи не был выбран!"));
    app.advance(1001);
}

TEST(MainForm, TheSensorPageHasTwentyFiveConstantRowsAtTheirPlaces) {
    ConfiguratorUnderTest app;
    app.start();
    veldar::ConstantRows* rows = app.main().sensorPage().constantRows();
    EXPECT_EQ(rows->objectName(), QStringLiteral("ScrollBox1"));
    EXPECT_EQ(rows->label(0)->text(), QStringLiteral("Адрес датчика"));
    EXPECT_EQ(rows->label(24)->text(), QStringLiteral("Уставка пар, кг/м3"));
    EXPECT_EQ(rows->label(24)->geometry(), QRect(8, 589, 350, 21));
    EXPECT_EQ(rows->edit(24)->geometry(), QRect(363, 589, 100, 21));
    EXPECT_EQ(rows->edit(2)->geometry(), QRect(363, 61, 300, 21));
    EXPECT_EQ(rows->label(2)->text(), QStringLiteral("Режим работы"));
    EXPECT_EQ(rows->label(0)->alignment(), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_FALSE(rows->edit(0)->hasFrame());
}

TEST(MainForm, TheWheelMovesTheConstantRowsFivePerNotch) {
    veldar::ConstantRows rows;
    rows.resize(500, 300);
    rows.show();
    QApplication::processEvents();
    QScrollBar* bar = rows.verticalScrollBar();
    ASSERT_GT(bar->maximum(), 10);
    const auto turn = [&](int delta) {
        QWheelEvent event(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(rows.viewport(), &event);
    };
    turn(-120);
    EXPECT_EQ(bar->value(), 5);
    turn(-120);
    turn(120);
    EXPECT_EQ(bar->value(), 5);
    turn(120);
    turn(120);
    EXPECT_EQ(bar->value(), 0);
}

TEST(MainForm, ThirteenWindowsExistWithTheirCaptionsAndOnlyTheMainOneShows) {
    ConfiguratorUnderTest app;
    app.start();
    const struct {
        const char* name;
        const char* caption;
    } windows[] = {
        {"TAboutBox", "О программе"},
        {"TfrmAddTVR", "Новый TVR"},
        {"TChangeAdrBOForm", "Смена адреса БО"},
        {"TfrmEditUser", "Изменения днанных пользователей"},
        {"TfrmUsersCreate", "Новый пользователь"},
        {"TfrmProgressBar", ""},
        {"TDataRSForm", "Данные на линии RS"},
        {"TfrmSearchTVRProgress", "Поиск TVR"},
        {"TfrmSearchTVRSettings", "Поиск подключенных TVR"},
        {"TfrmSetLiquidType", "Состав СУГ"},
        {"TfrmPathSettings", "Пути к файлам"},
        {"TfrmSetSensorRegime", "Режим работы"},
    };
    for (const auto& w : windows) {
        QWidget* window = app.window(QString::fromLatin1(w.name));
        ASSERT_TRUE(window) << w.name;
        EXPECT_TRUE(window->isWindow()) << w.name;
        EXPECT_EQ(window->windowTitle(), QString::fromUtf8(w.caption)) << w.name;
        EXPECT_FALSE(window->isVisible()) << w.name;
    }
    EXPECT_TRUE(app.main().isVisible());
}

TEST(MainForm, TheAboutBoxOpensFromTheMenuAndClosesWithOk) {
    ConfiguratorUnderTest app;
    app.start();
    app.trigger(QStringLiteral("N5"));
    QWidget* about = app.window(QStringLiteral("TAboutBox"));
    EXPECT_TRUE(about->isVisible());
    QStringList texts;
    for (QLabel* l : about->findChildren<QLabel*>()) texts.append(l->text());
    for (const char* t : {"Конфигуратор системы VELDAR", "Версия 4.4", "Поддерживаемые датчики:", "VLK-2R",
                          "VLK-2D (плотномер)", "VLK-2R с датчиком давления"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(t))) << t;
    QPushButton* ok = nullptr;
    for (QPushButton* b : about->findChildren<QPushButton*>())
        if (b->text() == QLatin1String("OK")) ok = b;
    ASSERT_TRUE(ok);
    testsupport::click(ok);
    EXPECT_FALSE(about->isVisible());
}

TEST(MainForm, ClosingBeforeLoginWritesTheNobodyLine) {
    ConfiguratorUnderTest app;
    app.start();
    app.main().close();
    EXPECT_TRUE(app.ended());
    EXPECT_EQ(app.logLines().last(), QStringLiteral("09.12.2013   14:05:33: [СООБЩЕНИЕ]\tЗавершение работты программы."));
}

TEST(MainForm, ClosingAfterLoginNamesTheUser) {
    ConfiguratorUnderTest app;
    app.startLoggedIn();
    app.main().close();
    EXPECT_TRUE(app.ended());
    EXPECT_TRUE(app.logLines().last().endsWith(QStringLiteral("[СООБЩЕНИЕ]\tПользователь admin завершил работу программы.")));
    EXPECT_TRUE(app.logFile().endsWith(
        platform::text::toCp1251(QStringLiteral("Пользователь admin завершил работу программы.\r\n"))));
}

// Run in the real event loop: ending it must not close the windows, or the closing line
// would be written after all.
TEST(MainForm, LeavingByExitWritesNoClosingLine) {
    ConfiguratorUnderTest app;
    app.startLoggedIn();
    const int lines = app.logLines().size();
    QTimer::singleShot(0, [&] { app.trigger(QStringLiteral("MMExit")); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(app.ended());
    EXPECT_TRUE(app.main().isVisible());
    EXPECT_EQ(app.logLines().size(), lines);
    EXPECT_EQ(app.logLinesContaining(QStringLiteral("завершил работу")), 0);
}

TEST(MainForm, ChoosingTheTerminalNodeShowsItsPageAndTitle) {
    ConfiguratorUnderTest app;
    app.startLoggedIn();
    EXPECT_EQ(app.text(QStringLiteral("PanelMainFrameTitle")), QStringLiteral("     Основное рабочее пространство"));
    EXPECT_FALSE(app.shown(QStringLiteral("PanelRSSettings")));
    app.chooseNode(QStringLiteral("Терминал"));
    EXPECT_EQ(app.text(QStringLiteral("PanelMainFrameTitle")), QStringLiteral("     Терминал"));
    EXPECT_TRUE(app.shown(QStringLiteral("PanelRSSettings")));
    EXPECT_FALSE(app.shown(QStringLiteral("PanelSensorSettings")));
}
