#include "platform/process/start_program.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// Runs the test body in a temporary current folder with a chosen PATH.
class StartProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedCwd_ = QDir::currentPath();
        savedPath_ = qgetenv("PATH");
        QDir::setCurrent(cwd.path());
        qputenv("PATH", bin.path().toLocal8Bit());
    }
    void TearDown() override {
        QDir::setCurrent(savedCwd_);
        qputenv("PATH", savedPath_);
    }
    void writeFile(const QString& path, const QByteArray& content, QFile::Permissions perms) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        f.setPermissions(perms);
    }
    QTemporaryDir cwd, bin;

private:
    QString savedCwd_;
    QByteArray savedPath_;
};

const QFile::Permissions kExec = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
const QFile::Permissions kNoExec = QFile::ReadOwner | QFile::WriteOwner;

}  // namespace

TEST_F(StartProgramTest, ReportsTheErrnoName) {
    EXPECT_EQ(platform::startProgram(QStringLiteral("Burnet")).errorName, QStringLiteral("ENOENT"));
    writeFile(bin.filePath(QStringLiteral("Burnet")), "#!/bin/sh\n", kNoExec);
    EXPECT_EQ(platform::startProgram(QStringLiteral("Burnet")).errorName, QStringLiteral("EACCES"));
    writeFile(bin.filePath(QStringLiteral("Burnet")), "\x01\x02garbage", kExec);
    EXPECT_EQ(platform::startProgram(QStringLiteral("Burnet")).errorName, QStringLiteral("ENOEXEC"));
}

TEST_F(StartProgramTest, TheCurrentFolderComesBeforeThePath) {
    const QString mark = cwd.filePath(QStringLiteral("started"));
    writeFile(bin.filePath(QStringLiteral("Burnet")), "#!/bin/sh\necho path > " + mark.toLocal8Bit() + "\n", kExec);
    writeFile(cwd.filePath(QStringLiteral("Burnet")),
              "#!/bin/sh\necho \"cwd $0 $#\" > " + mark.toLocal8Bit() + "\n", kExec);
    const auto r = platform::startProgram(QStringLiteral("Burnet"));
    ASSERT_TRUE(r.started) << r.errorName.toStdString();
    for (int i = 0; i < 200 && !QFile::exists(mark); ++i) QThread::msleep(10);
    QThread::msleep(20);
    QFile f(mark);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("cwd "));
}

TEST_F(StartProgramTest, FindsTheProgramAlongThePath) {
    const QString mark = cwd.filePath(QStringLiteral("started"));
    writeFile(bin.filePath(QStringLiteral("Burnet")), "#!/bin/sh\n/usr/bin/touch " + mark.toLocal8Bit() + "\n", kExec);
    ASSERT_TRUE(platform::startProgram(QStringLiteral("Burnet")).started);
    for (int i = 0; i < 200 && !QFile::exists(mark); ++i) QThread::msleep(10);
    EXPECT_TRUE(QFile::exists(mark));
}
