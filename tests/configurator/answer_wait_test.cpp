// The answer timer family: each member resends its request a fixed number of times, then
// gives up, releases the window, logs and tells the user. The owners here are stand-ins
// that resend through the real sender to a unit that never answers.
#include "link_support.h"
#include "support/widgets.h"

#include "configurator/link/sender.h"
#include "configurator/protocol/answer_wait.h"
#include "configurator/protocol/answer_waits.h"

#include <gtest/gtest.h>

using namespace linktest;
using veldar::AnswerWait;
using veldar::AnswerWaitRule;
using veldartest::ConfiguratorUnderTest;
namespace waits = veldar::waits;

namespace {

// Unit 121 is the current unit and does not answer; the window waits for it.
struct Waiting {
    Waiting(const AnswerWaitRule& rule, int code) : command(code) {
        // Choosing the unit asks it nothing: these owners are the only ones sending.
        app.setSetting(QStringLiteral("Offline"), QStringLiteral("Y"));
        app.startConnected();
        chooseNodePath(app, {QStringLiteral("TVR (121)")});
        app.wire().takeWritten();
        wait = std::make_unique<AnswerWait>(rule, app.scheduler(), app.main().waitSurroundings(),
                                            AnswerWait::Owner{[this] { send(); }, [this] { ++givenUp; },
                                                              [this] { return polling; }});
    }
    void request() {
        app.main().workspace().hold();
        send();
        wait->start();
    }
    void send() { app.main().sender().sendRequest(121, static_cast<std::uint8_t>(command)); }
    int sent() { return static_cast<int>(app.wire().written().count(onWire(121, command))); }
    bool held() { return !testsupport::find(&app.main(), QStringLiteral("PanelFullContaints"))->isEnabled(); }

    ConfiguratorUnderTest app;
    int command;
    std::unique_ptr<AnswerWait> wait;
    int givenUp = 0;
    bool polling = true;
};

QString noAnswer(int command, const char* rest) {
    return QStringLiteral("Нет ответа от TVR (121)на сообщение CMD%1").arg(command) + QString::fromUtf8(rest);
}

}  // namespace

TEST(AnswerWait, EachMemberResendsItsNumberOfTimesThenGivesUpOnce) {
    const struct {
        const AnswerWaitRule& rule;
        int command;
        int sends;
        int giveUpAtMs;  // after the first send
        QString resendLog;
        QString giveUpLog;
        QString message;
        bool releases;
    } cases[] = {
        {waits::kCMD87, 87, 3, 6000, noAnswer(87, ". Сообщение отправлено повторно."),
         noAnswer(87, ". Отмена полсылки данных."), waits::kLineFailure, true},
        {waits::kCMD86, 86, 4, 8000, noAnswer(86, ". Сообщение отправлено повторно."),
         noAnswer(86, ". Отмена полсылки данных."), waits::kLineFailure, true},
        {waits::kCMD81, 81, 2, 4000, noAnswer(81, ". Отправлен повторный запрос."), noAnswer(81, ""),
         QStringLiteral("TVR не ответил на сообщение CMD81. Проверьте линию связи."), true},
        // The polling restarts its wait after the resend has been written.
        {waits::kCMD52, 52, 2, 4500, noAnswer(52, ". Сообщение отправлено повторно."),
         noAnswer(52, ". Опрос TVR остановлен."),
         QStringLiteral("TVR дважды не ответил на запрос данных по каналу (CMD52). Опрос TVR остановлен."), false},
        {waits::kCMD51, 51, 1, 2000, {}, QStringLiteral("TVR не ответил на сообщение CMD51"),
         QStringLiteral("TVR не ответил на сообщение CMD51. Проверьте линию связи."), true},
        {waits::kCMD88, 88, 1, 10000, {}, noAnswer(88, "."), waits::kLineFailure, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        Waiting w(c.rule, c.command);
        w.request();
        w.app.advance(c.giveUpAtMs - 1);
        EXPECT_EQ(w.sent(), c.sends);
        EXPECT_EQ(w.givenUp, 0);
        if (!c.resendLog.isEmpty()) {
            EXPECT_EQ(w.app.logLinesContaining(c.resendLog), c.sends - 1);
        }
        EXPECT_TRUE(w.held());

        w.app.expectBox(c.message);
        w.app.advance(1);
        EXPECT_EQ(w.givenUp, 1);
        EXPECT_EQ(w.app.lastBox().icon, platform::Icon::Error);
        EXPECT_EQ(w.app.lastBox().caption, QStringLiteral("VELDAR"));
        EXPECT_TRUE(w.app.logLines().last().endsWith(c.giveUpLog));
        EXPECT_EQ(w.app.logLineColour(w.app.logLines().size() - 1), QColor(Qt::red));
        EXPECT_EQ(w.held(), !c.releases);
        EXPECT_EQ(w.wait->counter(), 0);

        w.app.advance(20000);
        EXPECT_EQ(w.sent(), c.sends);
        EXPECT_EQ(w.givenUp, 1);
    }
}

TEST(AnswerWait, TheMembersWithoutTextsOnlyHandTheExpiryToTheirOwner) {
    for (const AnswerWaitRule* rule : {&waits::kCMD50, &waits::kCMD82}) {
        Waiting w(*rule, 50);
        const int lines = w.app.logLines().size();
        w.request();
        w.app.advance(rule->intervalMs);
        EXPECT_EQ(w.givenUp, 1);
        EXPECT_EQ(w.sent(), 1);
        EXPECT_EQ(w.app.logLines().size(), lines);
        EXPECT_TRUE(w.held()) << "the owner decides";
    }
}

TEST(AnswerWait, ATickWhileTheGiveUpBoxIsOpenResendsNothing) {
    Waiting w(waits::kCMD87, 87);
    w.app.dialogs().setOnShown([&](const platform::ScriptedDialogs::Shown&) { w.app.advance(10000); });
    w.request();
    w.app.expectBox(waits::kLineFailure);
    w.app.advance(6000);
    EXPECT_EQ(w.sent(), 3);
    EXPECT_EQ(w.app.logLinesContaining(noAnswer(87, ". Сообщение отправлено повторно.")), 2);
    EXPECT_EQ(w.givenUp, 1);
}

TEST(AnswerWait, AfterGivingUpTheNextRequestGetsItsResendsAgain) {
    Waiting w(waits::kCMD81, 81);
    w.request();
    w.app.expectBox(QStringLiteral("TVR не ответил на сообщение CMD81. Проверьте линию связи."));
    w.app.advance(4000);
    ASSERT_EQ(w.givenUp, 1);

    w.request();
    w.app.advance(2000);
    EXPECT_EQ(w.app.logLinesContaining(noAnswer(81, ". Отправлен повторный запрос.")), 2);
    EXPECT_EQ(w.givenUp, 1);
    w.app.expectBox(QStringLiteral("TVR не ответил на сообщение CMD81. Проверьте линию связи."));
    w.app.advance(2000);
    EXPECT_EQ(w.givenUp, 2);
}

TEST(AnswerWait, AnAnswerBetweenTheExpiriesStartsTheCountAfresh) {
    Waiting w(waits::kCMD52, 52);
    w.request();
    w.app.advance(3000);
    ASSERT_EQ(w.wait->counter(), 1);
    w.wait->answered();
    EXPECT_FALSE(w.wait->timer().enabled());
    EXPECT_EQ(w.wait->counter(), 0);

    w.send();
    w.wait->start();
    w.app.advance(4000);
    EXPECT_EQ(w.givenUp, 0) << "one more resend before giving up";
    EXPECT_EQ(w.app.logLinesContaining(noAnswer(52, ". Сообщение отправлено повторно.")), 2);
}

TEST(AnswerWait, AnOwnerThatNoLongerWantsTheAnswerStopsTheResend) {
    Waiting w(waits::kCMD52, 52);
    w.request();
    w.polling = false;
    w.app.advance(10000);
    EXPECT_EQ(w.sent(), 1);
    EXPECT_EQ(w.givenUp, 0);
    EXPECT_FALSE(w.wait->timer().enabled());
    EXPECT_EQ(w.app.logLinesContaining(QStringLiteral("Нет ответа")), 0);
}
