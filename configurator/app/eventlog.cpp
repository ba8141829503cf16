#include "eventlog.h"

#include "log_line.h"

#include "platform/fs/files.h"
#include "platform/timing/clock.h"
#include "platform/ui/dialogs.h"

#include <QFile>

namespace veldar {

EventLog::EventLog(const platform::Clock& clock, const platform::Locale& locale, platform::Dialogs& dialogs)
    : clock_(clock), locale_(locale), dialogs_(dialogs) {}

QString EventLog::filePath() const { return folder_ + QLatin1Char('/') + kFileName; }

void EventLog::log(int kind, const QString& text) {
    const QString line = logLine(kind, clock_.now(), locale_, text);
    if (pane_) pane_(line, kind);
    append(line);
}

void EventLog::append(const QString& line) {
    const auto fail = [this](const QString& message) {
        dialogs_.message(dialogParent_, QStringLiteral("VELDAR"), message, platform::Icon::Error);
    };
    if (!platform::fs::makePath(folder_)) {
        fail(QStringLiteral("Невозможно создать каталог хранения архива"));
        return;
    }
    const QString path = filePath();
    if (platform::fs::fileExists(path)) {
        // A file that cannot be opened (locked, read-only) silently misses the line.
        platform::fs::appendFile(path, logRecord(line));
        return;
    }
    if (!platform::fs::appendFile(path, logRecord(line))) {
        fail(QStringLiteral("Невозможно создать файл журнала"));
        return;
    }
    platform::fs::setHidden(path);
}

std::optional<QString> EventLog::history() const {
    QFile file(filePath());
    if (!platform::fs::fileExists(file.fileName()) || !file.open(QIODevice::ReadOnly)) return std::nullopt;
    const qint64 size = file.size();
    const bool cut = size > kHistoryBytes;
    if (cut) file.seek(size - kHistoryBytes);
    QByteArray bytes = file.readAll();
    // Start at a whole line when only the end of a long file is shown.
    if (cut) bytes.remove(0, bytes.indexOf('\n') + 1);
    return historyText(bytes);
}

}  // namespace veldar
