// The installation helper that writes the first administrator, and a login with its account.
#include "configurator/support/configurator_under_test.h"

#include "configurator/app/mainform.h"
#include "configurator/app/users.h"

#include <QProcess>

#include <gtest/gtest.h>

using veldartest::ConfiguratorUnderTest;

namespace {

struct ToolRun {
    int exitCode;
    QString output;
};

ToolRun firstAdmin(const QString& registryRoot, const QStringList& args, const QByteArray& input = {}) {
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VELDAR_REGISTRY"), registryRoot);
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral(VELDAR_FIRST_ADMIN), args);
    tool.write(input);
    tool.closeWriteChannel();
    tool.waitForFinished(10000);
    return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput() + tool.readAllStandardError())};
}

}  // namespace

// The account the demo sets up and the README states.
TEST(FirstAdministrator, TheWrittenAccountLogsInAsAdministrator) {
    ConfiguratorUnderTest app;
    const ToolRun run = firstAdmin(app.registry().root(), {QStringLiteral("--login"), QStringLiteral("admin"),
                                                           QStringLiteral("--password"), QStringLiteral("veldar"),
                                                           QStringLiteral("--surname"), QStringLiteral("Орлова"),
                                                           QStringLiteral("--name"), QStringLiteral("Вера")});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    app.start();
    app.logIn(QStringLiteral("admin"), QStringLiteral("veldar"));
    EXPECT_EQ(app.main().currentUser(), veldar::kAdministrator);
    EXPECT_TRUE(app.main().windowTitle().endsWith(QStringLiteral(" - пользователь Орлова Вера  (администратор)")));
    app.expectBox(QStringLiteral("Порт для связи не был выбран!"));
    app.advance(600);
}

TEST(FirstAdministrator, ThePasswordCanComeFromStandardInput) {
    QTemporaryDir dir;
    ASSERT_EQ(firstAdmin(dir.path(), {QStringLiteral("--login"), QStringLiteral("root")}, "from-stdin\n").exitCode, 0);
    platform::Registry registry(dir.path());
    veldar::UserStore users(registry);
    ASSERT_TRUE(users.load(0));
    EXPECT_EQ(users.user(0).password, QStringLiteral("from-stdin"));
}

TEST(FirstAdministrator, RefusesBadInputAndAnExistingAdministratorWithoutForce) {
    QTemporaryDir dir;
    const QStringList login{QStringLiteral("--login"), QStringLiteral("root")};
    EXPECT_NE(firstAdmin(dir.path(), login + QStringList{QStringLiteral("--password"), QStringLiteral("1234")}).exitCode, 0);
    EXPECT_NE(firstAdmin(dir.path(), {QStringLiteral("--password"), QStringLiteral("12345")}).exitCode, 0);
    EXPECT_NE(firstAdmin(dir.path(), login + QStringList{QStringLiteral("--password"), QStringLiteral("密码密码密码")}).exitCode, 0);
    EXPECT_FALSE(platform::Registry(dir.path()).keyExists(QStringLiteral("VELDAR_USERS\\User0")));

    ASSERT_EQ(firstAdmin(dir.path(), login + QStringList{QStringLiteral("--password"), QStringLiteral("first")}).exitCode, 0);
    EXPECT_NE(firstAdmin(dir.path(), login + QStringList{QStringLiteral("--password"), QStringLiteral("second")}).exitCode, 0);
    ASSERT_EQ(firstAdmin(dir.path(), login + QStringList{QStringLiteral("--password"), QStringLiteral("second"),
                                                       QStringLiteral("--force")})
                  .exitCode,
              0);
    platform::Registry registry(dir.path());
    veldar::UserStore users(registry);
    users.load(0);
    EXPECT_EQ(users.user(0).password, QStringLiteral("second"));
}
