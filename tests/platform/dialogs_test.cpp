#include "platform/ui/qt_dialogs.h"
#include "platform/ui/scripted_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace platform;

TEST(ScriptedDialogs, AnswersQuestionsFromTheScriptAndRecordsEveryBox) {
    QStringList unexpected;
    ScriptedDialogs d([&](const QString& what) { unexpected.append(what); });
    d.answer(QStringLiteral("Записать константы"), Answer::Yes);
    d.answer(QStringLiteral("Сохранить"), Answer::No);
    EXPECT_EQ(d.message(nullptr, QStringLiteral("VELDAR"), QStringLiteral("Записать константы канала в TVR?"),
                        Icon::Information, Buttons::YesNo),
              Answer::Yes);
    EXPECT_EQ(d.message(nullptr, QStringLiteral("VELDAR"), QStringLiteral("Порт COM1 успешно открыт!"),
                        Icon::Information),
              Answer::Ok);
    EXPECT_EQ(d.message(nullptr, QStringLiteral("VELDAR"), QStringLiteral("Сохранить константы в файле?"),
                        Icon::Information, Buttons::YesNo),
              Answer::No);
    EXPECT_TRUE(unexpected.isEmpty());
    ASSERT_EQ(d.shown().size(), 3u);
    EXPECT_EQ(d.shown()[1].icon, Icon::Information);
    EXPECT_TRUE(d.wasShown(QStringLiteral("Порт COM1 успешно открыт!")));
    EXPECT_EQ(d.unansweredScript(), 0u);
}

TEST(ScriptedDialogs, AnUnscriptedQuestionIsReportedAndCancelled) {
    QStringList unexpected;
    ScriptedDialogs d([&](const QString& what) { unexpected.append(what); });
    EXPECT_EQ(d.message(nullptr, QStringLiteral("VELDAR"), QStringLiteral("Удалить?"), Icon::Question,
                        Buttons::YesNo),
              Answer::Cancel);
    ASSERT_EQ(unexpected.size(), 1);
    EXPECT_TRUE(unexpected[0].contains(QStringLiteral("Удалить?")));
}

TEST(ScriptedDialogs, StrictModeWantsEveryBoxScripted) {
    QStringList unexpected;
    ScriptedDialogs d([&](const QString& what) { unexpected.append(what); });
    d.setStrict(true);
    d.message(nullptr, QStringLiteral("VELDAR"), QStringLiteral("info"), Icon::Information);
    EXPECT_EQ(unexpected.size(), 1);
}

TEST(ScriptedDialogs, FileDialogsTakeScriptedPathsOrCancel) {
    QStringList unexpected;
    ScriptedDialogs d([&](const QString& what) { unexpected.append(what); });
    d.chooseFile(QStringLiteral("/tmp/a.hex"));
    d.chooseFile(std::nullopt);
    EXPECT_EQ(d.openFile(nullptr, QStringLiteral("Open"), QStringLiteral("*.hex"), QString()),
              QStringLiteral("/tmp/a.hex"));
    EXPECT_EQ(d.saveFile(nullptr, QStringLiteral("Save"), QStringLiteral("*.txt"), QStringLiteral("x.txt")),
              std::nullopt);
    EXPECT_TRUE(unexpected.isEmpty());
    EXPECT_EQ(d.browseFolder(nullptr, QStringLiteral("Folder"), QString()), std::nullopt);
    EXPECT_EQ(unexpected.size(), 1);
    ASSERT_EQ(d.fileRequests().size(), 3u);
    EXPECT_EQ(d.fileRequests()[1].start, QStringLiteral("x.txt"));
}

TEST(ScriptedDialogs, OpenOrNewIsScriptedLikeTheOtherFileDialogs) {
    ScriptedDialogs d([](const QString& what) { ADD_FAILURE() << what.toStdString(); });
    d.chooseFile(QStringLiteral("/tmp/out.hex"));
    EXPECT_EQ(d.openFileOrNew(nullptr, QStringLiteral("Browse"), QStringLiteral("*.hex"), QStringLiteral("/tmp"),
                              QStringLiteral("hex")),
              QStringLiteral("/tmp/out.hex"));
    ASSERT_EQ(d.fileRequests().size(), 1u);
    EXPECT_EQ(d.fileRequests()[0].kind, QStringLiteral("open-or-new"));
    EXPECT_EQ(d.fileRequests()[0].defaultSuffix, QStringLiteral("hex"));
}

// The Qt dialog accepts a name in an existing folder although no such file exists yet, and
// gives a name typed without a suffix the default one.
TEST(QtDialogs, OpenOrNewTakesTheNameOfAFileNotThereYet) {
    const struct {
        const char* typed;
        const char* taken;
    } cases[] = {{"read-back.hex", "read-back.hex"}, {"read-back", "read-back.hex"}, {"eeprom.eep", "eeprom.eep"}};
    QTemporaryDir dir;
    for (const auto& c : cases) {
        bool sawDialog = false;
        QTimer::singleShot(0, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QFileDialog*>(w);
                if (!dialog || !dialog->isVisible()) continue;
                sawDialog = true;
                dialog->selectFile(dir.path() + QLatin1Char('/') + QLatin1String(c.typed));
                static_cast<QDialog*>(dialog)->accept();
            }
        });
        QtDialogs dialogs;
        const QString taken = dir.path() + QLatin1Char('/') + QLatin1String(c.taken);
        EXPECT_EQ(dialogs.openFileOrNew(nullptr, QStringLiteral("Browse"), QStringLiteral("Hex files (*.hex)"), dir.path(),
                                        QStringLiteral("hex")),
                  taken)
            << c.typed;
        EXPECT_TRUE(sawDialog) << c.typed;
        EXPECT_FALSE(QFileInfo::exists(taken)) << c.typed;
    }
}
