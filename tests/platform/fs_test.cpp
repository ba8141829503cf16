#include "platform/fs/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace fs = platform::fs;

TEST(Files, ReplaceWritesTheWholeFileAndLeavesNoTemporary) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TVR101_SETTINGS.BIN"));
    ASSERT_TRUE(fs::replaceFile(path, QByteArray(29824, '\xFF')));
    ASSERT_TRUE(fs::replaceFile(path, QByteArray(10, 'a')));
    QByteArray back;
    ASSERT_TRUE(fs::readFile(path, back));
    EXPECT_EQ(back, QByteArray(10, 'a'));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(Files, AFailedReplaceKeepsTheOldFileAndLeavesNoTemporary) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keep.bin"));
    ASSERT_TRUE(fs::replaceFile(path, QByteArray("old")));
    // A disk that fills up halfway: the file size limit cuts the write short, even for root.
    struct sigaction ignore {}, saved {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignore, &saved);
    rlimit limit{}, savedLimit{};
    ::getrlimit(RLIMIT_FSIZE, &savedLimit);
    limit.rlim_cur = 100;
    limit.rlim_max = savedLimit.rlim_max;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    QString error;
    const bool ok = fs::replaceFile(path, QByteArray(29824, '\xFF'), &error);
    ::setrlimit(RLIMIT_FSIZE, &savedLimit);
    ::sigaction(SIGXFSZ, &saved, nullptr);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(error.isEmpty());
    QByteArray back;
    ASSERT_TRUE(fs::readFile(path, back));
    EXPECT_EQ(back, QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("keep.bin")});
}

TEST(Files, ReplaceKeepsTheFilePermissions) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p"));
    ASSERT_TRUE(fs::replaceFile(path, QByteArray("1")));
    ::chmod(QFile::encodeName(path).constData(), 0600);
    ASSERT_TRUE(fs::replaceFile(path, QByteArray("2")));
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(Files, MakePathCreatesMissingParents) {
    QTemporaryDir dir;
    const QString deep = dir.filePath(QStringLiteral("a/b/Резервные копии настроек"));
    EXPECT_TRUE(fs::makePath(deep));
    EXPECT_TRUE(fs::dirExists(deep));
    EXPECT_TRUE(fs::makePath(deep));
    ASSERT_TRUE(fs::replaceFile(dir.filePath(QStringLiteral("file")), "x"));
    EXPECT_FALSE(fs::makePath(dir.filePath(QStringLiteral("file/sub"))));
}

TEST(Files, AppendAddsAtTheEnd) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Events.log"));
    ASSERT_TRUE(fs::appendFile(path, "one\r\n"));
    ASSERT_TRUE(fs::appendFile(path, "two\r\n"));
    QByteArray back;
    ASSERT_TRUE(fs::readFile(path, back));
    EXPECT_EQ(back, QByteArray("one\r\ntwo\r\n"));
    EXPECT_FALSE(fs::appendFile(dir.filePath(QStringLiteral("missing/x")), "y"));
}

TEST(Files, HiddenIsANoOpWhereTheFileSystemHasNoSuchAttribute) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Events.log"));
    ASSERT_TRUE(fs::appendFile(path, "x"));
    EXPECT_TRUE(fs::setHidden(path));
    EXPECT_FALSE(fs::isHidden(path));
    EXPECT_FALSE(fs::setHidden(dir.filePath(QStringLiteral("nothing"))));
}
