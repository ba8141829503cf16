// Logging in, and the administrator's two user dialogs.
#include "configurator/support/configurator_under_test.h"
#include "support/widgets.h"

#include "configurator/app/mainform.h"
#include "configurator/app/users.h"

#include <QComboBox>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

using veldar::UserRecord;
using veldartest::ConfiguratorUnderTest;

namespace {

UserRecord user(const QString& login, const QString& password = QStringLiteral("12345")) {
    return UserRecord{QStringLiteral("Сидоров"), QStringLiteral("Семён"), QStringLiteral("Саввич"),
                      QStringLiteral("Наладчик"), login, password};
}

}  // namespace

TEST(Login, TheLoginListHoldsTheOccupiedSlotsInIdOrder) {
    ConfiguratorUnderTest app;
    app.addUser(7, user(QStringLiteral("seventh")));
    app.addUser(0, user(QStringLiteral("zero")));
    app.addUser(3, user(QStringLiteral("third")));
    app.start();
    auto* list = testsupport::find<QComboBox>(&app.main(), QStringLiteral("cbUserName"));
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(0), QStringLiteral("zero"));
    EXPECT_EQ(list->itemText(1), QStringLiteral("third"));
    EXPECT_EQ(list->itemText(2), QStringLiteral("seventh"));
}

TEST(Login, RefusalsNameWhatWasWrongAndChangeNothing) {
    const struct {
        const char* login;
        const char* password;
        const char* message;
    } cases[] = {
        {"nobody", "secret1", "Неверное имя пользователя"},
        {"Admin", "secret1", "Неверное имя пользователя"},
        {"", "", "Неверное имя пользователя"},
        {"admin", "Secret1", "Неверный пароль"},
        {"admin", "", "Неверный пароль"},
    };
    ConfiguratorUnderTest app;
    app.addAdministrator();
    app.start();
    for (const auto& c : cases) {
        app.expectBox(QString::fromUtf8(c.message));
        app.logIn(QString::fromUtf8(c.login), QString::fromUtf8(c.password));
        EXPECT_EQ(app.lastBox().text, QString::fromUtf8(c.message)) << c.login;
        EXPECT_EQ(app.lastBox().caption, QStringLiteral("ОШИБКА")) << c.login;
        EXPECT_FALSE(app.shown(QStringLiteral("PanelMain"))) << c.login;
    }
    EXPECT_EQ(app.main().currentUser(), -1);
    EXPECT_EQ(app.logLinesContaining(QStringLiteral("Авторизован")), 0);
    EXPECT_EQ(app.main().windowTitle(), QStringLiteral("Настройка и отладка системы VELDAR v4.4"));
    // Still there to try again.
    app.logIn(ConfiguratorUnderTest::kAdminLogin, ConfiguratorUnderTest::kAdminPassword);
    EXPECT_EQ(app.main().currentUser(), 0);
    app.expectBox(QStringLiteral("Порт для связи не был выбран!"));
    app.advance(600);
}

TEST(Login, WithNoUsersNobodyGetsIn) {
    ConfiguratorUnderTest app;
    app.start();
    app.expectBox(QStringLiteral("Неверное имя пользователя"));
    app.logIn(QString(), QString());
}

TEST(Login, TheAdministratorSeesTheUsersMenuAndTheCaptionSaysSo) {
    ConfiguratorUnderTest app;
    app.startLoggedIn();
    EXPECT_EQ(app.main().windowTitle(), QStringLiteral("Настройка и отладка системы VELDAR v4.4 - пользователь Иванов "
                                                       "Иван Иванович (администратор)"));
    for (const char* shown : {"PanelMain", "PanelLog", "AdvSplitter1", "twProjectTree", "reLOG"})
        EXPECT_TRUE(app.shown(QString::fromLatin1(shown))) << shown;
    EXPECT_FALSE(app.shown(QStringLiteral("gbLogIn")));
    for (const char* item : {"N9", "mmPathSettings", "MMOfflineRegime", "MMRSMonitor", "N3", "N4", "MMAddUser", "MMEditUser"})
        EXPECT_TRUE(app.menuShown(QString::fromLatin1(item))) << item;
    EXPECT_EQ(app.logLinesContaining(QStringLiteral("[СООБЩЕНИЕ]\tАвторизован пользователь admin")), 1);
    EXPECT_EQ(app.main().currentUser(), 0);
}

TEST(Login, AnotherUserGetsTheWorkspaceWithoutTheUsersMenu) {
    ConfiguratorUnderTest app;
    app.addAdministrator();
    app.addUser(4, user(QStringLiteral("Oper")));
    app.start();
    app.logIn(QStringLiteral("Oper"), QStringLiteral("12345"));
    EXPECT_EQ(app.main().windowTitle(),
              QStringLiteral("Настройка и отладка системы VELDAR v4.4 - пользователь Сидоров Семён Саввич"));
    EXPECT_TRUE(app.shown(QStringLiteral("PanelMain")));
    EXPECT_TRUE(app.menuShown(QStringLiteral("MMOfflineRegime")));
    EXPECT_FALSE(app.menuShown(QStringLiteral("N4")));
    EXPECT_FALSE(app.menuShown(QStringLiteral("N3")));
    EXPECT_EQ(app.main().currentUser(), 4);
    app.expectBox(QStringLiteral("Порт для связи не был выбран!"));
    app.advance(600);
}

namespace {

// The administrator logged in with the "new user" dialog open.
struct NewUser {
    explicit NewUser(ConfiguratorUnderTest& program, const QList<int>& occupied = {}) : app(program) {
        for (int id : occupied) app.addUser(id, user(QStringLiteral("user%1").arg(id)));
        app.startLoggedIn();
        dialog = open(app);
    }
    static QWidget* open(ConfiguratorUnderTest& app) {
        app.trigger(QStringLiteral("MMAddUser"));
        return app.window(QStringLiteral("TfrmUsersCreate"));
    }
    // Fills the six edits, presses "Создать" and returns what the box said.
    static QString create(ConfiguratorUnderTest& app, QWidget* dialog, const QString& login, const QString& password) {
        app.type(QStringLiteral("txtSurName"), QStringLiteral("Кузнецова"), dialog);
        app.type(QStringLiteral("txtName"), QStringLiteral("Анна"), dialog);
        app.type(QStringLiteral("txtDadName"), QStringLiteral("Львовна"), dialog);
        app.type(QStringLiteral("txtPosition"), QStringLiteral("Метролог"), dialog);
        app.type(QStringLiteral("txtLogin"), login, dialog);
        app.type(QStringLiteral("txtPassword"), password, dialog);
        app.click(QStringLiteral("btnCreate"), dialog);
        return app.lastBox().text;
    }
    QString create(const QString& login, const QString& password) { return create(app, dialog, login, password); }

    ConfiguratorUnderTest& app;
    QWidget* dialog;
};

}  // namespace

TEST(NewUserDialog, ChecksComeInTheirOrderAndRefusalsStoreNothing) {
    const struct {
        const char* login;
        int passwordLength;
        const char* message;
    } cases[] = {
        {"admin", 4, "Пароль не должен быть короче чем 5 символов."},
        {"new", 51, "Пароль не должен превышать длину в 50 символов."},
        {"admin", 5, "Пользователь с таким логином уже существует."},
        {"", 10, "Пользователь с таким логином уже существует."},
    };
    ConfiguratorUnderTest app;
    NewUser dialog(app);
    for (const auto& c : cases) {
        app.expectBox(QString::fromUtf8(c.message));
        EXPECT_EQ(dialog.create(QString::fromUtf8(c.login), QString(c.passwordLength, QLatin1Char('p'))),
                  QString::fromUtf8(c.message));
        EXPECT_EQ(app.lastBox().caption, QStringLiteral("Сообщение"));
    }
    EXPECT_FALSE(app.registry().keyExists(QStringLiteral("VELDAR_USERS\\User1")));
    EXPECT_TRUE(dialog.dialog->isVisible());
}

TEST(NewUserDialog, TheNewUserTakesTheFirstFreeSlot) {
    ConfiguratorUnderTest app;
    NewUser dialog(app, {1, 3});
    app.expectBox(QStringLiteral("Создан новый пользователь anna (ID2)"));
    EXPECT_EQ(dialog.create(QStringLiteral("anna"), QString(50, QLatin1Char('w'))),
              QStringLiteral("Создан новый пользователь anna (ID2)"));
    veldar::UserStore store(app.registry());
    ASSERT_TRUE(store.load(2));
    EXPECT_EQ(store.user(2).surName, QStringLiteral("Кузнецова"));
    EXPECT_EQ(store.user(2).position, QStringLiteral("Метролог"));
    EXPECT_EQ(store.user(2).password, QString(50, QLatin1Char('w')));
    // The dialog stays with its edits filled; showing it again empties them.
    EXPECT_EQ(app.text(QStringLiteral("txtLogin"), dialog.dialog), QStringLiteral("anna"));
    dialog.dialog->close();
    app.trigger(QStringLiteral("MMAddUser"));
    EXPECT_EQ(app.text(QStringLiteral("txtLogin"), dialog.dialog), QString());
    EXPECT_EQ(app.text(QStringLiteral("txtSurName"), dialog.dialog), QString());
}

TEST(NewUserDialog, TheEleventhUserIsRefused) {
    ConfiguratorUnderTest app;
    NewUser dialog(app, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    app.expectBox(QStringLiteral("Невозможно создать пользователя. Превышен лимит пользователей."));
    dialog.create(QStringLiteral("eleventh"), QStringLiteral("12345"));
    // With every slot taken, an empty login is no longer anybody's.
    app.expectBox(QStringLiteral("Невозможно создать пользователя. Превышен лимит пользователей."));
    dialog.create(QString(), QStringLiteral("12345"));
}

TEST(NewUserDialog, ARegistryThatRefusesTheRecordIsNotReportedAsSuccess) {
    ConfiguratorUnderTest app;
    NewUser dialog(app);
    // A plain file where the user's key folder would go.
    QFile blocker(app.registry().root() + QStringLiteral("/VELDAR_USERS/User1"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    app.expectBox(QStringLiteral("Не удалось записать данные пользователя в реестр."));
    dialog.create(QStringLiteral("anna"), QStringLiteral("12345"));
}

namespace {

struct EditUsers {
    explicit EditUsers(ConfiguratorUnderTest& program, const QList<int>& others = {}) : app(program) {
        for (int id : others) app.addUser(id, user(QStringLiteral("user%1").arg(id)));
        app.addUser(3, user(QStringLiteral("third")));
        app.addUser(5, user(QStringLiteral("fifth"), QStringLiteral("five5")));
        app.startLoggedIn();
        app.trigger(QStringLiteral("MMEditUser"));
        dialog = app.window(QStringLiteral("TfrmEditUser"));
        grid = testsupport::find<QTableWidget>(dialog, QStringLiteral("gridUserList"));
    }
    QString cell(int row, int column) { return grid->item(row, column)->text(); }
    void select(int row) {
        grid->setCurrentCell(row, 0);
        testsupport::processEvents();
    }
    ConfiguratorUnderTest& app;
    QWidget* dialog;
    QTableWidget* grid;
};

}  // namespace

TEST(EditUserDialog, ListsTheUsersAndShowsTheChosenOne) {
    ConfiguratorUnderTest app;
    EditUsers edit(app);
    EXPECT_EQ(edit.grid->horizontalHeaderItem(0)->text(), QStringLiteral("ID"));
    EXPECT_EQ(edit.grid->horizontalHeaderItem(1)->text(), QStringLiteral("Логин"));
    ASSERT_EQ(edit.grid->rowCount(), 10);
    EXPECT_EQ(edit.cell(0, 0), QStringLiteral("0"));
    EXPECT_EQ(edit.cell(0, 1), QStringLiteral("admin"));
    EXPECT_EQ(edit.cell(2, 0), QStringLiteral("5"));
    EXPECT_EQ(edit.cell(3, 0), QString());
    EXPECT_EQ(app.text(QStringLiteral("txtID"), edit.dialog), QStringLiteral("0"));
    EXPECT_EQ(app.text(QStringLiteral("txtPassword"), edit.dialog), ConfiguratorUnderTest::kAdminPassword);
    edit.select(2);
    EXPECT_EQ(app.text(QStringLiteral("txtID"), edit.dialog), QStringLiteral("5"));
    EXPECT_EQ(app.text(QStringLiteral("txtLogin"), edit.dialog), QStringLiteral("fifth"));
    EXPECT_EQ(app.text(QStringLiteral("txtPassword"), edit.dialog), QStringLiteral("five5"));
    EXPECT_TRUE(testsupport::find(edit.dialog, QStringLiteral("btnSave"))->isEnabled());
    edit.select(4);
    EXPECT_EQ(app.text(QStringLiteral("txtID"), edit.dialog), QString());
    EXPECT_EQ(app.text(QStringLiteral("txtLogin"), edit.dialog), QString());
    EXPECT_FALSE(testsupport::find(edit.dialog, QStringLiteral("btnSave"))->isEnabled());
    EXPECT_FALSE(testsupport::find(edit.dialog, QStringLiteral("btnDelete"))->isEnabled());
}

TEST(EditUserDialog, SavingKeepsItsOwnLoginButNotAnothers) {
    ConfiguratorUnderTest app;
    EditUsers edit(app);
    edit.select(1);
    app.type(QStringLiteral("txtPosition"), QStringLiteral("Старший наладчик"), edit.dialog);
    app.type(QStringLiteral("txtPassword"), QStringLiteral("newpass"), edit.dialog);
    app.expectBox(QStringLiteral("Данные пользователя third (ID3) сохранены."));
    app.click(QStringLiteral("btnSave"), edit.dialog);
    EXPECT_EQ(app.lastBox().icon, platform::Icon::Information);
    veldar::UserStore store(app.registry());
    store.load(3);
    EXPECT_EQ(store.user(3).position, QStringLiteral("Старший наладчик"));
    EXPECT_EQ(store.user(3).password, QStringLiteral("newpass"));

    app.type(QStringLiteral("txtLogin"), QStringLiteral("fifth"), edit.dialog);
    app.expectBox(QStringLiteral("Пользователь с таким логином уже существует."));
    app.click(QStringLiteral("btnSave"), edit.dialog);
    EXPECT_EQ(app.lastBox().icon, platform::Icon::None);
    app.type(QStringLiteral("txtLogin"), QStringLiteral("third"), edit.dialog);
    app.type(QStringLiteral("txtPassword"), QStringLiteral("1234"), edit.dialog);
    app.expectBox(QStringLiteral("Пароль не должен быть короче чем 5 символов."));
    app.click(QStringLiteral("btnSave"), edit.dialog);
    store.load(3);
    EXPECT_EQ(store.user(3).login, QStringLiteral("third"));
    EXPECT_EQ(store.user(3).password, QStringLiteral("newpass"));
}

TEST(EditUserDialog, TheAdministratorCannotBeDeleted) {
    ConfiguratorUnderTest app;
    EditUsers edit(app);
    app.expectBox(QStringLiteral("Не возможно удалить пользователя с ID=0"));
    app.click(QStringLiteral("btnDelete"), edit.dialog);
    EXPECT_EQ(app.lastBox().icon, platform::Icon::Warning);
    EXPECT_TRUE(app.registry().keyExists(QStringLiteral("VELDAR_USERS\\User0")));
}

TEST(EditUserDialog, DeletingAsksFirstAndTheFreedIdIsGivenAgain) {
    ConfiguratorUnderTest app;
    EditUsers edit(app, {1, 2});
    edit.select(3);
    app.answerBox(QStringLiteral("Удалить пользователя third (ID3)?"), platform::Answer::No);
    app.click(QStringLiteral("btnDelete"), edit.dialog);
    EXPECT_TRUE(app.registry().keyExists(QStringLiteral("VELDAR_USERS\\User3")));

    app.answerBox(QStringLiteral("Удалить пользователя third (ID3)?"), platform::Answer::Yes);
    app.expectBox(QStringLiteral("Пользователь third (ID3) удален"));
    app.click(QStringLiteral("btnDelete"), edit.dialog);
    EXPECT_FALSE(app.registry().keyExists(QStringLiteral("VELDAR_USERS\\User3")));
    EXPECT_EQ(edit.cell(3, 0), QStringLiteral("5"));
    EXPECT_EQ(edit.cell(4, 0), QString());

    app.expectBox(QStringLiteral("Создан новый пользователь anna (ID3)"));
    NewUser::create(app, NewUser::open(app), QStringLiteral("anna"), QStringLiteral("12345"));
}
