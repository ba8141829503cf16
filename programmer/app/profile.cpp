#include "profile.h"

#include "platform/registry/registry.h"

namespace burnet {

Profile::Profile(platform::Registry& registry, QString rootKey) : registry_(registry), rootKey_(std::move(rootKey)) {}

QString Profile::key(const QString& section) const { return rootKey_ + QLatin1Char('\\') + section; }

int Profile::GetProfileInt(const QString& section, const QString& entry, int defaultValue) const {
    const auto value = registry_.readDword(key(section), entry);
    // The framework hands the DWORD back as an unsigned int; the callers take it as int.
    return value ? static_cast<int>(*value) : defaultValue;
}

QString Profile::GetProfileString(const QString& section, const QString& entry, const QString& defaultValue) const {
    return registry_.readString(key(section), entry).value_or(defaultValue);
}

bool Profile::WriteProfileString(const QString& section, const QString& entry, const QString& value) {
    return registry_.writeString(key(section), entry, value);
}

}  // namespace burnet
