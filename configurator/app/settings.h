#pragma once

#include <QString>

namespace platform {
class Registry;
}

namespace veldar {

// The program's settings key: a handful of text values, read when they are needed.
class Settings {
public:
    static inline const QString kKey = QStringLiteral("ConfigVELDAR_v4.1");

    static inline const QString kOffline = QStringLiteral("Offline");
    static inline const QString kSettingsPath = QStringLiteral("SettingsPath");
    static inline const QString kDataPath = QStringLiteral("DataPath");
    static inline const QString kCurrComm = QStringLiteral("CurrComm");
    // The start-up check spells the port value this way; names compare without case.
    static inline const QString kCurrCommAtStart = QStringLiteral("CurrCOMM");
    static inline const QString kBaudRate = QStringLiteral("BaudRate");
    static inline const QString kWaitAnsewer = QStringLiteral("WaitAnsewer");

    explicit Settings(platform::Registry& registry) : registry_(registry) {}

    // A value never written reads as empty text. Both create the key when it is missing.
    QString read(const QString& name);
    void write(const QString& name, const QString& value);

private:
    platform::Registry& registry_;
};

}  // namespace veldar
