#pragma once

#include "users.h"

#include <QString>

#include <optional>

namespace veldar {

inline constexpr int kMinPasswordLength = 5;
inline constexpr int kMaxPasswordLength = 50;

// Said when the registry refuses a user record, instead of reporting success.
inline const QString kUserNotStored = QStringLiteral("Не удалось записать данные пользователя в реестр.");

// The refusal for a password of the wrong length, if any.
std::optional<QString> passwordLengthProblem(const QString& password);

// Whether another slot than `exceptId` holds this login; a free slot holds the empty login.
bool loginTaken(const UserTable& users, const QString& login, int exceptId = -1);

enum class LoginOutcome { UnknownUser, WrongPassword, Accepted };
struct LoginResult {
    LoginOutcome outcome;
    int id = -1;
};

// The first slot with this exact login, then its exact password; empty logins and empty
// passwords never match.
LoginResult checkLogin(const UserTable& users, const QString& login, const QString& password);

// What the main window's caption gains at a login.
QString userCaptionSuffix(const UserRecord& user, int id);

}  // namespace veldar
