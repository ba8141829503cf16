// Whole-unit read, write and signature against tvr-sim: every image page once, lost answers
// and their resends, giving up, a file that cannot be read, and the whole-image signature.
#include "units_app.h"

#include "configurator/app/mainform.h"
#include "configurator/image/default_settings.h"
#include "configurator/image/image_layout.h"
#include "configurator/protocol/progressbar.h"

#include "platform/fs/files.h"

#include <gtest/gtest.h>

#include <random>

using unitstest::UnitsApp;

namespace {

const QString kUnit = QStringLiteral("TVR (121)");
const QString kReadQuestion = QStringLiteral("Прочитать все настройки из блока TVR?");
const QString kWriteQuestion = QStringLiteral("Записать все настройки в блок TVR?");
const QString kWriteWarning =
    QStringLiteral("При записи всех настроек в TVR, предыдущие значения будут утрачены.\nПродолжить?");
const QString kLineFailure = QStringLiteral("СTVRй приема по RS. Проверьте линию связи и повторите попытку.");
// A whole image at 9600 baud with the half-second pause before each request.
constexpr int kWholeImageMs = 233 * 900;

QByteArray noise(std::uint32_t seed) {
    std::mt19937 random(seed);
    QByteArray b(veldar::image::kSize, '\0');
    for (char& c : b) c = static_cast<char>(random() & 0xFF);
    return b;
}

// Unit 121 on the line with its page open and its status shown.
struct UnitOnLine {
    UnitOnLine() {
        app.putSettingsFile(121);
        app.startWithUnits({121});
        app.choose({kUnit});
        app.advance(3000);
        EXPECT_TRUE(app.windowReleased());
    }
    veldar::TfrmProgressBar& progress() { return app.program().progressBar(); }
    int pagesSent(int command) {
        int n = 0;
        for (int page = 0; page < veldar::image::kPages; ++page) {
            QByteArray data(1, static_cast<char>(page));
            if (command == 86) data += app.settingsFileContent(121).mid(page * 128, 128);
            n += app.sent(121, command, data);
        }
        return n;
    }
    UnitsApp app;
};

}  // namespace

TEST(WholeUnit, AFullReadAsksEveryPageOnceAndStoresTheUnitsMemory) {
    UnitOnLine u;
    const QByteArray memory = noise(1);
    ASSERT_TRUE(u.app.unit(121).setMemory(memory));
    u.app.answerBox(kReadQuestion, platform::Answer::Yes);
    u.app.click(QStringLiteral("btnReadAllSettingsTVR"));
    EXPECT_TRUE(u.progress().isVisible());
    EXPECT_EQ(u.progress().windowTitle(), QStringLiteral("Чтение настроек TVR"));
    EXPECT_EQ(u.progress().range(), 233);
    EXPECT_FALSE(u.app.windowReleased());

    u.app.expectBox(QStringLiteral("Настройки считаны и сохранены в файл."));
    u.app.advance(kWholeImageMs);
    EXPECT_EQ(u.app.settingsFileContent(121), memory);
    EXPECT_EQ(u.pagesSent(87), 233);
    EXPECT_EQ(u.app.sent(121, 87, QByteArray(1, char(233))), 0);
    EXPECT_EQ(u.app.logLinesContaining(QStringLiteral("[СООБЩЕНИЕ]\tПолучены все настройки для TVR (121)")), 1);
    EXPECT_EQ(u.app.lastBox().icon, platform::Icon::Information);
    EXPECT_FALSE(u.progress().isVisible());
    EXPECT_EQ(u.progress().position(), 233);
    EXPECT_TRUE(u.app.windowReleased());
}

TEST(WholeUnit, OneLostPageIsAskedForAgainAndTheReadGoesOn) {
    UnitOnLine u;
    const QByteArray memory = noise(2);
    ASSERT_TRUE(u.app.unit(121).setMemory(memory));
    u.app.answerBox(kReadQuestion, platform::Answer::Yes);
    u.app.click(QStringLiteral("btnReadAllSettingsTVR"));
    u.app.advance(20 * 900);
    u.app.units({}).faults().dropNextAnswers(1);
    u.app.expectBox(QStringLiteral("Настройки считаны и сохранены в файл."));
    u.app.advance(kWholeImageMs + 3000);
    EXPECT_EQ(u.app.logLinesContaining(QStringLiteral("Нет ответа от TVR (121)на сообщение CMD87. Сообщение отправлено повторно.")), 1);
    EXPECT_EQ(u.pagesSent(87), 234);
    EXPECT_EQ(u.app.settingsFileContent(121), memory);
}

TEST(WholeUnit, ASilentUnitIsAskedThreeTimesAndTheReadIsGivenUpAfterSixSeconds) {
    UnitOnLine u;
    u.app.unit(121).setMemory(noise(3));
    const QByteArray before = u.app.settingsFileContent(121);
    u.app.units({}).faults().dropNextAnswers(3);
    u.app.answerBox(kReadQuestion, platform::Answer::Yes);
    u.app.click(QStringLiteral("btnReadAllSettingsTVR"));
    u.app.advance(5990);
    EXPECT_EQ(u.app.sent(121, 87, QByteArray(1, '\0')), 3);
    EXPECT_TRUE(u.progress().isVisible());
    u.app.expectBox(kLineFailure);
    u.app.advance(20);
    EXPECT_EQ(u.app.lastBox().icon, platform::Icon::Error);
    EXPECT_TRUE(u.app.logLines().last().endsWith(QStringLiteral("Нет ответа от TVR (121)на сообщение CMD87. Отмена полсылки данных.")));
    EXPECT_FALSE(u.progress().isVisible());
    EXPECT_TRUE(u.app.windowReleased());
    u.app.advance(10000);
    EXPECT_EQ(u.app.sent(121, 87, QByteArray(1, '\0')), 3);
    EXPECT_EQ(u.app.settingsFileContent(121), before);
}

TEST(WholeUnit, AFullWriteSendsEveryPageOfTheFileAndReleasesTheWindowAtTheFirstAnswer) {
    UnitOnLine u;
    const QByteArray image = noise(4);
    u.app.putSettingsFile(121, image);
    u.app.answerBox(kWriteQuestion, platform::Answer::Yes);
    u.app.answerBox(kWriteWarning, platform::Answer::Yes);
    u.app.click(QStringLiteral("btnWriteAllSettingsTVR"));
    EXPECT_EQ(u.progress().windowTitle(), QStringLiteral("Запись всех настроек в TVR"));
    EXPECT_FALSE(u.app.windowReleased());
    u.app.advance(600);
    EXPECT_TRUE(u.app.windowReleased()) << "released at the first page's answer";
    EXPECT_TRUE(u.progress().isVisible());

    u.app.expectBox(QStringLiteral("Все настройки записаны в TVR."));
    u.app.advance(kWholeImageMs);
    EXPECT_EQ(u.app.unit(121).memory(), image);
    EXPECT_EQ(u.pagesSent(86), 233);
    EXPECT_EQ(u.app.logLinesContaining(QStringLiteral("[СООБЩЕНИЕ]\tВсе настройки записаны в TVR (121)")), 1);
    EXPECT_FALSE(u.progress().isVisible());
}

TEST(WholeUnit, ASilentUnitGetsFourWritesOfThePageAndTheWriteIsGivenUpAfterEightSeconds) {
    UnitOnLine u;
    const QByteArray image = noise(5);
    u.app.putSettingsFile(121, image);
    const QByteArray firstPage = QByteArray(1, '\0') + image.left(128);
    u.app.units({}).faults().dropNextAnswers(4);
    u.app.answerBox(kWriteQuestion, platform::Answer::Yes);
    u.app.answerBox(kWriteWarning, platform::Answer::Yes);
    u.app.click(QStringLiteral("btnWriteAllSettingsTVR"));
    u.app.advance(7990);
    EXPECT_EQ(u.app.sent(121, 86, firstPage), 4);
    EXPECT_EQ(u.app.logLinesContaining(QStringLiteral("Нет ответа от TVR (121)на сообщение CMD86. Сообщение отправлено повторно.")), 3);
    EXPECT_FALSE(u.app.windowReleased());
    u.app.expectBox(kLineFailure);
    u.app.advance(20);
    EXPECT_TRUE(u.app.logLines().last().endsWith(QStringLiteral("Нет ответа от TVR (121)на сообщение CMD86. Отмена полсылки данных.")));
    EXPECT_FALSE(u.progress().isVisible());
    EXPECT_TRUE(u.app.windowReleased());
    u.app.advance(10000);
    EXPECT_EQ(u.app.sent(121, 86, firstPage), 4);
    EXPECT_EQ(u.app.sent(121, 86, QByteArray(1, '\x01') + image.mid(128, 128)), 0);
}

// Slow answers arrive after their page has been sent again, so the unit answers those pages
// twice: the write still puts every page in place, and the read does not start a second
// chain of requests (every later page asked twice).
TEST(WholeUnit, ASecondAnswerToAResentPageChangesNothing) {
    UnitOnLine u;
    const QByteArray image = noise(7);
    u.app.putSettingsFile(121, image);
    tvrsim::Line& line = u.app.units({});
    u.app.answerBox(kWriteQuestion, platform::Answer::Yes);
    u.app.answerBox(kWriteWarning, platform::Answer::Yes);
    u.app.click(QStringLiteral("btnWriteAllSettingsTVR"));
    u.app.advance(5 * 900);
    line.setFaults(tvrsim::FaultSettings{0, 0, 0, 0, 2100, 0});
    u.app.advance(6000);
    line.setFaults(tvrsim::FaultSettings{});
    u.app.expectBox(QStringLiteral("Все настройки записаны в TVR."));
    u.app.advance(kWholeImageMs);
    EXPECT_GE(u.app.logLinesContaining(QStringLiteral("CMD86. Сообщение отправлено повторно.")), 1);
    EXPECT_EQ(u.app.unit(121).memory(), image);

    const QByteArray memory = noise(8);
    ASSERT_TRUE(u.app.unit(121).setMemory(memory));
    u.app.answerBox(kReadQuestion, platform::Answer::Yes);
    u.app.click(QStringLiteral("btnReadAllSettingsTVR"));
    u.app.advance(5 * 900);
    line.setFaults(tvrsim::FaultSettings{0, 0, 0, 0, 2100, 0});
    u.app.advance(2500);
    line.setFaults(tvrsim::FaultSettings{});
    u.app.expectBox(QStringLiteral("Настройки считаны и сохранены в файл."));
    u.app.advance(kWholeImageMs);
    EXPECT_EQ(u.app.logLinesContaining(QStringLiteral("CMD87. Сообщение отправлено повторно.")), 1);
    EXPECT_EQ(u.pagesSent(87), 234);
    EXPECT_EQ(u.app.settingsFileContent(121), memory);
}

// The write releases the window at its first answer, so the operator may go on to read
// another unit meanwhile: each transfer keeps its own page and the write its own image.
TEST(WholeUnit, AReadOfAnotherUnitWhileAWriteGoesOnDisturbsNeither) {
    UnitsApp app;
    const QByteArray image = noise(9);
    app.putSettingsFile(121, image);
    app.putSettingsFile(130);
    app.startWithUnits({121, 130});
    const QByteArray memory = noise(10);
    ASSERT_TRUE(app.unit(130).setMemory(memory));
    app.choose({kUnit});
    app.advance(3000);
    app.answerBox(kWriteQuestion, platform::Answer::Yes);
    app.answerBox(kWriteWarning, platform::Answer::Yes);
    app.click(QStringLiteral("btnWriteAllSettingsTVR"));
    app.advance(10 * 900);
    app.choose({QStringLiteral("TVR (130)")});
    app.advance(3000);
    app.answerBox(kReadQuestion, platform::Answer::Yes);
    app.click(QStringLiteral("btnReadAllSettingsTVR"));
    app.expectBox(QStringLiteral("Все настройки записаны в TVR."));
    app.expectBox(QStringLiteral("Настройки считаны и сохранены в файл."));
    app.advance(2 * kWholeImageMs);
    EXPECT_EQ(app.unit(121).memory(), image);
    EXPECT_EQ(app.settingsFileContent(130), memory);
    EXPECT_EQ(app.settingsFileContent(121), image);
}

TEST(WholeUnit, AWriteWhoseFileCannotBeReadSendsNothingAndSaysWhy) {
    UnitOnLine u;
    u.app.putSettingsFile(121, QByteArray(1000, '\x11'));
    u.app.wire().takeWritten();
    u.app.answerBox(kWriteQuestion, platform::Answer::Yes);
    u.app.answerBox(kWriteWarning, platform::Answer::Yes);
    u.app.expectBox(QStringLiteral("Не удается прочитать файл с настройками. Запись всех настроек в TVR отменена."));
    u.app.click(QStringLiteral("btnWriteAllSettingsTVR"));
    u.app.advance(10000);
    EXPECT_TRUE(u.app.wire().written().isEmpty());
    EXPECT_TRUE(u.app.logLines().last().endsWith(
        QStringLiteral("[ОШИБКА]\tЗапись всех настроек в TVR (121) отменена. Не удается прочитать файл с настройками.")));
    EXPECT_FALSE(u.progress().isVisible());
    EXPECT_TRUE(u.app.windowReleased());
}

TEST(WholeUnit, TheWholeImageSignatureMatchesAfterAReadAndNotAfterALocalChange) {
    UnitOnLine u;
    ASSERT_TRUE(u.app.unit(121).setMemory(noise(6)));
    u.app.answerBox(kReadQuestion, platform::Answer::Yes);
    u.app.click(QStringLiteral("btnReadAllSettingsTVR"));
    u.app.expectBox(QStringLiteral("Настройки считаны и сохранены в файл."));
    u.app.advance(kWholeImageMs);

    u.app.expectBox(QStringLiteral("Сигнатура совпадает"));
    u.app.click(QStringLiteral("btnSignaturesAllSettingsTVR"));
    EXPECT_FALSE(u.app.windowReleased());
    u.app.advance(3000);
    EXPECT_TRUE(u.app.windowReleased());
    EXPECT_TRUE(u.app.logLines().last().endsWith(QStringLiteral("[СООБЩЕНИЕ]\tСовпадение сигнатур настроек TVR (121)")));

    QByteArray changed = u.app.settingsFileContent(121);
    changed[11264] = static_cast<char>(changed[11264] ^ 1);
    u.app.putSettingsFile(121, changed);
    u.app.expectBox(QStringLiteral("Сигнатура не совпадает"));
    u.app.click(QStringLiteral("btnSignaturesAllSettingsTVR"));
    u.app.advance(3000);
    EXPECT_EQ(u.app.lastBox().icon, platform::Icon::Error);
    EXPECT_TRUE(u.app.logLines().last().endsWith(QStringLiteral("[ОШИБКА]\tНе совпадение сигнатур настроек TVR (121)")));
}

TEST(WholeUnit, ASignatureWithoutAFileComparesWithTheDefaultContent) {
    UnitOnLine u;
    ASSERT_TRUE(QFile::remove(u.app.settingsFile(121)));
    u.app.expectBox(QStringLiteral("отсутствует. Сейчас будут загружены настройки по умолчанию."));
    u.app.expectBox(QStringLiteral("Сигнатура совпадает"));
    u.app.click(QStringLiteral("btnSignaturesAllSettingsTVR"));
    u.app.advance(3000);
    EXPECT_EQ(u.app.settingsFileContent(121), veldar::builtInDefaultSettings()) << "a factory unit holds the default";
}

TEST(WholeUnit, AnUnansweredSignatureIsGivenUpAfterTenSecondsWithoutAResend) {
    UnitOnLine u;
    u.app.units({}).faults().dropNextAnswers(1);
    u.app.click(QStringLiteral("btnSignaturesAllSettingsTVR"));
    u.app.advance(9990);
    EXPECT_FALSE(u.app.windowReleased());
    u.app.expectBox(kLineFailure);
    u.app.advance(20);
    EXPECT_TRUE(u.app.logLines().last().endsWith(QStringLiteral("Нет ответа от TVR (121)на сообщение CMD88.")));
    EXPECT_TRUE(u.app.windowReleased());
    EXPECT_EQ(u.app.sent(121, 88), 1);
}
