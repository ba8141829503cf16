#pragma once

#include <QString>

namespace veldar {

class EventLog;
class Settings;

// The two working folders, held for the whole run: settings image files in one, the event
// log and the measurement archive in the other.
class WorkingFolders {
public:
    // defaultBase: where a first run keeps its folders (the user's data folder for VELDAR).
    WorkingFolders(Settings& settings, EventLog& log, QString defaultBase);

    // Reads both folders from the settings; an empty value takes the default folder, which
    // is created so that the first file can go there.
    void load();
    // The path dialog's confirmed choice: stored, and in force from the next file access.
    void apply(const QString& settingsPath, const QString& dataPath);

    const QString& settingsPath() const { return settingsPath_; }
    const QString& dataPath() const { return dataPath_; }
    QString settingsFile(const QString& name) const { return settingsPath_ + QLatin1Char('/') + name; }

    static QString defaultSettingsPath(const QString& base) { return base + QStringLiteral("/settings"); }
    static QString defaultDataPath(const QString& base) { return base + QStringLiteral("/data"); }

private:
    Settings& settings_;
    EventLog& log_;
    QString defaultBase_;
    QString settingsPath_;
    QString dataPath_;
};

}  // namespace veldar
