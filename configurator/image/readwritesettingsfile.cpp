#include "readwritesettingsfile.h"

#include "default_settings.h"
#include "image_layout.h"

#include "configurator/app/eventlog.h"
#include "configurator/app/folders.h"
#include "configurator/app/log_line.h"

#include "platform/fs/files.h"
#include "platform/timing/clock.h"
#include "platform/ui/dialogs.h"

#include <QFile>

namespace veldar {
namespace {

const QString kCaption = QStringLiteral("VELDAR");

QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

}  // namespace

QString settingsFileName(const QString& settingsFolder, int address) {
    return settingsFolder + QStringLiteral("/TVR") + QString::number(address) + QStringLiteral("_SETTINGS.BIN");
}

QString backupFileName(const QString& settingsFolder, int address, const QDateTime& at, int copy) {
    const QDate d = at.date();
    const QTime t = at.time();
    const QString stamp = twoDigits(d.day()) + QLatin1Char('_') + twoDigits(d.month()) + QLatin1Char('_') +
                          QString::number(d.year()) + QStringLiteral("__") + twoDigits(t.hour()) + QLatin1Char('_') +
                          twoDigits(t.minute()) + QLatin1Char('_') + twoDigits(t.second());
    const QString again = copy > 1 ? QLatin1Char('_') + QString::number(copy) : QString();
    return settingsFolder + QLatin1Char('/') + kBackupFolderName + QStringLiteral("/TVR") + QString::number(address) +
           QStringLiteral("_SETTINGS_BACKUP(") + stamp + QLatin1Char(')') + again + QStringLiteral(".BIN");
}

Readwritesettingsfile::Readwritesettingsfile(const WorkingFolders& folders, EventLog& log,
                                             platform::Dialogs& dialogs, const platform::Clock& clock,
                                             QWidget* dialogParent)
    : folders_(folders), log_(log), dialogs_(dialogs), clock_(clock), dialogParent_(dialogParent) {}

QString Readwritesettingsfile::fileName(int address) const {
    return settingsFileName(folders_.settingsPath(), address);
}

bool Readwritesettingsfile::exists(int address) const { return platform::fs::fileExists(fileName(address)); }

void Readwritesettingsfile::fail(const QString& logText, const QString& boxText) {
    log_.log(kLogError, logText);
    dialogs_.message(dialogParent_, kCaption, boxText, platform::Icon::Error);
}

bool Readwritesettingsfile::makeSettingsFolder() {
    const QString folder = folders_.settingsPath();
    if (platform::fs::dirExists(folder) || platform::fs::makePath(folder)) return true;
    fail(QStringLiteral("Невозможно создать каталог хранения настроек ") + folder,
         QStringLiteral("Невозможно создать каталог хранения настроек"));
    return false;
}

bool Readwritesettingsfile::ReadSettingsBlock(int address, int offset, QByteArray& buffer, int length) {
    const QString name = fileName(address);
    if (!platform::fs::fileExists(name)) {
        dialogs_.message(dialogParent_, kCaption,
                         QStringLiteral("Файл с настройками ") + name +
                             QStringLiteral(" отсутствует. Сейчас будут загружены настройки по умолчанию."),
                         platform::Icon::Information);
        if (!CreateDefaultSettings(address)) return false;
    }
    QByteArray content;
    if (offset < 0 || length < 0 || !platform::fs::readFile(name, content)) return false;
    if (content.size() < static_cast<qsizetype>(offset) + length) return false;
    buffer = content.mid(offset, length);
    return true;
}

bool Readwritesettingsfile::WriteSettingsBlock(int address, int offset, const QByteArray& bytes) {
    if (offset < 0 || !makeSettingsFolder()) return false;
    const QString name = fileName(address);
    const bool existed = platform::fs::fileExists(name);
    QByteArray content;
    QString why;
    if (existed && !platform::fs::readFile(name, content, &why)) {
        fail(QStringLiteral("Невозможно записать файл хранения настроек ") + name + QStringLiteral(": ") + why,
             QStringLiteral("Невозможно записать файл хранения настроек"));
        return false;
    }
    // What the file lacks (all of it when it is new, the tail of a short one) is the
    // default content, so that no block reads back as bytes nobody wrote.
    const QByteArray& defaults = builtInDefaultSettings();
    if (content.size() < defaults.size()) content += defaults.mid(content.size());
    const qsizetype end = static_cast<qsizetype>(offset) + bytes.size();
    if (content.size() < end) content += QByteArray(end - content.size(), '\xFF');
    content.replace(offset, bytes.size(), bytes);
    if (platform::fs::replaceFile(name, content, &why)) return true;
    if (existed)
        fail(QStringLiteral("Невозможно записать файл хранения настроек ") + name + QStringLiteral(": ") + why,
             QStringLiteral("Невозможно записать файл хранения настроек"));
    else
        fail(QStringLiteral("Невозможно создать файл хранения настроек ") + name,
             QStringLiteral("Невозможно создать файл хранения настроек"));
    return false;
}

bool Readwritesettingsfile::CreateDefaultSettings(int address) {
    if (!makeSettingsFolder()) return false;
    const QString name = fileName(address);
    if (platform::fs::replaceFile(name, builtInDefaultSettings())) return true;
    fail(QStringLiteral("Невозможно создать файл хранения настроек ") + name,
         QStringLiteral("Невозможно создать файл хранения настроек"));
    return false;
}

bool Readwritesettingsfile::BackupSettingsFile(int address) {
    const QDateTime at = clock_.now();
    const QString name = fileName(address);
    if (!platform::fs::fileExists(name)) return false;
    const QString folder = folders_.settingsPath() + QLatin1Char('/') + kBackupFolderName;
    if (!platform::fs::dirExists(folder) && !platform::fs::makePath(folder)) {
        fail(QStringLiteral("Невозможно создать каталог хранения резервных копий настроек") + name,
             QStringLiteral("Невозможно создать каталог хранения резервных копий настроек"));
        return false;
    }
    // A rename never replaces an earlier backup: a second one in the same second is numbered.
    for (int copy = 1;; ++copy) {
        const QString target = backupFileName(folders_.settingsPath(), address, at, copy);
        if (QFile::exists(target)) continue;
        if (QFile::rename(name, target)) return true;
        break;
    }
    fail(QStringLiteral("Невозможно переместить файл настроек ") + name +
             QStringLiteral(" в каталог резервных копий"),
         QStringLiteral("Невозможно переместить файл настроек в каталог резервных копий"));
    return false;
}

}  // namespace veldar
