// Page signatures: the registers' compare rule, the log texts and what the user is shown.
#include "configurator/app/eventlog.h"
#include "configurator/app/log_line.h"
#include "configurator/image/signatures.h"

#include "platform/text/locale.h"
#include "platform/timing/clock.h"
#include "platform/timing/virtual_scheduler.h"
#include "platform/ui/scripted_dialogs.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace veldar;

TEST(SignatureRegisters, TheDifferenceStaysSoASecondAnswerComparesAgainstTheRemainder) {
    SignatureRegisters r;
    r.set(SignatureKind::CommonSettings, 0x1234);
    EXPECT_TRUE(r.compare(SignatureKind::CommonSettings, 0x1234));
    EXPECT_FALSE(r.compare(SignatureKind::CommonSettings, 0x1234));
    EXPECT_EQ(r.value(SignatureKind::CommonSettings), -0x1234);
    r.set(SignatureKind::CommonSettings, 0x1234);
    EXPECT_TRUE(r.compare(SignatureKind::CommonSettings, 0x1234));

    r.set(SignatureKind::RelayOutputs, 0xFFFF);
    EXPECT_FALSE(r.compare(SignatureKind::RelayOutputs, 0xFFFE));
    EXPECT_EQ(r.value(SignatureKind::RelayOutputs), 1);
    EXPECT_EQ(r.value(SignatureKind::ChannelConstants), 0) << "registers are separate";
}

TEST(SignatureTexts, EachBlockNamesItselfTheChannelAndTheUnit) {
    const struct {
        SignatureKind kind;
        bool match;
        int channel;
        const char* text;
    } cases[] = {
        {SignatureKind::ChannelConstants, true, 3, "Совпадение сигнатур настроек канала 3 TVR (101)"},
        {SignatureKind::ChannelConstants, false, 8, "Не совпадение сигнатур настроек канала 8 TVR (101)"},
        {SignatureKind::CalibrationTables, true, 1, "Совпадение сигнатур градуировочной таблицы канала 1 TVR (101)"},
        {SignatureKind::CalibrationTables, false, 2, "Не совпадение сигнатур градуировочной таблицы канала 2 TVR (101)"},
        {SignatureKind::CommonSettings, true, 0, "Совпадение сигнатур общих настроек TVR (101)"},
        {SignatureKind::CommonSettings, false, 0, "Не совпадение сигнатур общих настроек TVR (101)"},
        {SignatureKind::RelayOutputs, true, 0, "Совпадение сигнатур настроек РЕЛЕ TVR (101)"},
        {SignatureKind::RelayOutputs, false, 0, "Не совпадение сигнатур настроек РЕЛЕ TVR (101)"},
        {SignatureKind::WholeImage, true, 0, "Совпадение сигнатур настроек TVR (101)"},
        {SignatureKind::WholeImage, false, 0, "Не совпадение сигнатур настроек TVR (101)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(signatureLogText(c.kind, c.match, c.channel, 101).toStdString(), c.text);
}

TEST(SignatureTexts, TheChannelComesFromTheAnswersFirstByte) {
    EXPECT_EQ(signatureChannel(SignatureKind::ChannelConstants, 0), 1);
    EXPECT_EQ(signatureChannel(SignatureKind::ChannelConstants, 7), 8);
    EXPECT_EQ(signatureChannel(SignatureKind::CalibrationTables, 3), 3);
    EXPECT_EQ(signatureChannel(SignatureKind::CalibrationTables, 13), 3);
    EXPECT_EQ(signatureChannel(SignatureKind::CalibrationTables, 18), 8);
}

TEST(SignatureAnswers, AMatchIsAMessageAndAMismatchAnError) {
    platform::VirtualScheduler scheduler;
    platform::SchedulerClock clock(scheduler, QDateTime(QDate(2013, 12, 9), QTime(14, 5, 33)));
    platform::ScriptedDialogs dialogs;
    const platform::Locale locale = platform::Locale::russian();
    EventLog log(clock, locale, dialogs);
    QTemporaryDir folder;
    log.setFolder(folder.path());
    std::vector<std::pair<int, QString>> lines;
    log.setPane([&lines](const QString& line, int kind) { lines.push_back({kind, line.section(QLatin1Char('\t'), 1)}); });
    SignatureRegisters registers;
    SignatureAnswers answers(registers, log, dialogs, nullptr);

    registers.set(SignatureKind::CalibrationTables, 0xABCD);
    answers.answer(SignatureKind::CalibrationTables, 121, QByteArray::fromHex("0dabcd"));
    answers.answer(SignatureKind::CalibrationTables, 121, QByteArray::fromHex("0dabcd"));
    answers.answer(SignatureKind::RelayOutputs, 121, QByteArray::fromHex("00"));  // too short: ignored

    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::make_pair(kLogMessage, QStringLiteral("Совпадение сигнатур градуировочной таблицы канала 3 TVR (121)")));
    EXPECT_EQ(lines[1], std::make_pair(kLogError, QStringLiteral("Не совпадение сигнатур градуировочной таблицы канала 3 TVR (121)")));
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown()[0].text, QStringLiteral("Сигнатура совпадает"));
    EXPECT_EQ(dialogs.shown()[0].icon, platform::Icon::Information);
    EXPECT_EQ(dialogs.shown()[1].text, QStringLiteral("Сигнатура не совпадает"));
    EXPECT_EQ(dialogs.shown()[1].icon, platform::Icon::Error);
    EXPECT_EQ(dialogs.shown()[1].caption, QStringLiteral("VELDAR"));
}
