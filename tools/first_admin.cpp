// veldar-first-admin: writes the administrator's record (ID 0) of ConfigVELDAR into the
// per-user registry, so that a new installation has someone who can log in and create the
// other users.
#include "configurator/app/user_rules.h"
#include "configurator/app/users.h"

#include "platform/registry/registry.h"
#include "platform/text/codepage.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

bool fitsCp1251(const QString& text) {
    return platform::text::fromCp1251(platform::text::toCp1251(text)) == text;
}

int fail(const QString& message) {
    QTextStream(stderr) << "veldar-first-admin: " << message << '\n';
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes the ConfigVELDAR administrator record (ID 0) into the registry "
        "($VELDAR_REGISTRY, else ~/.config/veldar/registry).\n"
        "Without --password the password is read from the first line of standard input."));
    parser.addHelpOption();
    const QCommandLineOption login(QStringLiteral("login"), QStringLiteral("Login name."), QStringLiteral("login"));
    const QCommandLineOption password(QStringLiteral("password"), QStringLiteral("Password, 5 to 50 characters."),
                                      QStringLiteral("password"));
    const QCommandLineOption surname(QStringLiteral("surname"), QStringLiteral("Family name."), QStringLiteral("text"));
    const QCommandLineOption name(QStringLiteral("name"), QStringLiteral("Given name."), QStringLiteral("text"));
    const QCommandLineOption patronymic(QStringLiteral("patronymic"), QStringLiteral("Patronymic."),
                                        QStringLiteral("text"));
    const QCommandLineOption position(QStringLiteral("position"), QStringLiteral("Job title."), QStringLiteral("text"));
    const QCommandLineOption force(QStringLiteral("force"), QStringLiteral("Replace an existing administrator record."));
    parser.addOptions({login, password, surname, name, patronymic, position, force});
    parser.process(app);

    veldar::UserRecord admin;
    admin.login = parser.value(login);
    admin.surName = parser.value(surname);
    admin.name = parser.value(name);
    admin.dadName = parser.value(patronymic);
    admin.position = parser.value(position);
    if (parser.isSet(password)) {
        admin.password = parser.value(password);
    } else {
        admin.password = QTextStream(stdin).readLine();
    }
    if (admin.login.isEmpty()) return fail(QStringLiteral("a login is needed (--login)"));
    if (veldar::passwordLengthProblem(admin.password))
        return fail(QStringLiteral("the password must have %1 to %2 characters")
                        .arg(veldar::kMinPasswordLength)
                        .arg(veldar::kMaxPasswordLength));
    for (const QString& field : {admin.login, admin.password, admin.surName, admin.name, admin.dadName, admin.position})
        if (!fitsCp1251(field)) return fail(QStringLiteral("\"%1\" has characters Windows-1251 cannot hold").arg(field));

    platform::Registry registry(platform::Registry::defaultRoot());
    veldar::UserStore users(registry);
    users.firstFreeSlot();  // loads every slot
    if (users.occupied(veldar::kAdministrator) && !parser.isSet(force))
        return fail(QStringLiteral("an administrator record exists already (use --force to replace it)"));
    if (veldar::loginTaken(users.table(), admin.login, veldar::kAdministrator))
        return fail(QStringLiteral("another user has the login \"%1\"").arg(admin.login));
    if (!users.write(veldar::kAdministrator, admin))
        return fail(QStringLiteral("the registry under %1 cannot be written").arg(registry.root()));
    QTextStream(stdout) << "Administrator \"" << admin.login << "\" written to " << registry.root() << '/'
                        << veldar::UserStore::kKey << "/User0\n";
    return 0;
}
