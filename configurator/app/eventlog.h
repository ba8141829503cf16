#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace platform {
class Clock;
class Dialogs;
struct Locale;
}  // namespace platform

namespace veldar {

// The program's event log: every line goes to the pane and is appended to "Events.log" in
// the data folder. The folder and the file are checked for every line, so a new data folder
// or a deleted file take effect with the next line.
class EventLog {
public:
    static inline const QString kFileName = QStringLiteral("Events.log");
    // The pane shows at most this much of the file's end at start-up; the file keeps it all.
    static constexpr qint64 kHistoryBytes = 4 * 1024 * 1024;

    EventLog(const platform::Clock& clock, const platform::Locale& locale, platform::Dialogs& dialogs);

    void setFolder(const QString& dataPath) { folder_ = dataPath; }
    const QString& folder() const { return folder_; }
    QString filePath() const;

    // Receives each line with its kind as it is logged (the log pane).
    void setPane(std::function<void(const QString& line, int kind)> pane) { pane_ = std::move(pane); }
    void setDialogParent(QWidget* parent) { dialogParent_ = parent; }

    void log(int kind, const QString& text);

    // The earlier runs' lines for the pane; nothing when there is no log file.
    std::optional<QString> history() const;

private:
    void append(const QString& line);

    const platform::Clock& clock_;
    const platform::Locale& locale_;
    platform::Dialogs& dialogs_;
    QString folder_;
    std::function<void(const QString&, int)> pane_;
    QWidget* dialogParent_ = nullptr;
};

}  // namespace veldar
