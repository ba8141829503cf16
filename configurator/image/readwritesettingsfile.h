#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

class QWidget;

namespace platform {
class Clock;
class Dialogs;
}  // namespace platform

namespace veldar {

class EventLog;
class WorkingFolders;

inline const QString kBackupFolderName = QStringLiteral("Резервные копии настроек");

// folder + "/TVR105_SETTINGS.BIN" for address 105.
QString settingsFileName(const QString& settingsFolder, int address);
// The backup of a settings file made at `at`; copies after the first made in the same
// second carry their number ("…(07_03_2012__09_05_41)_2.BIN").
QString backupFileName(const QString& settingsFolder, int address, const QDateTime& at, int copy = 1);

// `Readwritesettingsfile`: the settings image file of each unit, the PC's copy of its
// whole settings memory. Every call opens and closes the file; every change replaces the
// file whole, so it is never left half-written. Failures are logged and shown here and
// returned as false.
class Readwritesettingsfile {
public:
    Readwritesettingsfile(const WorkingFolders& folders, EventLog& log, platform::Dialogs& dialogs,
                          const platform::Clock& clock, QWidget* dialogParent);

    QString fileName(int address) const;
    bool exists(int address) const;

    // `length` bytes from `offset` into `buffer` (left as it was on failure). A missing file
    // is announced and created with the default content first.
    bool ReadSettingsBlock(int address, int offset, QByteArray& buffer, int length);
    // Puts `bytes` at `offset`; a missing file gets the default content around them.
    bool WriteSettingsBlock(int address, int offset, const QByteArray& bytes);
    bool CreateDefaultSettings(int address);
    // Moves the file into the backup folder; false when there was none or it stayed.
    bool BackupSettingsFile(int address);

private:
    bool makeSettingsFolder();
    void fail(const QString& logText, const QString& boxText);

    const WorkingFolders& folders_;
    EventLog& log_;
    platform::Dialogs& dialogs_;
    const platform::Clock& clock_;
    QWidget* dialogParent_;
};

}  // namespace veldar
