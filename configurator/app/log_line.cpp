#include "log_line.h"

#include "platform/text/codepage.h"
#include "platform/text/locale.h"

namespace veldar {

QString logLine(int kind, const QDateTime& at, const platform::Locale& locale, const QString& text) {
    QString line = locale.date(at.date()) + QStringLiteral("   ") + locale.time(at.time()) + QStringLiteral(": ");
    if (kind == kLogError) line += QStringLiteral("[ОШИБКА]\t");
    if (kind == kLogMessage) line += QStringLiteral("[СООБЩЕНИЕ]\t");
    return line + text;
}

QByteArray logRecord(const QString& line) { return platform::text::toCp1251(line) + "\r\n"; }

QString historyText(const QByteArray& fileBytes) {
    QString text = platform::text::fromCp1251(fileBytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    return text;
}

}  // namespace veldar
