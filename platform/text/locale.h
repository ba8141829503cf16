#pragma once

#include <QChar>
#include <QDateTime>
#include <QString>

namespace platform {

// The three things the programs take from the user's regional settings. Formats use Qt's
// date/time pattern letters.
struct Locale {
    QChar decimalSeparator = QLatin1Char('.');
    QString shortDateFormat = QStringLiteral("dd.MM.yyyy");
    QString longTimeFormat = QStringLiteral("H:mm:ss");

    // From LC_NUMERIC and LC_TIME (LC_ALL overriding), as the user set them.
    static Locale fromEnvironment();
    // A fixed Russian locale for tests: ",", "dd.MM.yyyy", "H:mm:ss".
    static Locale russian();

    QString date(const QDate& d) const { return d.toString(shortDateFormat); }
    QString time(const QTime& t) const { return t.toString(longTimeFormat); }
};

}  // namespace platform
