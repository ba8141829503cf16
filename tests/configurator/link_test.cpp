// One request's road through the program against tvr-sim units on an in-process line, in
// virtual time: framing and pacing, the receive path, the dispatcher, the general answer
// timer and the line monitor.
#include "link_support.h"
#include "support/widgets.h"

#include "configurator/app/settings.h"
#include "configurator/link/receive_path.h"
#include "configurator/link/sender.h"
#include "configurator/protocol/dispatcher.h"

#include "simulators/tvr/unit.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

using namespace linktest;
using veldar::Settings;
using veldar::StatusPanels;
using veldartest::ConfiguratorUnderTest;

namespace {

const QString kTimeout = QStringLiteral("Истек интервал ожидания ответа от TVR. Текущий таймаут = ");

// Time enough for a short answer (up to some 150 characters at 9600 baud) to arrive and be
// handled.
constexpr int kAnswerMs = 300;

}  // namespace

TEST(Requests, TheWireExamplesGoOutAndTheUnitsAnswersAreLogged) {
    ConfiguratorUnderTest app;
    app.units({101, 120});
    app.startConnected();
    app.wire().takeWritten();

    app.main().sender().sendRequest(101, 81);
    EXPECT_EQ(app.wire().takeWritten(), QByteArray(":65514A\r\n"));
    EXPECT_TRUE(lit(app, StatusPanels::kTx));
    EXPECT_TRUE(app.main().waitAnsewerTimer().enabled());
    ASSERT_TRUE(app.scheduler().advanceUntil([&] { return app.logLinesContaining(answered(101, 81)) == 1; }, kAnswerMs));
    // The version record is followed by the unit's status (CMD50), whose answer ends the chain.
    ASSERT_TRUE(app.scheduler().advanceUntil([&] { return app.logLinesContaining(answered(101, 50)) == 1; },
                                             veldar::Sender::kPauseMs + kAnswerMs));
    EXPECT_FALSE(app.main().waitAnsewerTimer().enabled()) << "the answer stops the general timer";
    EXPECT_TRUE(lit(app, StatusPanels::kRx));
    app.advance(100);
    EXPECT_FALSE(lit(app, StatusPanels::kRx));
    EXPECT_EQ(app.wire().takeWritten(), QByteArray(":653269\r\n"));

    app.main().sender().sendRequest(120, 51, std::uint8_t{0x04});
    EXPECT_EQ(app.wire().takeWritten(), QByteArray(":78330451\r\n"));
    app.expectBox(QStringLiteral("Команда выполнена"));
    app.advance(kAnswerMs);
    EXPECT_EQ(app.logLinesContaining(answered(120, 51)), 1);
    EXPECT_EQ(app.logLineColour(app.logLines().size() - 1), QColor(Qt::black));
}

TEST(Requests, TheFirstRequestOfTheRunGoesAtOnceAndEveryLaterOneHalfASecondAfterItWasIssued) {
    ConfiguratorUnderTest app;
    std::vector<std::int64_t> heard;
    app.units({101}).setLog([&](const QString& event) {
        if (event.startsWith(QLatin1String("host"))) heard.push_back(app.scheduler().now());
    });
    app.startConnected();
    EXPECT_FALSE(app.main().sender().firstFrameSent());

    const std::int64_t first = app.scheduler().now();
    app.main().sender().sendRequest(101, 72);
    app.advance(2000);
    const std::int64_t second = app.scheduler().now();
    app.main().sender().sendRequest(101, 72);
    app.advance(2000);
    const std::int64_t third = app.scheduler().now();
    app.main().sender().sendRequest(101, 50);
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard[0], first);
    EXPECT_EQ(heard[1], second + 500);
    EXPECT_EQ(heard[2], third + 500);
}

TEST(Requests, ATablePageGoesOutAs269CharactersWithoutThePause) {
    ConfiguratorUnderTest app;
    app.units({101});
    app.startConnected();
    app.main().sender().sendRequest(101, 81);
    app.advance(kAnswerMs);
    app.wire().takeWritten();

    QByteArray page(2, '\0');
    page[0] = 1;  // channel 1's calibration table
    page[1] = 1;  // its first page
    page.append(QByteArray(128, '\x11'));
    app.main().sender().setPage(10, veldar::requestFrame(101, 59, page));
    const std::int64_t before = app.scheduler().now();
    EXPECT_TRUE(app.main().sender().sendPage(10));
    EXPECT_EQ(app.scheduler().now(), before);
    const QByteArray written = app.wire().takeWritten();
    EXPECT_EQ(written.size(), 269);
    EXPECT_TRUE(written.startsWith(":653B0101"));
    EXPECT_TRUE(app.main().waitAnsewerTimer().enabled());
    app.advance(kAnswerMs * 3);
    EXPECT_EQ(app.logLinesContaining(answered(101, 59)), 1);

    EXPECT_FALSE(app.main().sender().sendPage(11));
    EXPECT_TRUE(app.wire().takeWritten().isEmpty());
}

TEST(Requests, WithoutAPortTheGeneralSenderLogsAndTellsThePageSenderOnlyTells) {
    ConfiguratorUnderTest app;
    app.setSetting(Settings::kWaitAnsewer, QStringLiteral("5"));
    app.startLoggedIn();

    app.expectBox(kNoPort);
    app.main().sender().sendRequest(101, 72);
    EXPECT_EQ(app.lastBox().icon, platform::Icon::Information);
    EXPECT_EQ(app.lastBox().caption, QStringLiteral("VELDAR"));
    ASSERT_EQ(app.logLinesContaining(kNoPort), 1);
    EXPECT_EQ(app.logLineColour(app.logLines().size() - 1), QColor(Qt::red));
    EXPECT_TRUE(app.main().waitAnsewerTimer().enabled()) << "timed all the same";

    app.expectBox(kNoPort);
    app.main().sender().sendPage(0);
    EXPECT_EQ(app.logLinesContaining(kNoPort), 1);
    app.advance(5000);
    EXPECT_EQ(app.logLinesContaining(kTimeout + QStringLiteral("5 сек")), 1);
}

TEST(Answers, InvalidLinesLightTheCheckLampForHalfASecondAndLeaveNoLogLine) {
    for (const QByteArray& bad : {QByteArray(":6551\r\n"), QByteArray(":6551004\r\n"), QByteArray(":65514a\r\n"),
                                 ":" + QByteArray(2000, 'A') + "\r\n"}) {
        ConfiguratorUnderTest app;
        app.startConnected();
        app.wire().setPacing(false);
        app.main().sender().sendRequest(101, 81);
        const int lines = app.logLines().size();
        app.device().say(bad);
        app.advance(kAnswerMs);
        EXPECT_TRUE(lit(app, StatusPanels::kCrcFailed)) << bad.left(20).constData();
        EXPECT_EQ(app.logLines().size(), lines) << bad.left(20).constData();
        EXPECT_TRUE(app.main().waitAnsewerTimer().enabled()) << "a damaged answer is no answer";
        app.advance(500);
        EXPECT_FALSE(lit(app, StatusPanels::kCrcFailed));

        app.device().say(onWire(101, 81));
        app.advance(kAnswerMs);
        EXPECT_EQ(app.logLinesContaining(answered(101, 81)), 1) << "the line after it is taken";
        EXPECT_FALSE(lit(app, StatusPanels::kCrcFailed));
    }
}

TEST(Answers, StrayCharactersAZeroByteAndASecondColonDoNotHideAFrame) {
    const struct {
        const char* name;
        QByteArray said;
    } cases[] = {
        {"stray characters", "xy" + onWire(101, 81)},
        {"a second colon", ":65" + onWire(101, 81)},
        {"a zero byte", QByteArray(":6551\0" "4A\r\n", 10)},
        {"noise in a line", QByteArray(":65\x01\x02") + onWire(101, 81)},
    };
    for (const auto& c : cases) {
        ConfiguratorUnderTest app;
        app.startConnected();
        app.device().say(c.said);
        app.advance(kAnswerMs);
        EXPECT_EQ(app.logLinesContaining(answered(101, 81)), 1) << c.name;
        EXPECT_FALSE(lit(app, StatusPanels::kCrcFailed)) << c.name;
    }
}

TEST(Answers, TwoFramesInOneBurstAreHandledInTheSamePass) {
    ConfiguratorUnderTest app;
    app.startConnected();
    app.wire().setPacing(false);
    app.device().say(onWire(101, 81) + onWire(120, 72));
    ASSERT_TRUE(app.scheduler().advanceUntil([&] { return app.logLinesContaining(answered(101, 81)) == 1; }, 100));
    EXPECT_EQ(app.logLinesContaining(answered(120, 72)), 1);
}

TEST(Answers, AHandlersMessageBoxHoldsTheNextLineUntilItCloses) {
    ConfiguratorUnderTest app;
    app.startConnected();
    app.device().say(onWire(101, 76));
    app.device().say(onWire(101, 72), 30);
    int whileShown = -1;
    app.dialogs().setOnShown([&](const platform::ScriptedDialogs::Shown&) {
        app.advance(200);
        whileShown = app.logLinesContaining(answered(101, 72));
    });
    app.expectBox(QStringLiteral("Команда выполнена"));
    app.advance(kAnswerMs);
    EXPECT_EQ(whileShown, 0);
    EXPECT_EQ(app.logLinesContaining(answered(101, 72)), 1);
}

TEST(Answers, AFloodWhileAHandlersBoxIsOpenIsDroppedWholeAndTheLineAfterItTaken) {
    ConfiguratorUnderTest app;
    app.startConnected();
    app.wire().setPacing(false);
    app.device().say(onWire(101, 76));
    app.device().say(":6551" + QByteArray(veldar::ReceivePath::kQueueCapacity, 'A'), 20);
    app.device().say(onWire(101, 72), 40);
    std::size_t queuedWhileShown = 0;
    app.dialogs().setOnShown([&](const platform::ScriptedDialogs::Shown&) {
        app.advance(200);
        queuedWhileShown = app.main().receivePath().queued();
    });
    app.expectBox(QStringLiteral("Команда выполнена"));
    app.advance(kAnswerMs);
    EXPECT_GT(queuedWhileShown, 0u);
    EXPECT_LE(queuedWhileShown, veldar::ReceivePath::kQueueCapacity);
    EXPECT_TRUE(lit(app, StatusPanels::kCrcFailed));
    EXPECT_EQ(app.logLinesContaining(answered(101, 72)), 1);
    EXPECT_EQ(app.main().receivePath().queued(), 0u);
}

TEST(ReceivePath, PollsOnlyWhenBytesArriveAndOnlyOnAnOpenedPort) {
    ConfiguratorUnderTest app;
    app.units({101});
    app.startConnected();
    veldar::ReceivePath& path = app.main().receivePath();
    app.advance(1000);
    EXPECT_FALSE(path.rsTimer().enabled()) << "an idle line is not polled";
    EXPECT_FALSE(path.getRsListTimer().enabled());

    ASSERT_TRUE(app.main().port().open(QStringLiteral("COM1"), 9600));
    EXPECT_TRUE(path.rsTimer().enabled());
    EXPECT_FALSE(app.main().port().open(QStringLiteral("COM2"), 9600));
    EXPECT_FALSE(path.rsTimer().enabled());
    EXPECT_EQ(app.main().port().write(onWire(101, 81)), -1);
    ASSERT_TRUE(app.main().port().open(QStringLiteral("COM1"), 9600));

    std::vector<std::uint8_t> seen;
    path.setByteHook([&](std::uint8_t b) { seen.push_back(b); });
    int progress = 0;
    path.addProgressHook("57", [&] { ++progress; });
    app.main().sender().sendRequest(101, 87, std::uint8_t{0});
    app.advance(kAnswerMs * 4);
    EXPECT_EQ(app.logLinesContaining(answered(101, 87)), 1);
    EXPECT_EQ(seen.size(), onWire(101, 87, QByteArray(129, '\0')).size());
    EXPECT_EQ(seen.front(), ':');
    EXPECT_EQ(progress, 1);
    EXPECT_FALSE(path.rsTimer().enabled());
    EXPECT_FALSE(path.getRsListTimer().enabled());
}

TEST(Dispatcher, AnswersFromBelowAddress100LeaveNoTraceAndKeepTheGeneralTimerRunning) {
    ConfiguratorUnderTest app;
    app.setSetting(Settings::kWaitAnsewer, QStringLiteral("5"));
    app.units({99, 100});
    app.startConnected();
    const int lines = app.logLines().size();

    app.main().sender().sendRequest(99, 72);
    app.advance(kAnswerMs);
    EXPECT_EQ(app.logLines().size(), lines);
    EXPECT_FALSE(lit(app, StatusPanels::kCrcFailed));
    EXPECT_TRUE(app.main().waitAnsewerTimer().enabled());

    app.main().sender().sendRequest(100, 72);
    app.advance(kAnswerMs);
    ASSERT_EQ(app.logLines().size(), lines + 1);
    EXPECT_TRUE(app.logLines().last().endsWith(answered(100, 72)));
    EXPECT_FALSE(app.main().waitAnsewerTimer().enabled());
    app.advance(10000);
    EXPECT_EQ(app.logLines().size(), lines + 1);
}

TEST(Dispatcher, PollingAnswersStopTheGeneralTimerWithoutALogLine) {
    ConfiguratorUnderTest app;
    app.units({101});
    app.startConnected();
    const int lines = app.logLines().size();
    app.main().sender().sendRequest(101, 52, std::uint8_t{0});
    ASSERT_TRUE(app.scheduler().advanceUntil([&] { return lit(app, StatusPanels::kRx); }, 1000));
    app.advance(kAnswerMs);
    EXPECT_EQ(app.logLines().size(), lines);
    EXPECT_FALSE(app.main().waitAnsewerTimer().enabled());
}

TEST(Dispatcher, ARefusalIsLoggedWithItsOwnCode) {
    ConfiguratorUnderTest app;
    app.units({101}).unit(101)->setRefusesConstants(true);
    app.startConnected();
    app.main().sender().sendRequest(101, 53, QByteArray(85, '\0'));
    app.expectBox(QStringLiteral("TVR не поддерживает данный формат CMD53."));
    app.advance(kAnswerMs * 2);
    EXPECT_EQ(app.logLinesContaining(answered(101, 181)), 1);
    EXPECT_FALSE(app.main().waitAnsewerTimer().enabled());
}

TEST(Dispatcher, AnUnknownCodeIsOnlyLoggedAndCommandCompletedIsShown) {
    ConfiguratorUnderTest app;
    app.startConnected();
    app.device().say(onWire(130, 99, "\x01\x02"));
    app.advance(kAnswerMs);
    EXPECT_EQ(app.logLinesContaining(answered(130, 99)), 1);

    app.expectBox(QStringLiteral("Команда выполнена"));
    app.device().say(onWire(130, 76));
    app.advance(kAnswerMs);
    EXPECT_EQ(app.logLinesContaining(answered(130, 76)), 1);
    EXPECT_EQ(app.lastBox().icon, platform::Icon::Information);
    EXPECT_EQ(app.lastBox().caption, QStringLiteral("VELDAR"));
}

TEST(Dispatcher, OwnersGetTheirAnswersWithTheCurrentUnitAndChannel) {
    ConfiguratorUnderTest app;
    app.units({101, 121});
    app.startConnected();
    // Opening the sensor page loads its file (made now) and has the unit poll that channel.
    app.expectBox(QStringLiteral("TVR101_SETTINGS.BIN отсутствует."));
    chooseNodePath(app, {QStringLiteral("TVR (101)"), QStringLiteral("Измерительные каналы"), QStringLiteral("Канал 3"),
                         QStringLiteral("Датчик VLK")});
    app.expectBox(QStringLiteral("TVR ответил на сообщение CMD51."));
    app.advance(kAnswerMs);
    std::vector<veldar::Answer> got;
    app.main().dispatcher().route(51, [&](const veldar::Answer& a) { got.push_back(a); });

    app.main().sender().sendRequest(121, 51, std::uint8_t{0x05});
    app.advance(kAnswerMs);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].address, 121);
    EXPECT_EQ(got[0].command, 51);
    EXPECT_EQ(got[0].data(), QByteArray(1, '\x05'));
    EXPECT_EQ(got[0].frame.size(), 4);
    EXPECT_EQ(got[0].context.address, 101);
    EXPECT_EQ(got[0].context.channelIndex, 2);
    EXPECT_EQ(app.logLinesContaining(answered(121, 51)), 1) << "logged before the owner runs";
}

TEST(GeneralTimer, AnUnansweredRequestIsReportedOnceAfterTheStoredTimeout) {
    ConfiguratorUnderTest app;
    app.setSetting(Settings::kWaitAnsewer, QStringLiteral("5"));
    app.units({});
    app.startConnected();
    app.main().sender().sendRequest(101, 72);
    app.advance(4999);
    EXPECT_EQ(app.logLinesContaining(kTimeout), 0);
    app.advance(1);
    ASSERT_EQ(app.logLinesContaining(kTimeout), 1);
    EXPECT_TRUE(app.logLines().last().endsWith(kTimeout + QStringLiteral("5 сек")));
    EXPECT_EQ(app.logLineColour(app.logLines().size() - 1), QColor(Qt::red));
    EXPECT_FALSE(app.main().waitAnsewerTimer().enabled());
    app.advance(20000);
    EXPECT_EQ(app.logLinesContaining(kTimeout), 1);
}

TEST(GeneralTimer, ASecondRequestDoesNotRestartIt) {
    ConfiguratorUnderTest app;
    app.setSetting(Settings::kWaitAnsewer, QStringLiteral("5"));
    app.units({});
    app.startConnected();
    app.main().sender().sendRequest(101, 72);
    app.advance(3000);
    app.main().sender().sendRequest(101, 72);  // written half a second later
    app.advance(1499);
    EXPECT_EQ(app.logLinesContaining(kTimeout), 0);
    app.advance(1);
    EXPECT_EQ(app.logLinesContaining(kTimeout), 1) << "2 s after the second request was issued";
    app.advance(20000);
    EXPECT_EQ(app.logLinesContaining(kTimeout), 1);
}

TEST(Monitor, ListsAnswerLinesWhileReceptionIsOnWithTheLastAddressAndCode) {
    ConfiguratorUnderTest app;
    app.startConnected();
    app.trigger(QStringLiteral("MMRSMonitor"));
    QWidget* monitor = testsupport::find(&app.main(), QStringLiteral("TDataRSForm"));
    ASSERT_TRUE(monitor);
    const auto memo = [&] { return testsupport::find<QPlainTextEdit>(monitor, QStringLiteral("DataRS"))->toPlainText(); };
    EXPECT_EQ(app.text(QStringLiteral("RSDataReciv"), monitor), QStringLiteral("Начать прием"));

    app.device().say(onWire(101, 81, "v"));
    app.advance(kAnswerMs);
    EXPECT_TRUE(memo().isEmpty()) << "nothing while reception is off";

    app.click(QStringLiteral("RSDataReciv"), monitor);
    EXPECT_EQ(app.text(QStringLiteral("RSDataReciv"), monitor), QStringLiteral("Остановить прием"));
    const QByteArray answer = onWire(101, 81, "v");
    app.device().say(answer);
    app.advance(kAnswerMs);
    const QString listed = QStringLiteral("[3A] [") + QString::fromLatin1(answer.mid(1).chopped(2)) + QStringLiteral("] [0D][0A]");
    EXPECT_EQ(memo(), listed);
    EXPECT_TRUE(listed.startsWith(QLatin1String("[3A] [6551")));
    EXPECT_EQ(app.text(QStringLiteral("AdrBO"), monitor), QStringLiteral("101"));
    EXPECT_EQ(app.text(QStringLiteral("MsgNum"), monitor), QStringLiteral("81"));

    app.device().say(":6551004\r\n" + onWire(99, 72));
    app.advance(kAnswerMs);
    EXPECT_EQ(memo(), listed + QStringLiteral("\n[3A] [6551004] [0D][0A]\n[3A] [634855] [0D][0A]"));
    EXPECT_EQ(app.text(QStringLiteral("AdrBO"), monitor), QStringLiteral("101"));
    EXPECT_EQ(app.text(QStringLiteral("MsgNum"), monitor), QStringLiteral("81"));

    app.click(QStringLiteral("ClearButton"), monitor);
    EXPECT_TRUE(memo().isEmpty());
    EXPECT_TRUE(app.text(QStringLiteral("AdrBO"), monitor).isEmpty());
    EXPECT_TRUE(app.text(QStringLiteral("MsgNum"), monitor).isEmpty());
}

TEST(Monitor, ClosingEndsReceptionAndKeepsTheLines) {
    ConfiguratorUnderTest app;
    app.startConnected();
    app.trigger(QStringLiteral("MMRSMonitor"));
    QWidget* monitor = testsupport::find(&app.main(), QStringLiteral("TDataRSForm"));
    ASSERT_TRUE(monitor);
    app.click(QStringLiteral("RSDataReciv"), monitor);
    app.device().say(onWire(101, 72));
    app.advance(kAnswerMs);
    monitor->close();
    testsupport::processEvents();
    EXPECT_FALSE(monitor->isVisible());

    app.trigger(QStringLiteral("MMRSMonitor"));
    EXPECT_TRUE(monitor->isVisible());
    EXPECT_EQ(app.text(QStringLiteral("RSDataReciv"), monitor), QStringLiteral("Начать прием"));
    app.device().say(onWire(101, 81));
    app.advance(kAnswerMs);
    EXPECT_EQ(testsupport::find<QPlainTextEdit>(monitor, QStringLiteral("DataRS"))->toPlainText(),
              QStringLiteral("[3A] [654853] [0D][0A]"));
    EXPECT_EQ(app.text(QStringLiteral("MsgNum"), monitor), QStringLiteral("72"));
}
