#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace platform {
struct Locale;
}

namespace veldar {

// Kinds of log lines; any other kind writes the bare text.
inline constexpr int kLogError = 0;
inline constexpr int kLogMessage = 1;

// date + three blanks + time + ": " + prefix + TAB + text, with the user's short date and
// long time formats.
QString logLine(int kind, const QDateTime& at, const platform::Locale& locale, const QString& text);

// The record the log file gets for a line: Windows-1251, ended by CR LF.
QByteArray logRecord(const QString& line);

// The file's text as the pane shows it: line ends made plain, no empty line after the last.
QString historyText(const QByteArray& fileBytes);

}  // namespace veldar
