// Finding units on the line against tvr-sim: the search with and without notification,
// cancelling it, and detecting the address of the one unit on the line.
#include "units_app.h"

#include "configurator/app/mainform.h"
#include "configurator/protocol/progressbar.h"
#include "configurator/protocol/searchtvrprogress.h"
#include "configurator/protocol/searchtvrsettings.h"

#include <QCheckBox>

#include <gtest/gtest.h>

using unitstest::UnitsApp;

namespace {

constexpr int kWholeImageMs = 233 * 900;
const QString kFinished = QStringLiteral("Поиск завершен.");

struct Search {
    explicit Search(const std::vector<int>& units, const std::vector<int>& files = {}) {
        for (const int f : files) app.putSettingsFile(f);
        app.startWithUnits(units);
        app.choose({});
        app.click(QStringLiteral("btnSearchDevicesTVR"));
        settings = &app.program().searchSettings();
        EXPECT_TRUE(settings->isVisible());
    }
    void start(int first, int last, bool notify) {
        app.choose(QStringLiteral("cbStartSearchAdr"), QString::number(first), settings);
        app.choose(QStringLiteral("cbStopSearchAdr"), QString::number(last), settings);
        if (notify) app.click(QStringLiteral("chkShowTVRFind"), settings);
        app.click(QStringLiteral("btnStartSearch"), settings);
    }
    veldar::TfrmSearchTVRProgress& progress() { return app.program().searchProgress(); }

    UnitsApp app;
    veldar::TfrmSearchTVRSettings* settings = nullptr;
};

}  // namespace

TEST(Search, ANewUnitBetweenTwoSilentAddressesIsAddedAndReadWithoutAsking) {
    Search s({121});
    const QByteArray memory = QByteArray(29824, '\x5A');
    ASSERT_TRUE(s.app.unit(121).setMemory(memory));
    s.start(120, 122, false);
    EXPECT_FALSE(s.settings->isVisible());
    EXPECT_TRUE(s.progress().isVisible());
    EXPECT_EQ(s.progress().range(), 3);
    EXPECT_EQ(s.progress().position(), 1);
    EXPECT_FALSE(s.app.windowReleased());

    s.app.advance(1000);
    EXPECT_EQ(s.app.sent(120, 50), 1);
    EXPECT_EQ(s.app.sent(121, 50), 1);
    EXPECT_EQ(s.progress().position(), 2);
    s.app.advance(1500);
    EXPECT_EQ(s.app.unitCaptions(), QStringList{QStringLiteral("TVR (121)")});
    veldar::TfrmProgressBar& reading = s.app.program().progressBar();
    EXPECT_TRUE(reading.isVisible());
    EXPECT_EQ(reading.windowTitle(), QStringLiteral("Чтение настроек TVR"));
    EXPECT_EQ(reading.range(), 124);

    s.app.expectBox(kFinished);
    s.app.advance(kWholeImageMs + 2000);
    EXPECT_EQ(s.app.settingsFileContent(121), memory);
    EXPECT_EQ(s.app.sent(122, 50), 1);
    EXPECT_EQ(s.progress().position(), 3);
    EXPECT_EQ(s.app.lastBox().icon, platform::Icon::Information);
    EXPECT_FALSE(s.progress().isVisible());
    EXPECT_FALSE(reading.isVisible());
    EXPECT_TRUE(s.app.windowReleased());
    EXPECT_EQ(s.app.logLinesContaining(QStringLiteral("Получены все настройки")), 0) << "the search goes on instead";
    EXPECT_EQ(s.app.sent(123, 50), 0);
}

TEST(Search, CancelEndsTheSearchAtTheNextSilentAddress) {
    Search s({});
    s.start(120, 130, false);
    s.app.advance(1500);
    s.app.click(QStringLiteral("btnCancelSearch"), &s.progress());
    EXPECT_TRUE(s.progress().isVisible());
    s.app.expectBox(QStringLiteral("Поиск прерван пользователем."));
    s.app.advance(1000);
    EXPECT_EQ(s.app.sent(121, 50), 1);
    EXPECT_EQ(s.app.sent(122, 50), 0);
    EXPECT_FALSE(s.progress().isVisible());
    EXPECT_TRUE(s.app.windowReleased());
    s.app.advance(5000);
    EXPECT_EQ(s.app.sent(122, 50), 0);
}

TEST(Search, CancelBeforeAUnitAnswersEndsTheSearchWithThatAnswer) {
    Search s({121});
    s.start(121, 125, false);
    s.app.click(QStringLiteral("btnCancelSearch"), &s.progress());
    s.app.expectBox(QStringLiteral("Поиск прерван пользователем."));
    s.app.advance(3000);
    EXPECT_EQ(s.app.sent(121, 87, QByteArray(1, '\0')), 0);
    EXPECT_EQ(s.app.sent(122, 50), 0);
    EXPECT_FALSE(s.progress().isVisible());
    EXPECT_TRUE(s.app.windowReleased());
}

TEST(Search, CancelWhileAUnitIsReadEndsTheSearchWhenTheReadIsDone) {
    Search s({120, 121});
    s.start(120, 121, false);
    s.app.advance(3000);
    ASSERT_TRUE(s.app.program().progressBar().isVisible());
    s.app.click(QStringLiteral("btnCancelSearch"), &s.progress());
    s.app.expectBox(QStringLiteral("Поиск прерван пользователем."));
    s.app.advance(kWholeImageMs);
    EXPECT_TRUE(s.app.hasSettingsFile(120));
    EXPECT_EQ(s.app.sent(121, 50), 0);
    EXPECT_FALSE(s.progress().isVisible());
    EXPECT_TRUE(s.app.windowReleased());
}

TEST(Search, AFoundUnitWhoseReadIsGivenUpEndsTheSearch) {
    Search s({121, 122});
    s.start(121, 122, false);
    s.app.units({}).faults().dropNextAnswers(3);  // the three asks for the first image page
    s.app.expectBox(QStringLiteral("СTVRй приема по RS. Проверьте линию связи и повторите попытку."));
    s.app.advance(10000);
    EXPECT_EQ(s.app.sent(121, 87, QByteArray(1, '\0')), 3);
    EXPECT_FALSE(s.progress().isVisible());
    EXPECT_FALSE(s.app.program().progressBar().isVisible());
    EXPECT_TRUE(s.app.windowReleased());
    EXPECT_EQ(s.app.sent(122, 50), 0);
    EXPECT_FALSE(s.app.hasSettingsFile(121));
}

TEST(Search, AKnownUnitIsOfferedForReadingEvenWithoutNotification) {
    Search s({121}, {121});
    const QByteArray before = s.app.settingsFileContent(121);
    s.app.unit(121).setMemory(QByteArray(29824, '\x01'));
    s.app.answerBox(QStringLiteral("TVR с адресом 121 уже присутствует в списке. Прочитать его настройки?"),
                    platform::Answer::No);
    s.app.expectBox(kFinished);
    s.start(121, 121, false);
    s.app.advance(2000);
    EXPECT_EQ(s.app.dialogs().shown().at(s.app.dialogs().shown().size() - 2).icon, platform::Icon::Information);
    EXPECT_EQ(s.app.logLinesContaining(QStringLiteral("[СООБЩЕНИЕ]\tЗавершен поиск устройств TVR.")), 1);
    EXPECT_EQ(s.app.unitCaptions(), QStringList{QStringLiteral("TVR (121)")});
    EXPECT_EQ(s.app.settingsFileContent(121), before);
    EXPECT_TRUE(s.app.windowReleased());
    EXPECT_FALSE(s.progress().isVisible());
}

TEST(Search, WithNotificationEachNewUnitIsAskedForAndTheOperatorMayStopAfterARead) {
    Search s({121, 122});
    s.app.answerBox(QStringLiteral("Найден TVR с адресом121. Прочитать его настройки?"), platform::Answer::Yes);
    s.app.expectBox(QStringLiteral("Настройки считаны и сохранены в файл."));
    s.app.answerBox(QStringLiteral("Продолжить поиск устройств?"), platform::Answer::No);
    s.start(121, 122, true);
    s.app.advance(kWholeImageMs + 2000);
    EXPECT_TRUE(s.app.hasSettingsFile(121));
    EXPECT_EQ(s.app.sent(122, 50), 0);
    EXPECT_FALSE(s.progress().isVisible());
    EXPECT_TRUE(s.app.windowReleased());
}

TEST(Search, AUnitFoundButNotReadHasANodeOnly) {
    Search s({121});
    s.app.answerBox(QStringLiteral("Найден TVR с адресом121. Прочитать его настройки?"), platform::Answer::No);
    s.app.expectBox(kFinished);
    s.start(121, 121, true);
    s.app.advance(2000);
    EXPECT_EQ(s.app.unitCaptions(), QStringList{QStringLiteral("TVR (121)")});
    EXPECT_FALSE(s.app.hasSettingsFile(121));
}

TEST(Search, AFirstAddressAboveTheLastRaisesTheLast) {
    Search s({});
    s.app.choose(QStringLiteral("cbStopSearchAdr"), QStringLiteral("150"), s.settings);
    s.app.choose(QStringLiteral("cbStartSearchAdr"), QStringLiteral("200"), s.settings);
    EXPECT_EQ(s.settings->lastAddress(), 200);
    s.app.choose(QStringLiteral("cbStopSearchAdr"), QStringLiteral("120"), s.settings);
    EXPECT_EQ(s.settings->lastAddress(), 200);
    EXPECT_EQ(s.settings->firstAddress(), 200);
    s.app.choose(QStringLiteral("cbStopSearchAdr"), QStringLiteral("255"), s.settings);
    EXPECT_EQ(s.settings->lastAddress(), 255);
}

TEST(Detection, TheOneUnitOnTheLineTellsItsAddress) {
    UnitsApp app;
    app.startWithUnits({130});
    app.choose({});
    app.answerBox(QStringLiteral("На линии связи должен быть подключент только один блок TVR.\n\rПродолжить?"),
                  platform::Answer::Yes);
    app.expectBox(QStringLiteral("Обнаружен TVR с адресом 130"));
    app.click(QStringLiteral("btnCheckTVRAddress"));
    EXPECT_EQ(app.sent(0, 50), 1);
    app.advance(1000);
    EXPECT_EQ(app.lastBox().icon, platform::Icon::Information);
    EXPECT_TRUE(app.unitCaptions().isEmpty());
    EXPECT_TRUE(app.windowReleased());
}
