#pragma once

#include <QString>

#include <array>
#include <optional>

namespace platform {
class Registry;
}

namespace veldar {

struct UserRecord {
    QString surName;
    QString name;
    QString dadName;
    QString position;
    QString login;
    QString password;  // plain text in memory, scrambled in the registry
};

// Ten slots; the slot number is the user's ID and ID 0 is the administrator.
inline constexpr int kUserSlots = 10;
inline constexpr int kAdministrator = 0;
using UserTable = std::array<UserRecord, kUserSlots>;

// The user records in the registry ("VELDAR_USERS\User0" … "User9") and the table the
// program works with. A slot is occupied exactly when its key exists.
class UserStore {
public:
    static inline const QString kKey = QStringLiteral("VELDAR_USERS");
    static QString keyOf(int id) { return kKey + QStringLiteral("\\User") + QString::number(id); }

    explicit UserStore(platform::Registry& registry) : registry_(registry) {}

    // Refreshes the slot from the registry; a free slot keeps neither login nor password.
    bool load(int id);
    // Loads every slot; the first free one, if any.
    std::optional<int> firstFreeSlot();
    bool occupied(int id) const;

    // Writes the six values, creating the key; false when the registry refused.
    bool write(int id, const UserRecord& user);
    bool remove(int id);

    const UserTable& table() const { return table_; }
    const UserRecord& user(int id) const { return table_.at(static_cast<std::size_t>(id)); }

private:
    platform::Registry& registry_;
    UserTable table_;
};

}  // namespace veldar
