#include "platform/text/codepage.h"
#include "platform/text/locale.h"

#include <gtest/gtest.h>

#include <iconv.h>

namespace {

// What glibc's iconv makes of the bytes, as an independent reference.
QString iconvDecode(const QByteArray& bytes, const char* from) {
    iconv_t cd = iconv_open("UTF-16LE", from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return QStringLiteral("<no iconv>");
    QByteArray in = bytes;
    QByteArray out(bytes.size() * 4 + 8, '\0');
    char* ip = in.data();
    char* op = out.data();
    size_t il = static_cast<size_t>(in.size());
    size_t ol = static_cast<size_t>(out.size());
    const size_t r = iconv(cd, &ip, &il, &op, &ol);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1)) return QStringLiteral("<invalid>");
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(out.constData()),
                              (out.size() - static_cast<qsizetype>(ol)) / 2);
}

}  // namespace

TEST(Cp1251, EveryByteDecodesAsIconvSaysAndEncodesBack) {
    for (int b = 0; b < 256; ++b) {
        const QByteArray one(1, static_cast<char>(b));
        const QString reference = iconvDecode(one, "CP1251");
        if (reference == QLatin1String("<invalid>")) continue;  // 0x98 is unassigned
        const QString ours = platform::text::fromCp1251(one);
        EXPECT_EQ(ours, reference) << "byte " << b;
        EXPECT_EQ(platform::text::toCp1251(ours), one) << "byte " << b;
    }
}

TEST(Cp1251, RussianLogTextIsByteExact) {
    const QByteArray bytes = platform::text::toCp1251(QStringLiteral("[СООБЩЕНИЕ]\tЗапуск программы."));
    EXPECT_EQ(bytes.toHex(' '),
              QByteArray("5b d1 ce ce c1 d9 c5 cd c8 c5 5d 09 c7 e0 ef f3 f1 ea 20 ef f0 ee e3 f0 e0 ec ec fb 2e"));
}

TEST(Cp1251, UnmappableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(platform::text::toCp1251(QStringLiteral("a汉b")), QByteArray("a?b"));
}

TEST(Cp936, ChineseRoundTrips) {
    const QString text = QStringLiteral("没有发现编程器目标板！");
    const QByteArray gbk = platform::text::toCp936(text);
    EXPECT_EQ(iconvDecode(gbk, "CP936"), text);
    EXPECT_EQ(platform::text::fromCp936(gbk), text);
}

TEST(Locale, RussianFormatsTheLogExample) {
    const auto ru = platform::Locale::russian();
    const QDateTime t(QDate(2013, 12, 9), QTime(14, 5, 33));
    EXPECT_EQ(ru.date(t.date()) + QStringLiteral("   ") + ru.time(t.time()),
              QStringLiteral("09.12.2013   14:05:33"));
    EXPECT_EQ(ru.decimalSeparator, QLatin1Char(','));
}

TEST(Locale, ComesFromTheEnvironmentCategories) {
    const QByteArray savedAll = qgetenv("LC_ALL");
    qunsetenv("LC_ALL");
    qputenv("LC_NUMERIC", "ru_RU.UTF-8");
    qputenv("LC_TIME", "ru_RU.UTF-8");
    const auto ru = platform::Locale::fromEnvironment();
    EXPECT_EQ(ru.decimalSeparator, QLatin1Char(','));
    EXPECT_EQ(ru.date(QDate(2013, 12, 9)), QStringLiteral("09.12.2013"));
    EXPECT_EQ(ru.time(QTime(14, 5, 33)), QStringLiteral("14:05:33"));
    qputenv("LC_NUMERIC", "en_US.UTF-8");
    EXPECT_EQ(platform::Locale::fromEnvironment().decimalSeparator, QLatin1Char('.'));
    qputenv("LC_ALL", "ru_RU.UTF-8");
    EXPECT_EQ(platform::Locale::fromEnvironment().decimalSeparator, QLatin1Char(','));
    if (savedAll.isEmpty()) qunsetenv("LC_ALL"); else qputenv("LC_ALL", savedAll);
    qunsetenv("LC_NUMERIC");
    qunsetenv("LC_TIME");
}
