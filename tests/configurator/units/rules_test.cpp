// The plain rules behind the tree and the unit page: what a caption is, typed addresses, the
// version display and the channel status labels.
#include "configurator/app/navigation.h"
#include "configurator/measure/channel_status.h"
#include "configurator/protocol/version_record.h"

#include "platform/text/codepage.h"

#include <gtest/gtest.h>

using namespace veldar;

TEST(TreeRules, CaptionsAreComparedInOrderAndAnythingElseIsAUnit) {
    const struct {
        const char* caption;
        NodeKind kind;
        TreePopup popup;
    } cases[] = {
        {"VELDAR", NodeKind::VELDAR, TreePopup::AddUnit},
        {"Терминал", NodeKind::Terminal, TreePopup::None},
        {"Измерительные каналы", NodeKind::MeasuringChannels, TreePopup::None},
        {"Канал 1", NodeKind::Channel, TreePopup::None},
        {"Канал 8", NodeKind::Channel, TreePopup::None},
        {"Датчик VLK", NodeKind::Sensor, TreePopup::None},
        {"Градуировочная таблица", NodeKind::TarTab, TreePopup::None},
        {"Выходы РЕЛЕ", NodeKind::Relay, TreePopup::None},
        {"Календарь", NodeKind::Calendar, TreePopup::None},
        {"Общие настройки", NodeKind::CommonSettings, TreePopup::None},
        {"TVR (101)", NodeKind::Unit, TreePopup::DeleteUnit},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(nodeKind(QString::fromUtf8(c.caption)), c.kind) << c.caption;
        EXPECT_EQ(treePopupFor(QString::fromUtf8(c.caption)), c.popup) << c.caption;
    }
    EXPECT_EQ(unitCaption(101), QStringLiteral("TVR (101)"));
    EXPECT_EQ(unitOfCaption(QStringLiteral("TVR (230)")), 230);
    EXPECT_EQ(unitOfCaption(QStringLiteral("VELDAR")), std::nullopt);
    EXPECT_EQ(unitChildren().size(), 28);
}

TEST(TypedAddress, OneToTwoHundredFiftyFiveWithLeadingZerosAllowed) {
    const struct {
        const char* typed;
        AddressInput check;
        int address;
    } cases[] = {
        {"1", AddressInput::Ok, 1},       {"255", AddressInput::Ok, 255},         {"007", AddressInput::Ok, 7},
        {" 120 ", AddressInput::Ok, 120}, {"", AddressInput::Empty, 0},           {"0", AddressInput::Empty, 0},
        {"000", AddressInput::Empty, 0},  {"256", AddressInput::OutOfRange, 0},   {"1000", AddressInput::OutOfRange, 0},
        {"-5", AddressInput::OutOfRange, 0}, {"12a", AddressInput::OutOfRange, 0}, {"0000000300", AddressInput::OutOfRange, 0},
    };
    for (const auto& c : cases) {
        const TypedAddress t = typedAddress(QString::fromUtf8(c.typed));
        EXPECT_EQ(t.check, c.check) << c.typed;
        EXPECT_EQ(t.address, c.address) << c.typed;
    }
}

namespace {

QByteArray record(std::initializer_list<int> head, const QByteArray& identifier, const QByteArray& identification) {
    QByteArray r;
    for (const int b : head) r.append(static_cast<char>(b));
    r += identifier.leftJustified(19, '\0', true);
    r += QByteArray(4, '\0');
    r.append(static_cast<char>(identification.size()));
    r += identification;
    return r;
}

}  // namespace

TEST(VersionRecord, TheDisplayRules) {
    const auto shown = versionDisplay(101, record({5, 3, 12, 60}, "ABC-DEF-GHI-JKL-MNO",
                                                  platform::text::toCp1251(QStringLiteral("Блок TVR-8"))));
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->address, QStringLiteral("101"));
    EXPECT_EQ(shown->date, QStringLiteral("05.03.12"));
    EXPECT_EQ(shown->version, QStringLiteral("60"));
    EXPECT_EQ(shown->identifier, QStringLiteral("ABC-DEF-GHI-JKL-MNO"));
    EXPECT_EQ(shown->firmwareFile, QStringLiteral("ABCDEFGHIJKLMNO.zb7"));
    EXPECT_EQ(shown->identification, QStringLiteral("Блок TVR-8"));
}

TEST(VersionRecord, ShortAndLongTextsAndShortRecords) {
    const auto shortId = versionDisplay(120, record({21, 10, 13, 59}, "TVR-K08", QByteArray(60, 'x')));
    ASSERT_TRUE(shortId);
    EXPECT_EQ(shortId->identifier, QStringLiteral("TVR-K08"));
    EXPECT_EQ(shortId->firmwareFile, QStringLiteral("TVRK08.zb7"));
    EXPECT_EQ(shortId->identification, QString(55, QLatin1Char('x')));
    EXPECT_EQ(shortId->date, QStringLiteral("21.10.13"));

    QByteArray cut = record({1, 2, 3, 61}, "ABC", "abcdef");
    cut.chop(3);
    EXPECT_EQ(versionDisplay(130, cut)->identification, QStringLiteral("abc"));
    EXPECT_EQ(versionDisplay(130, QByteArray::fromHex("01020304"))->version, QStringLiteral("4"));
    EXPECT_EQ(versionDisplay(130, QByteArray::fromHex("01020304"))->identification, QString());
    EXPECT_FALSE(versionDisplay(130, QByteArray::fromHex("010203")));
    EXPECT_EQ(firmwareVersion(record({1, 2, 3, 60}, "", "")), 60);
}

TEST(ChannelStatus, PolledChannelsAreGreenAndTheOthersRed) {
    EXPECT_EQ(channelNoData(4).text, QStringLiteral("Канал 4 - НЕТ ДАННЫХ"));
    EXPECT_EQ(channelNoData(4).colour, QColor(Qt::black));
    for (int k = 1; k <= 8; ++k) {
        const ChannelStatusLabel on = channelPolling(k, static_cast<std::uint8_t>(1 << (k - 1)));
        const ChannelStatusLabel off = channelPolling(k, static_cast<std::uint8_t>(~(1 << (k - 1))));
        EXPECT_EQ(on.text, QStringLiteral("Канал %1 - опрос включен").arg(k));
        EXPECT_EQ(on.colour, QColor(0, 128, 0));
        EXPECT_EQ(off.text, QStringLiteral("Канал %1 - опрос выключен").arg(k));
        EXPECT_EQ(off.colour, QColor(255, 0, 0));
    }
}
