#include "user_rules.h"

namespace veldar {

std::optional<QString> passwordLengthProblem(const QString& password) {
    if (password.size() < kMinPasswordLength)
        return QStringLiteral("Пароль не должен быть короче чем 5 символов.");
    if (password.size() > kMaxPasswordLength)
        return QStringLiteral("Пароль не должен превышать длину в 50 символов.");
    return std::nullopt;
}

bool loginTaken(const UserTable& users, const QString& login, int exceptId) {
    for (int id = 0; id < kUserSlots; ++id)
        if (id != exceptId && users[static_cast<std::size_t>(id)].login == login) return true;
    return false;
}

LoginResult checkLogin(const UserTable& users, const QString& login, const QString& password) {
    for (int id = 0; id < kUserSlots; ++id) {
        const UserRecord& user = users[static_cast<std::size_t>(id)];
        if (user.login.isEmpty() || user.login != login) continue;
        if (user.password.isEmpty() || user.password != password) return {LoginOutcome::WrongPassword, id};
        return {LoginOutcome::Accepted, id};
    }
    return {LoginOutcome::UnknownUser};
}

QString userCaptionSuffix(const UserRecord& user, int id) {
    QString suffix = QStringLiteral(" - пользователь ") + user.surName + QLatin1Char(' ') + user.name +
                     QLatin1Char(' ') + user.dadName;
    if (id == kAdministrator) suffix += QStringLiteral(" (администратор)");
    return suffix;
}

}  // namespace veldar
