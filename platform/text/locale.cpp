#include "locale.h"

#include <QLocale>
#include <QRegularExpression>

namespace platform {
namespace {

QString categoryLocale(const char* category) {
    for (const char* name : {"LC_ALL", category, "LANG"}) {
        const QByteArray value = qgetenv(name);
        if (!value.isEmpty()) return QString::fromLocal8Bit(value);
    }
    return QStringLiteral("C");
}

QLocale qtLocale(const QString& posixName) {
    QString name = posixName.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    if (name == QLatin1String("C") || name == QLatin1String("POSIX")) return QLocale::c();
    return QLocale(name);
}

// Qt's long time formats carry a time zone ("t") that the log lines have no place for.
QString withoutZone(QString format) {
    format.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*$")));
    format.remove(QRegularExpression(QStringLiteral("^\\s*t+\\s*")));
    return format.trimmed();
}

}  // namespace

Locale Locale::fromEnvironment() {
    Locale l;
    const QLocale numeric = qtLocale(categoryLocale("LC_NUMERIC"));
    const QString point = numeric.decimalPoint();
    l.decimalSeparator = point.isEmpty() ? QLatin1Char('.') : point.at(0);
    const QLocale time = qtLocale(categoryLocale("LC_TIME"));
    if (time.language() == QLocale::C) {
        l.shortDateFormat = QStringLiteral("dd.MM.yyyy");
        l.longTimeFormat = QStringLiteral("HH:mm:ss");
    } else {
        l.shortDateFormat = time.dateFormat(QLocale::ShortFormat);
        l.longTimeFormat = withoutZone(time.timeFormat(QLocale::LongFormat));
    }
    return l;
}

Locale Locale::russian() {
    return Locale{QLatin1Char(','), QStringLiteral("dd.MM.yyyy"), QStringLiteral("H:mm:ss")};
}

}  // namespace platform
