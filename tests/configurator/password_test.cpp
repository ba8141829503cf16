#include "configurator/app/password.h"

#include <gtest/gtest.h>

using namespace veldar;

TEST(PasswordBlock, IsTwoBytesLongerThanThePasswordAndDecodesBack) {
    const QString passwords[] = {
        QStringLiteral("12345"),
        QStringLiteral("Secret"),
        QStringLiteral("пароль-Ёж"),
        QString(50, QLatin1Char('z')),
        QStringLiteral("я\u0001 mix"),
    };
    for (const QString& p : passwords) {
        const QByteArray block = encodePassword(p);
        EXPECT_EQ(block.size(), p.size() + 2) << p.toStdString();
        EXPECT_EQ(decodePassword(block), p) << p.toStdString();
    }
}

TEST(PasswordBlock, KeepsItsStoredLayout) {
    // "12345" sums to 0xFF; K = 0xA7 − 0xFF = 0xA8 is split over the first and last byte.
    EXPECT_EQ(encodePassword(QStringLiteral("12345")), QByteArray("\x08\x32\x33\x34\x35\x36\xA0", 7));
}

TEST(PasswordBlock, AnotherPasswordGivesAnotherBlock) {
    EXPECT_NE(encodePassword(QStringLiteral("secret1")), encodePassword(QStringLiteral("secret2")));
    EXPECT_NE(encodePassword(QStringLiteral("secret1")), encodePassword(QStringLiteral("Secret1")));
}

TEST(PasswordBlock, TooShortToHoldItsFrameIsAnEmptyPassword) {
    EXPECT_EQ(decodePassword(QByteArray()), QString());
    EXPECT_EQ(decodePassword(QByteArray("\x05", 1)), QString());
}

TEST(PasswordBlock, OnlyTheFirstHundredBytesAreRead) {
    QByteArray block = encodePassword(QString(98, QLatin1Char('a')));
    ASSERT_EQ(block.size(), 100);
    EXPECT_EQ(decodePassword(block + QByteArray(20, '\x11')), QString(98, QLatin1Char('a')));
}
