#pragma once

#include <QString>

namespace platform {
class Registry;
}

namespace burnet {

// The program's settings as sections and values below one registry key, the way the
// framework's profile functions keep them: a section is a sub-key, an integer a DWORD.
class Profile {
public:
    Profile(platform::Registry& registry, QString rootKey);

    // A missing value, or one of another type, reads as the default.
    int GetProfileInt(const QString& section, const QString& entry, int defaultValue) const;
    QString GetProfileString(const QString& section, const QString& entry, const QString& defaultValue) const;
    bool WriteProfileString(const QString& section, const QString& entry, const QString& value);

    const QString& rootKey() const { return rootKey_; }

private:
    QString key(const QString& section) const;

    platform::Registry& registry_;
    QString rootKey_;
};

// Where Burnet keeps its settings, and their names (trailing blanks belong to the names).
namespace settings {
inline const QString kRootKey = QStringLiteral("Software\\Halvard\\Burnet");
inline const QString kSettings = QStringLiteral("Settings");
inline const QString kVerifyFlash = QStringLiteral("校验 Flash  ");
inline const QString kVerifyEeprom = QStringLiteral("校验 EEPROM  ");
inline const QString kIgnoreChecksum = QStringLiteral("Ignore Checksum");
inline const QString kHelpTimeOut = QStringLiteral("HelpTimeOut");
inline const QString kFile = QStringLiteral("文件");
inline const QString kDevice = QStringLiteral("Device");
inline const QString kName = QStringLiteral("名称");
}  // namespace settings

}  // namespace burnet
