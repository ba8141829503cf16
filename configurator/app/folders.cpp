#include "folders.h"

#include "eventlog.h"
#include "settings.h"

#include "platform/fs/files.h"

namespace veldar {

WorkingFolders::WorkingFolders(Settings& settings, EventLog& log, QString defaultBase)
    : settings_(settings), log_(log), defaultBase_(std::move(defaultBase)) {}

void WorkingFolders::load() {
    const auto folder = [this](const QString& name, const QString& fallback) {
        const QString stored = settings_.read(name);
        if (!stored.isEmpty()) return stored;
        platform::fs::makePath(fallback);
        return fallback;
    };
    settingsPath_ = folder(Settings::kSettingsPath, defaultSettingsPath(defaultBase_));
    dataPath_ = folder(Settings::kDataPath, defaultDataPath(defaultBase_));
    log_.setFolder(dataPath_);
}

void WorkingFolders::apply(const QString& settingsPath, const QString& dataPath) {
    settingsPath_ = settingsPath;
    dataPath_ = dataPath;
    settings_.write(Settings::kSettingsPath, settingsPath_);
    settings_.write(Settings::kDataPath, dataPath_);
    log_.setFolder(dataPath_);
}

}  // namespace veldar
