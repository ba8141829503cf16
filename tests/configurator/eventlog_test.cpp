// The event log on its own: line format, the file's bytes, folders and failures.
#include "configurator/app/eventlog.h"
#include "configurator/app/log_line.h"

#include "platform/text/codepage.h"
#include "platform/text/locale.h"
#include "platform/timing/clock.h"
#include "platform/timing/virtual_scheduler.h"
#include "platform/ui/scripted_dialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace veldar;

namespace {

class Log : public ::testing::Test {
protected:
    void SetUp() override { log.setFolder(dir.path() + QStringLiteral("/data")); }

    QByteArray file() const {
        QFile f(log.filePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    platform::VirtualScheduler scheduler;
    platform::SchedulerClock clock{scheduler, QDateTime(QDate(2013, 12, 9), QTime(14, 5, 33))};
    platform::Locale locale = platform::Locale::russian();
    platform::ScriptedDialogs dialogs;
    EventLog log{clock, locale, dialogs};
};

}  // namespace

TEST_F(Log, ARussianMessageLineIsWrittenInWindows1251WithCrLf) {
    QStringList pane;
    log.setPane([&](const QString& line, int) { pane.append(line); });
    log.log(kLogMessage, QStringLiteral("Запуск программы."));
    const QByteArray expected = QByteArray("09.12.2013   14:05:33: ") + platform::text::toCp1251(QStringLiteral("[СООБЩЕНИЕ]")) +
                                "\t" + platform::text::toCp1251(QStringLiteral("Запуск программы.")) + "\r\n";
    EXPECT_EQ(file(), expected);
    EXPECT_EQ(pane, QStringList{QStringLiteral("09.12.2013   14:05:33: [СООБЩЕНИЕ]\tЗапуск программы.")});
}

TEST_F(Log, TheKindDecidesThePrefix) {
    const QDateTime at(QDate(2024, 1, 2), QTime(3, 4, 5));
    EXPECT_EQ(logLine(kLogError, at, locale, QStringLiteral("x")), QStringLiteral("02.01.2024   3:04:05: [ОШИБКА]\tx"));
    EXPECT_EQ(logLine(kLogMessage, at, locale, QStringLiteral("x")), QStringLiteral("02.01.2024   3:04:05: [СООБЩЕНИЕ]\tx"));
    EXPECT_EQ(logLine(7, at, locale, QStringLiteral("x")), QStringLiteral("02.01.2024   3:04:05: x"));
}

TEST_F(Log, LinesAreAppendedAndTheClockMoves) {
    log.log(kLogMessage, QStringLiteral("one"));
    scheduler.advance(2000);
    log.log(kLogError, QStringLiteral("two"));
    EXPECT_EQ(platform::text::fromCp1251(file()),
              QStringLiteral("09.12.2013   14:05:33: [СООБЩЕНИЕ]\tone\r\n09.12.2013   14:05:35: [ОШИБКА]\ttwo\r\n"));
}

TEST_F(Log, AMissingFolderIsCreatedWithItsParents) {
    log.setFolder(dir.path() + QStringLiteral("/a/b/c"));
    log.log(kLogMessage, QStringLiteral("x"));
    EXPECT_TRUE(QFile::exists(dir.path() + QStringLiteral("/a/b/c/Events.log")));
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(Log, ADeletedFileIsCreatedAgainByTheNextLine) {
    log.log(kLogMessage, QStringLiteral("first"));
    ASSERT_TRUE(QFile::remove(log.filePath()));
    log.log(kLogMessage, QStringLiteral("second"));
    EXPECT_TRUE(file().endsWith("second\r\n"));
    EXPECT_FALSE(file().contains("first"));
}

TEST_F(Log, AFolderThatCannotBeMadeIsReportedForEveryLineAndTheLineStaysInThePane) {
    QFile blocker(dir.path() + QStringLiteral("/plain-file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    log.setFolder(blocker.fileName() + QStringLiteral("/data"));
    int paneLines = 0;
    log.setPane([&](const QString&, int) { ++paneLines; });
    log.log(kLogMessage, QStringLiteral("a"));
    log.log(kLogError, QStringLiteral("b"));
    EXPECT_EQ(paneLines, 2);
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown()[0].text, QStringLiteral("Невозможно создать каталог хранения архива"));
    EXPECT_EQ(dialogs.shown()[0].caption, QStringLiteral("VELDAR"));
    EXPECT_EQ(dialogs.shown()[0].icon, platform::Icon::Error);
}

TEST_F(Log, AFileThatCannotBeCreatedIsReported) {
    ASSERT_TRUE(QDir().mkpath(log.filePath()));  // a folder where the file should be
    log.log(kLogMessage, QStringLiteral("a"));
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text, QStringLiteral("Невозможно создать файл журнала"));
    EXPECT_EQ(dialogs.shown()[0].icon, platform::Icon::Error);
}

TEST_F(Log, HistoryIsTheFileAsLinesWithoutATrailingBlankLine) {
    EXPECT_EQ(log.history(), std::nullopt);
    log.log(kLogMessage, QStringLiteral("один"));
    log.log(kLogError, QStringLiteral("два"));
    EXPECT_EQ(log.history(), QStringLiteral("09.12.2013   14:05:33: [СООБЩЕНИЕ]\tодин\n"
                                            "09.12.2013   14:05:33: [ОШИБКА]\tдва"));
}

TEST_F(Log, AVeryLongFileShowsItsEndFromAWholeLine) {
    QDir().mkpath(log.folder());
    QFile f(log.filePath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    const QByteArray line = QByteArray(99, 'x') + "\r\n";
    for (qint64 written = 0; written <= EventLog::kHistoryBytes + 1000; written += line.size()) f.write(line);
    f.write("last line\r\n");
    f.close();
    const QString history = *log.history();
    EXPECT_TRUE(history.startsWith(QString(99, QLatin1Char('x')) + QLatin1Char('\n')));
    EXPECT_TRUE(history.endsWith(QStringLiteral("\nlast line")));
    EXPECT_LE(history.size(), EventLog::kHistoryBytes);
}
