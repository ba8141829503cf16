#include "platform/registry/registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using platform::RegFile;
using platform::Registry;

class RegistryTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    Registry reg{dir.path()};

    QByteArray keyFile(const QString& folder) {
        QFile f(dir.path() + QLatin1Char('/') + folder + QStringLiteral("/values.reg"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(RegistryTest, ValueNamesIgnoreCaseAndKeepTheirSpelling) {
    const QString key = QStringLiteral("ConfigVELDAR_v4.1\\");
    ASSERT_TRUE(reg.writeString(key, QStringLiteral("CurrComm"), QStringLiteral("COM3")));
    EXPECT_EQ(reg.readString(key, QStringLiteral("CurrCOMM")), QStringLiteral("COM3"));
    ASSERT_TRUE(reg.writeString(key, QStringLiteral("CURRCOMM"), QStringLiteral("n/a")));
    EXPECT_EQ(reg.valueNames(key), QStringList{QStringLiteral("CurrComm")});
    EXPECT_EQ(reg.readString(QStringLiteral("configveldar_V4.1"), QStringLiteral("currcomm")),
              QStringLiteral("n/a"));
    EXPECT_TRUE(keyFile(QStringLiteral("ConfigVELDAR_v4.1")).contains("\"CurrComm\"=\"n/a\""));
}

TEST_F(RegistryTest, MissingKeysAndValuesReadAsNothing) {
    EXPECT_FALSE(reg.keyExists(QStringLiteral("Nope")));
    EXPECT_EQ(reg.readString(QStringLiteral("Nope"), QStringLiteral("x")), std::nullopt);
    ASSERT_TRUE(reg.createKey(QStringLiteral("Software\\Halvard\\Burnet")));
    EXPECT_TRUE(reg.keyExists(QStringLiteral("software\\HALVARD\\burnet")));
    EXPECT_EQ(reg.readString(QStringLiteral("Software\\Halvard\\Burnet"), QStringLiteral("x")),
              std::nullopt);
}

TEST_F(RegistryTest, BinaryValuesRoundTripAndAreNotStrings) {
    QByteArray bytes;
    for (int i = 0; i < 256; ++i) bytes.append(static_cast<char>(i));
    ASSERT_TRUE(reg.writeBinary(QStringLiteral("VELDAR_USERS\\User0"), QStringLiteral("Password"), bytes));
    EXPECT_EQ(reg.readBinary(QStringLiteral("VELDAR_USERS\\User0"), QStringLiteral("password")), bytes);
    EXPECT_EQ(reg.readString(QStringLiteral("VELDAR_USERS\\User0"), QStringLiteral("Password")), std::nullopt);
    ASSERT_TRUE(reg.writeBinary(QStringLiteral("K"), QStringLiteral("Empty"), QByteArray()));
    EXPECT_EQ(reg.readBinary(QStringLiteral("K"), QStringLiteral("Empty")), QByteArray());
}

TEST_F(RegistryTest, DwordValuesRoundTripAndAreNeitherStringsNorBinary) {
    const QString key = QStringLiteral("Software\\Halvard\\Burnet\\Settings");
    const QString name = QStringLiteral("校验 Flash  ");
    ASSERT_TRUE(reg.writeDword(key, name, 0xFFFFFFFFu));
    EXPECT_EQ(reg.readDword(key, name), 0xFFFFFFFFu);
    ASSERT_TRUE(reg.writeDword(key, name, 0));
    EXPECT_EQ(reg.readDword(key, name), 0u);
    EXPECT_EQ(reg.readString(key, name), std::nullopt);
    EXPECT_EQ(reg.readBinary(key, name), std::nullopt);
    EXPECT_TRUE(keyFile(QStringLiteral("Software/Halvard/Burnet/Settings")).contains("\"校验 Flash  \"=dword:00000000"));

    ASSERT_TRUE(reg.writeString(key, QStringLiteral("HelpTimeOut"), QStringLiteral("3000")));
    EXPECT_EQ(reg.readDword(key, QStringLiteral("HelpTimeOut")), std::nullopt);
}

TEST_F(RegistryTest, StringsWithQuotesBackslashesAndLineBreaksSurvive) {
    const QString texts[] = {QStringLiteral("C:\\Data\\\"x\""), QStringLiteral("line1\r\nline2"),
                             QStringLiteral("Резервные копии"), QString(), QStringLiteral("trailing  ")};
    for (const QString& t : texts) {
        ASSERT_TRUE(reg.writeString(QStringLiteral("K"), QStringLiteral("v"), t));
        EXPECT_EQ(reg.readString(QStringLiteral("K"), QStringLiteral("v")), t);
    }
}

TEST_F(RegistryTest, DeletingASubKeyTakesItsValuesAndSubKeys) {
    reg.writeString(QStringLiteral("VELDAR_USERS\\User3"), QStringLiteral("Login"), QStringLiteral("a"));
    reg.writeString(QStringLiteral("VELDAR_USERS\\User3\\Deep"), QStringLiteral("x"), QStringLiteral("y"));
    reg.writeString(QStringLiteral("VELDAR_USERS\\User4"), QStringLiteral("Login"), QStringLiteral("b"));
    ASSERT_TRUE(reg.deleteKey(QStringLiteral("veldar_users\\user3")));
    EXPECT_FALSE(reg.keyExists(QStringLiteral("VELDAR_USERS\\User3")));
    EXPECT_EQ(reg.subKeys(QStringLiteral("VELDAR_USERS")), QStringList{QStringLiteral("User4")});
    EXPECT_FALSE(reg.deleteKey(QStringLiteral("VELDAR_USERS\\User3")));
}

TEST_F(RegistryTest, AChangeLeavesNoTemporaryFilesBehind) {
    for (int i = 0; i < 5; ++i) reg.writeString(QStringLiteral("K"), QStringLiteral("v"), QString::number(i));
    const QStringList files = QDir(dir.path() + QStringLiteral("/K")).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(files, QStringList{QStringLiteral("values.reg")});
}

TEST_F(RegistryTest, ACorruptKeyFileIsKeptAsideAndTheKeyReadsEmpty) {
    reg.writeString(QStringLiteral("K"), QStringLiteral("v"), QStringLiteral("1"));
    const QString path = dir.path() + QStringLiteral("/K/values.reg");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\K]\n\"v\"=\"unterminated\n");
    }
    EXPECT_EQ(reg.readString(QStringLiteral("K"), QStringLiteral("v")), std::nullopt);
    ASSERT_EQ(reg.keptAside().size(), 1);
    QFile aside(reg.keptAside().first());
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_TRUE(aside.readAll().contains("unterminated"));
    ASSERT_TRUE(reg.writeString(QStringLiteral("K"), QStringLiteral("v"), QStringLiteral("2")));
    EXPECT_EQ(reg.readString(QStringLiteral("K"), QStringLiteral("v")), QStringLiteral("2"));
}

TEST(RegFile, ParsesWhatRegeditWrites) {
    const QByteArray text =
        "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Halvard\\Burnet\\Settings]\r\n"
        "\"Device \"=\"ATmega16\"\r\n"
        "@=\"default\"\r\n"
        "\"Count\"=dword:0000002a\r\n"
        "\"Blob\"=hex:01,02,\\\r\n  03,ff\r\n"
        "\"Wide\"=hex(1):41,00,42,00,00,00\r\n";
    platform::RegParseError err{};
    const auto values = RegFile::parse(text, &err);
    ASSERT_TRUE(values) << err.line << ": " << err.reason.toStdString();
    ASSERT_EQ(values->size(), 5u);
    EXPECT_EQ((*values)[0].name, QStringLiteral("Device "));
    EXPECT_EQ((*values)[0].text, QStringLiteral("ATmega16"));
    EXPECT_EQ((*values)[1].name, QString());
    EXPECT_EQ((*values)[2].dword, 42u);
    EXPECT_EQ((*values)[3].bytes, QByteArray("\x01\x02\x03\xff", 4));
    EXPECT_EQ((*values)[4].text, QStringLiteral("AB"));
}

TEST(RegFile, RejectsWithALineNumberAndReason) {
    struct Case {
        QByteArray text;
        int line;
    };
    const QByteArray head = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\K]\n";
    const Case cases[] = {
        {"garbage\n", 1},
        {head + "\"a\"=hex:1,zz\n", 4},
        {head + "\"a\"=dword:12\n", 4},
        {head + "\"a\"\n", 4},
        {head + "\"a\"=\"x\"\n[HKEY_CURRENT_USER\\Other]\n", 5},
        {QByteArray("Windows Registry Editor Version 5.00\n\"a\"=\"x\"\n"), 2},
        {QByteArray("\xff\xfe\x00\x01"), 1},
    };
    for (const auto& c : cases) {
        platform::RegParseError err{};
        EXPECT_FALSE(RegFile::parse(c.text, &err)) << c.text.toStdString();
        EXPECT_EQ(err.line, c.line) << c.text.toStdString();
        EXPECT_FALSE(err.reason.isEmpty());
    }
}
