// The sensor page against tvr-sim: opening it, "Запись", "Чтение", "Проверка сигнатур", the
// unit's refusal, answers the program cannot take, and CMD51 when the page opens.
#include "configurator/link_support.h"
#include "configurator/units/units_app.h"
#include "support/widgets.h"

#include "configurator/app/mainform.h"
#include "configurator/app/sensor_page.h"
#include "configurator/app/settings.h"
#include "configurator/config/constant_rows.h"
#include "configurator/image/image_layout.h"
#include "configurator/image/signaturecrc.h"
#include "configurator/measure/channel_polling.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace veldar;
using unitstest::UnitsApp;

namespace {

const QStringList kSensor3 = {QStringLiteral("TVR (101)"), QStringLiteral("Измерительные каналы"),
                              QStringLiteral("Канал 3"), QStringLiteral("Датчик VLK")};
const int kBlock3 = image::constantsOffset(3);
const QByteArray kChannel3(1, char(2));

const QString kPolled = QStringLiteral(
    "TVR ответил на сообщение CMD51. Для получения данных по каналу установите опцию \"Опрос канала\".");
const QString kWriteQuestion = QStringLiteral("Записать константы канала в TVR?");
const QString kWritten = QStringLiteral("Запись констант канала завершена");
const QString kReceived = QStringLiteral("Блок констант канала получен от TVR");
const QString kKeepQuestion = QStringLiteral("Сохранить константы в файле?");
const QString kReadFormat = QStringLiteral(
    "Конфигуратор не поддерживает формат полученного от TVR сообщения CMD54. Возможно TVR использует прошивку не "
    "совместимую с данным конфигуратором.");
const QString kRefused = QStringLiteral(
    "TVR не поддерживает данный формат CMD53. Возможно TVR использует прошивку не совместимую с данным "
    "конфигуратором.");
// Long enough for a request with its pause, the answer and its handling.
constexpr int kExchangeMs = 2000;

// A block unlike the default one: another regime and liquid, other values everywhere, and
// values without a row that the page cannot keep.
QByteArray otherBlock() {
    QByteArray b = QByteArray::fromHex(
        "651B5891030186A00DAC00320DAC0DAC0DAC086B086B086B0B8606A4"
        "03840000000000000ADC157D272703B686C500C807080002001E0001"
        "0A01FFFB001202E4002D003C00001D240000009F0064096009C400C8");
    b[3] = char(0x91);
    b[4] = char(11);
    return b;
}

std::vector<int> hiddenRows(ConstantRows& rows) {
    std::vector<int> hidden;
    for (int row = 0; row < kConstantRows; ++row)
        if (rows.label(row)->isHidden()) hidden.push_back(row);
    return hidden;
}

// Unit 101 on the line with the default settings image file, before the sensor page opens.
struct SensorPageApp {
    SensorPageApp() { app.putSettingsFile(101); }

    void openSensorPage() {
        app.expectBox(kPolled);
        app.choose(kSensor3);
        app.advance(kExchangeMs);
    }
    ConstantRows& rows() { return *app.main().sensorPage().constantRows(); }
    QString row(int r) { return rows().edit(r)->text(); }
    void typeRow(int r, const QString& text) {
        QLineEdit* edit = rows().edit(r);
        edit->setFocus();
        edit->selectAll();
        edit->del();
        QTest::keyClicks(edit, text.toLatin1().constData());
    }
    void click(const char* button) {
        app.click(QString::fromLatin1(button));
        app.advance(kExchangeMs);
    }
    QByteArray fileBlock() { return app.settingsFileContent(101).mid(kBlock3, image::kBlockSize); }
    QByteArray unitBlock() { return app.unit(101).memory().mid(kBlock3, kChannelConstantsBytes); }
    void setUnitBlock(const QByteArray& block) {
        QByteArray memory = app.unit(101).memory();
        memory.replace(kBlock3, block.size(), block);
        ASSERT_TRUE(app.unit(101).setMemory(memory));
    }
    // The block the page shows, as the file keeps it.
    QByteArray pageBlock() {
        return encodeChannelConstants(rows().texts(), app.main().decimalSeparator()).bytes + QByteArray(44, char(0xFF));
    }

    UnitsApp app;
};

// The same unit answering through the rows of `SensorPageApp`, started and on its page.
struct SensorOnLine : SensorPageApp {
    SensorOnLine() {
        app.startWithUnits({101});
        openSensorPage();
    }
};

}  // namespace

TEST(SensorPage, OpeningLoadsTheFileAndMakesTheUnitPollThatChannelOnly) {
    SensorPageApp s;
    s.app.startWithUnits({101});
    s.app.expectBox(kPolled);
    s.app.choose(kSensor3);
    EXPECT_FALSE(s.app.windowReleased());
    EXPECT_EQ(s.app.shownPage(), QStringLiteral("PanelSensorSettings"));
    EXPECT_EQ(s.row(8), QStringLiteral("215,5"));
    EXPECT_EQ(s.row(kRegimeRow), QStringLiteral("Одноэлектродный датчик VLK-2R с датчиком давления"));
    EXPECT_EQ(s.row(kLiquidRow), QStringLiteral("Пропан"));
    EXPECT_EQ(hiddenRows(s.rows()), (std::vector<int>{11, 13, 24}));

    s.app.advance(kExchangeMs);
    EXPECT_TRUE(s.app.windowReleased());
    EXPECT_EQ(s.app.sent(101, 51, QByteArray(1, char(0x04))), 1);
    EXPECT_EQ(s.app.unit(101).pollingMask(), 0x04);
    EXPECT_EQ(s.app.logLinesContaining(QStringLiteral("[СООБЩЕНИЕ]\tTVR ответил на сообщение CMD51. TVR опрашивает канал  3 ")), 1);
    EXPECT_EQ(s.app.text(QStringLiteral("lblStatusChannel3")), QStringLiteral("Канал 3 - опрос включен"));
    EXPECT_EQ(s.app.text(QStringLiteral("lblStatusChannel4")), QStringLiteral("Канал 4 - опрос выключен"));
    EXPECT_EQ(s.app.text(QStringLiteral("lblChannelState")), QStringLiteral("Нет опроса"));
    EXPECT_EQ(s.app.lastBox().icon, platform::Icon::Information);
}

TEST(SensorPage, AnUnansweredCMD51IsGivenUpAfterTwoSecondsAndReleasesTheWindow) {
    SensorPageApp s;
    s.app.startWithUnits({101});
    s.app.units({}).faults().dropNextAnswers(1);
    s.app.choose(kSensor3);
    s.app.advance(1500);
    EXPECT_FALSE(s.app.windowReleased());
    s.app.expectBox(QStringLiteral("TVR не ответил на сообщение CMD51. Проверьте линию связи."));
    s.app.advance(1000);
    EXPECT_TRUE(s.app.windowReleased());
    EXPECT_EQ(s.app.logLinesContaining(QStringLiteral("[ОШИБКА]\tTVR не ответил на сообщение CMD51")), 1);
    EXPECT_EQ(s.app.lastBox().icon, platform::Icon::Error);
    EXPECT_EQ(s.app.sent(101, 51, QByteArray(1, char(0x04))), 1);
    EXPECT_EQ(s.row(8), QStringLiteral("215,5"));
}

TEST(SensorPage, OfflineTheFileIsShownAndNothingIsSent) {
    SensorPageApp s;
    s.app.setSetting(Settings::kOffline, QStringLiteral("Y"));
    s.app.startWithUnits({101});
    const QByteArray before = s.app.wire().written();
    s.app.choose(kSensor3);
    s.app.advance(kExchangeMs);
    EXPECT_TRUE(s.app.windowReleased());
    EXPECT_EQ(s.app.wire().written(), before);
    EXPECT_EQ(s.row(0), QStringLiteral("0"));
}

TEST(SensorPage, WritingSavesSendsAndThenTheSignatureMatches) {
    SensorOnLine s;
    // The unit holds values the page has no rows for, and the page is what is signed.
    s.app.expectBox(QStringLiteral("Сигнатура не совпадает"));
    s.click("btnCheckSignatures");

    s.typeRow(0, QStringLiteral("300"));
    s.typeRow(16, QStringLiteral("-5"));
    s.app.answerBox(kWriteQuestion, platform::Answer::Yes);
    s.app.expectBox(kWritten);
    s.click("btnWriteConstToBO");
    const QByteArray saved = s.fileBlock();
    EXPECT_EQ(saved, s.pageBlock());
    EXPECT_EQ(static_cast<std::uint8_t>(saved[0]), 44);
    EXPECT_EQ(saved.mid(58, 2), QByteArray::fromHex("FFFB"));
    EXPECT_EQ(s.unitBlock(), saved.left(kChannelConstantsBytes));
    EXPECT_EQ(s.app.sent(101, 53, kChannel3 + saved.left(kChannelConstantsBytes)), 1);
    EXPECT_EQ(s.app.logLinesContaining(QStringLiteral("[СООБЩЕНИЕ]\tПрошла запись констант канала 3 TVR (101)")), 1);
    EXPECT_EQ(s.app.lastBox().icon, platform::Icon::Information);

    s.app.expectBox(QStringLiteral("Сигнатура совпадает"));
    s.click("btnCheckSignatures");
    EXPECT_EQ(s.app.sent(101, 55, kChannel3), 2);
    EXPECT_EQ(s.app.logLinesContaining(QStringLiteral("Совпадение сигнатур настроек канала 3 TVR (101)")), 1);
}

TEST(SensorPage, NoToTheWriteQuestionSavesAndSendsNothing) {
    SensorOnLine s;
    const QByteArray file = s.app.settingsFileContent(101);
    s.typeRow(0, QStringLiteral("7"));
    s.app.answerBox(kWriteQuestion, platform::Answer::No);
    s.click("btnWriteConstToBO");
    EXPECT_EQ(s.app.settingsFileContent(101), file);
    EXPECT_EQ(s.app.wire().written().count(":6535"), 0);
}

TEST(SensorPage, ARowThatIsNotANumberStopsWriteAndSignatureBeforeAnythingIsSavedOrSent) {
    SensorOnLine s;
    const QByteArray file = s.app.settingsFileContent(101);
    const QByteArray written = s.app.wire().written();
    s.typeRow(8, QStringLiteral("2,5x"));
    const QString notANumber = QStringLiteral("Значение \"2,5x\" в строке \"CK1, парамерт платы\" не является числом.");
    s.app.expectBox(notANumber);
    s.click("btnWriteConstToBO");
    EXPECT_EQ(s.app.lastBox().icon, platform::Icon::Error);
    s.app.expectBox(notANumber);
    s.click("btnCheckSignatures");
    EXPECT_EQ(s.app.settingsFileContent(101), file);
    EXPECT_EQ(s.app.wire().written(), written);
}

TEST(SensorPage, AReadBlockKeptGoesIntoTheFileAsThePageShowsIt) {
    SensorOnLine s;
    s.setUnitBlock(otherBlock());
    s.app.expectBox(kReceived);
    s.app.answerBox(kKeepQuestion, platform::Answer::Yes);
    s.click("btnReadConstFromBO");
    EXPECT_EQ(s.app.sent(101, 54, kChannel3), 1);
    EXPECT_EQ(s.app.logLinesContaining(QStringLiteral("[СООБЩЕНИЕ]\tПолучены константы канала 3 TVR (101)")), 1);
    EXPECT_EQ(s.row(0), QStringLiteral("101"));
    EXPECT_EQ(s.row(kRegimeRow), QStringLiteral("Одноэлектродный датчик VLK-2R"));
    EXPECT_EQ(s.row(kLiquidRow), QStringLiteral("Бутан"));
    EXPECT_EQ(s.row(16), QStringLiteral("-5"));
    EXPECT_EQ(hiddenRows(s.rows()), (std::vector<int>{11, 13, 14, 15, 16, 20, 24}));
    EXPECT_EQ(s.fileBlock(), s.pageBlock());
    EXPECT_EQ(s.fileBlock().left(5), otherBlock().left(5));
}

TEST(SensorPage, AReadBlockNotKeptLeavesTheFileAndThePageShowsItAgain) {
    SensorOnLine s;
    const QByteArray file = s.app.settingsFileContent(101);
    s.setUnitBlock(otherBlock());
    s.app.expectBox(kReceived);
    s.app.answerBox(kKeepQuestion, platform::Answer::No);
    s.click("btnReadConstFromBO");
    EXPECT_EQ(s.app.settingsFileContent(101), file);
    EXPECT_EQ(s.row(0), QStringLiteral("0"));
    EXPECT_EQ(s.row(kRegimeRow), QStringLiteral("Одноэлектродный датчик VLK-2R с датчиком давления"));
    EXPECT_EQ(hiddenRows(s.rows()), (std::vector<int>{11, 13, 24}));
}

TEST(SensorPage, TheUnitRefusingTheFormatIsToldAndTheWriteIsNotReportedDone) {
    SensorOnLine s;
    s.app.unit(101).setRefusesConstants(true);
    s.app.answerBox(kWriteQuestion, platform::Answer::Yes);
    s.app.expectBox(kRefused);
    s.click("btnWriteConstToBO");
    EXPECT_EQ(s.app.lastBox().icon, platform::Icon::Error);
    EXPECT_EQ(s.app.logLinesContaining(linktest::answered(101, 181)), 1);
    EXPECT_EQ(s.app.logLinesContaining(QStringLiteral("Прошла запись констант")), 0);
}

TEST(SensorPage, AnUnknownRegimeReadAfterTheDensityMeterShowsTheFirstTwentyOneRowsAndLeavesTheRest) {
    SensorOnLine s;
    QByteArray unknown = otherBlock();
    unknown[3] = char(0x55);
    s.setUnitBlock(unknown);
    testsupport::click(s.rows().edit(kRegimeRow));
    QWidget* dialog = s.app.window(QStringLiteral("TfrmSetSensorRegime"));
    s.app.click(QStringLiteral("rbPlotnomer"), dialog);
    s.app.click(QStringLiteral("btnOk"), dialog);
    EXPECT_EQ(hiddenRows(s.rows()).size(), 15u);

    s.app.expectBox(kReceived);
    s.app.answerBox(kKeepQuestion, platform::Answer::Yes);
    s.click("btnReadConstFromBO");
    EXPECT_EQ(s.row(kRegimeRow), QStringLiteral("Режим работы неопределен"));
    EXPECT_EQ(hiddenRows(s.rows()), (std::vector<int>{21, 22, 23}));
    for (int row = 0; row <= 20; ++row) EXPECT_EQ(s.rows().edit(row)->y(), 13 + 24 * row) << row;
    EXPECT_EQ(s.rows().edit(24)->y(), 13 + 24 * 9);
    // Kept as the page shows it: no regime.
    EXPECT_EQ(s.fileBlock()[3], char(0x00));
}

namespace {

// A scripted device in the unit's place, to say what tvr-sim never says.
struct SensorOnRecordingLine : SensorPageApp {
    SensorOnRecordingLine() {
        app.startConnected();
        app.choose(kSensor3);
        app.expectBox(kPolled);
        say(51, QByteArray(1, char(0x04)));
    }
    void say(int command, const QByteArray& data) {
        app.device().say(linktest::onWire(101, command, data));
        app.advance(kExchangeMs);
    }
};

}  // namespace

TEST(SensorPage, ReadAnswersOfAnotherLengthOrForAChannelThatDoesNotExistAreNotTaken) {
    SensorOnRecordingLine s;
    const QByteArray file = s.app.settingsFileContent(101);
    s.app.click(QStringLiteral("btnReadConstFromBO"));
    const struct {
        const char* label;
        QByteArray data;
    } cases[] = {
        {"87 bytes", kChannel3 + otherBlock().left(83)},
        {"89 bytes", kChannel3 + otherBlock() + QByteArray(1, '\0')},
        {"channel 9", QByteArray(1, char(8)) + otherBlock()},
        {"channel 256", QByteArray(1, char(0xFF)) + otherBlock()},
    };
    for (const auto& c : cases) {
        s.app.expectBox(kReadFormat);
        s.say(54, c.data);
        EXPECT_EQ(s.app.lastBox().icon, platform::Icon::Error) << c.label;
        EXPECT_EQ(s.row(0), QStringLiteral("0")) << c.label;
    }
    EXPECT_EQ(s.app.settingsFileContent(101), file);
    EXPECT_EQ(s.app.logLinesContaining(QStringLiteral("Получены константы канала")), 0);
}

TEST(SensorPage, ARefusalWithAnotherReasonIsOnlyLogged) {
    SensorOnRecordingLine s;
    const auto boxes = s.app.dialogs().shown().size();
    s.say(181, QByteArray(1, char(0x21)));
    s.say(181, QByteArray());
    EXPECT_EQ(s.app.dialogs().shown().size(), boxes);
    EXPECT_EQ(s.app.logLinesContaining(linktest::answered(101, 181)), 2);
}

TEST(SensorPage, AKeptBlockGoesToTheChannelTheAnswerNames) {
    SensorOnRecordingLine s;
    const QByteArray file = s.app.settingsFileContent(101);
    s.app.click(QStringLiteral("btnReadConstFromBO"));
    s.app.expectBox(kReceived);
    s.app.answerBox(kKeepQuestion, platform::Answer::Yes);
    s.say(54, QByteArray(1, char(4)) + otherBlock());
    const QByteArray kept = s.app.settingsFileContent(101);
    EXPECT_EQ(kept.mid(image::constantsOffset(5), image::kBlockSize), s.pageBlock());
    EXPECT_EQ(kept.left(image::constantsOffset(5)), file.left(image::constantsOffset(5)));
    EXPECT_EQ(kept.mid(image::constantsOffset(6)), file.mid(image::constantsOffset(6)));
}

TEST(SensorPage, OpeningThePageSetsTheSignatureItIsComparedWith) {
    SensorOnRecordingLine s;
    const QByteArray page = encodeChannelConstants(s.rows().texts(), s.app.main().decimalSeparator()).bytes;
    const std::uint16_t signature = SignatureCrc(page);
    s.app.expectBox(QStringLiteral("Сигнатура совпадает"));
    s.say(55, kChannel3 + QByteArray(1, char(signature >> 8)) + QByteArray(1, char(signature & 0xFF)));
    EXPECT_EQ(s.app.logLinesContaining(QStringLiteral("Совпадение сигнатур настроек канала 3 TVR (101)")), 1);
}

TEST(ChannelPollingText, TheAnswerNamesEveryPolledChannel) {
    EXPECT_EQ(pollingAnswerLogText(0), QStringLiteral("TVR ответил на сообщение CMD51. TVR не опрашивает имерительные каналы "));
    EXPECT_EQ(pollingAnswerLogText(0x05), QStringLiteral("TVR ответил на сообщение CMD51. TVR опрашивает канал  1  3 "));
    EXPECT_EQ(pollingAnswerLogText(0x80), QStringLiteral("TVR ответил на сообщение CMD51. TVR опрашивает канал  8 "));
}
