// The user records in the registry and the rules of login and user dialogs.
#include "configurator/app/user_rules.h"
#include "configurator/app/users.h"

#include "platform/registry/registry.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace veldar;

namespace {

UserRecord someone(const QString& login, const QString& password = QStringLiteral("secret")) {
    return UserRecord{QStringLiteral("Петров"), QStringLiteral("Пётр"), QStringLiteral("Петрович"),
                      QStringLiteral("Оператор"), login, password};
}

class Users : public ::testing::Test {
protected:
    QTemporaryDir dir;
    platform::Registry registry{dir.path()};
    UserStore store{registry};
};

}  // namespace

TEST_F(Users, ARecordRoundTripsThroughTheRegistryWithItsPasswordScrambled) {
    ASSERT_TRUE(store.write(4, someone(QStringLiteral("petrov"), QStringLiteral("Пароль5"))));
    EXPECT_EQ(registry.readString(QStringLiteral("VELDAR_USERS\\User4"), QStringLiteral("LogIn")), QStringLiteral("petrov"));
    const auto stored = registry.readBinary(QStringLiteral("VELDAR_USERS\\User4"), QStringLiteral("Password"));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->size(), 9);

    UserStore fresh(registry);
    ASSERT_TRUE(fresh.load(4));
    const UserRecord& u = fresh.user(4);
    EXPECT_EQ(u.surName, QStringLiteral("Петров"));
    EXPECT_EQ(u.name, QStringLiteral("Пётр"));
    EXPECT_EQ(u.dadName, QStringLiteral("Петрович"));
    EXPECT_EQ(u.position, QStringLiteral("Оператор"));
    EXPECT_EQ(u.login, QStringLiteral("petrov"));
    EXPECT_EQ(u.password, QStringLiteral("Пароль5"));
}

TEST_F(Users, TheFirstFreeSlotIsTheNewId) {
    for (int id : {0, 1, 3}) store.write(id, someone(QStringLiteral("u%1").arg(id)));
    EXPECT_EQ(store.firstFreeSlot(), 2);
    for (int id = 0; id < kUserSlots; ++id) store.write(id, someone(QStringLiteral("u%1").arg(id)));
    EXPECT_EQ(store.firstFreeSlot(), std::nullopt);
    ASSERT_TRUE(store.remove(3));
    EXPECT_EQ(store.firstFreeSlot(), 3);
}

TEST_F(Users, AFreedSlotKeepsNothingOfItsFormerUser) {
    store.write(5, someone(QStringLiteral("gone")));
    ASSERT_TRUE(store.load(5));
    store.remove(5);
    EXPECT_FALSE(store.load(5));
    EXPECT_TRUE(store.user(5).login.isEmpty());
    EXPECT_TRUE(store.user(5).password.isEmpty());
}

TEST_F(Users, ARecordWithoutPasswordNeverLogsIn) {
    store.write(2, someone(QStringLiteral("nopass")));
    registry.deleteValue(UserStore::keyOf(2), QStringLiteral("Password"));
    store.firstFreeSlot();
    EXPECT_EQ(checkLogin(store.table(), QStringLiteral("nopass"), QString()).outcome, LoginOutcome::WrongPassword);
}

TEST(UserRules, PasswordsOfFiveToFiftyCharactersAreAccepted) {
    EXPECT_EQ(passwordLengthProblem(QString(4, QLatin1Char('x'))),
              QStringLiteral("Пароль не должен быть короче чем 5 символов."));
    EXPECT_EQ(passwordLengthProblem(QString(5, QLatin1Char('x'))), std::nullopt);
    EXPECT_EQ(passwordLengthProblem(QString(50, QLatin1Char('x'))), std::nullopt);
    EXPECT_EQ(passwordLengthProblem(QString(51, QLatin1Char('x'))),
              QStringLiteral("Пароль не должен превышать длину в 50 символов."));
}

TEST(UserRules, LoginsAndPasswordsCompareExactly) {
    UserTable table;
    table[0] = someone(QStringLiteral("admin"), QStringLiteral("Secret1"));
    table[3] = someone(QStringLiteral("Oper"), QStringLiteral("opera"));
    const struct {
        const char* login;
        const char* password;
        LoginOutcome outcome;
        int id;
    } cases[] = {
        {"admin", "Secret1", LoginOutcome::Accepted, 0},
        {"Oper", "opera", LoginOutcome::Accepted, 3},
        {"Admin", "Secret1", LoginOutcome::UnknownUser, -1},
        {"oper", "opera", LoginOutcome::UnknownUser, -1},
        {"admin", "secret1", LoginOutcome::WrongPassword, 0},
        {"admin", "Secret1 ", LoginOutcome::WrongPassword, 0},
        {"", "", LoginOutcome::UnknownUser, -1},
    };
    for (const auto& c : cases) {
        const LoginResult r = checkLogin(table, QString::fromUtf8(c.login), QString::fromUtf8(c.password));
        EXPECT_EQ(r.outcome, c.outcome) << c.login << " / " << c.password;
        EXPECT_EQ(r.id, c.id) << c.login << " / " << c.password;
    }
}

TEST(UserRules, AFreeSlotHoldsTheEmptyLogin) {
    UserTable table;
    table[0] = someone(QStringLiteral("admin"));
    EXPECT_TRUE(loginTaken(table, QStringLiteral("admin")));
    EXPECT_FALSE(loginTaken(table, QStringLiteral("admin"), 0));
    EXPECT_TRUE(loginTaken(table, QString()));
    for (UserRecord& u : table) u = someone(QStringLiteral("x"));
    EXPECT_FALSE(loginTaken(table, QString()));
}

TEST(UserRules, OnlyTheAdministratorsCaptionSaysSo) {
    const UserRecord u = someone(QStringLiteral("p"));
    EXPECT_EQ(userCaptionSuffix(u, 0), QStringLiteral(" - пользователь Петров Пётр Петрович (администратор)"));
    EXPECT_EQ(userCaptionSuffix(u, 1), QStringLiteral(" - пользователь Петров Пётр Петрович"));
}
