#include "users.h"

#include "password.h"

#include "platform/registry/registry.h"

namespace veldar {

bool UserStore::load(int id) {
    UserRecord& slot = table_.at(static_cast<std::size_t>(id));
    // Nothing of a previous occupant survives, so a record without a password never matches.
    slot = UserRecord{};
    if (!occupied(id)) return false;
    const QString key = keyOf(id);
    const auto text = [&](const char* name) {
        return registry_.readString(key, QString::fromLatin1(name)).value_or(QString());
    };
    slot.surName = text("SurName");
    slot.name = text("Name");
    slot.dadName = text("DadName");
    slot.position = text("Position");
    slot.login = text("LogIn");
    slot.password = decodePassword(registry_.readBinary(key, QStringLiteral("Password")).value_or(QByteArray()));
    return true;
}

std::optional<int> UserStore::firstFreeSlot() {
    std::optional<int> free;
    for (int id = 0; id < kUserSlots; ++id)
        if (!load(id) && !free) free = id;
    return free;
}

bool UserStore::occupied(int id) const { return registry_.keyExists(keyOf(id)); }

bool UserStore::write(int id, const UserRecord& user) {
    const QString key = keyOf(id);
    bool ok = registry_.createKey(key);
    ok = registry_.writeString(key, QStringLiteral("Name"), user.name) && ok;
    ok = registry_.writeString(key, QStringLiteral("SurName"), user.surName) && ok;
    ok = registry_.writeString(key, QStringLiteral("DadName"), user.dadName) && ok;
    ok = registry_.writeString(key, QStringLiteral("Position"), user.position) && ok;
    ok = registry_.writeString(key, QStringLiteral("LogIn"), user.login) && ok;
    ok = registry_.writeBinary(key, QStringLiteral("Password"), encodePassword(user.password)) && ok;
    return ok;
}

bool UserStore::remove(int id) { return registry_.deleteKey(keyOf(id)); }

}  // namespace veldar
