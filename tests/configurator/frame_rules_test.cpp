// The plain rules of the link: frames and their wire form, cutting lines out of the received
// characters, checking them, and reading the current unit back from the workspace title.
#include "configurator/app/navigation.h"
#include "configurator/link/frame.h"
#include "configurator/link/frame_check.h"
#include "configurator/link/line_assembler.h"

#include <gtest/gtest.h>

#include <vector>

using namespace veldar;

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values) out.append(static_cast<char>(v));
    return out;
}

// Every event the characters produce, lines as their text and overflows as "<overflow>".
std::vector<QByteArray> feedAll(LineAssembler& assembler, const QByteArray& chars) {
    std::vector<QByteArray> out;
    for (char c : chars)
        if (const auto e = assembler.feed(c))
            out.push_back(e->kind == LineAssembler::Event::Kind::Line ? e->text : QByteArray("<overflow>"));
    return out;
}

}  // namespace

TEST(Frame, RequestsCarryTheirLrcAndTravelAsUpperCaseHex) {
    const struct {
        int address, command;
        QByteArray data;
        const char* wire;
    } cases[] = {
        {101, 81, {}, ":65514A\r\n"},
        {120, 51, bytes({0x04}), ":78330451\r\n"},
        {0, 50, {}, ":0032CE\r\n"},
        {255, 255, bytes({0xFF, 0x00, 0xAB}), ":FFFFFF00AB58\r\n"},
        {101, 72, {}, ":654853\r\n"},
    };
    for (const auto& c : cases) {
        const QByteArray frame = requestFrame(static_cast<std::uint8_t>(c.address), static_cast<std::uint8_t>(c.command), c.data);
        EXPECT_EQ(frame.size(), c.data.size() + 3);
        EXPECT_EQ(lrc(frame), 0) << "the bytes and the LRC sum to zero";
        EXPECT_EQ(wireText(frame), QByteArray(c.wire)) << c.wire;
    }
    EXPECT_EQ(lrc(bytes({0x65, 0x51})), 0x4A);
    EXPECT_EQ(lrc({}), 0);
}

TEST(Frame, ATablePageOf133BytesIs269CharactersOnTheWire) {
    QByteArray data(130, '\xA5');
    const QByteArray text = wireText(requestFrame(101, 59, data));
    EXPECT_EQ(text.size(), 269);
    EXPECT_TRUE(text.startsWith(":653BA5A5"));
    EXPECT_TRUE(text.endsWith("\r\n"));
}

TEST(LineAssembler, ColonStartsCrLfEndsAndNothingOutsideALineIsKept) {
    const struct {
        const char* name;
        QByteArray chars;
        std::vector<QByteArray> events;
    } cases[] = {
        {"one line", ":65514A\r\n", {"65514A"}},
        {"stray characters before it", "xy:65514A\r\n", {"65514A"}},
        {"a second colon restarts", ":65:65514A\r\n", {"65514A"}},
        {"two lines in one burst", ":65514A\r\n:654853\r\n", {"65514A", "654853"}},
        {"CR LF outside a line", "\r\n65514A\r\n", {}},
        {"an empty line", ":\r\n", {""}},
        {"CR alone does not end", ":6551\r4A\r\n", {"6551\r4A"}},
        {"no end yet", ":65514A\r", {}},
        {"lower case kept as received", ":65514a\r\n", {"65514a"}},
    };
    for (const auto& c : cases) {
        LineAssembler assembler;
        EXPECT_EQ(feedAll(assembler, c.chars), c.events) << c.name;
    }
}

TEST(LineAssembler, TheLongestAnswerFitsAndALongerLineIsDroppedWhenItOverflows) {
    // The sensor list with 255 sensors is the longest answer the units send.
    QByteArray sensors = bytes({101, 79, 100, 255});
    for (int i = 0; i < 255; ++i) sensors.append(bytes({i, 2, 1}));
    sensors.append(static_cast<char>(lrc(sensors)));
    const QByteArray longest = wireText(sensors);
    ASSERT_EQ(longest.size() - 1, LineAssembler::kCapacity);

    LineAssembler assembler;
    EXPECT_EQ(feedAll(assembler, longest), std::vector<QByteArray>{longest.mid(1).chopped(2)});

    QByteArray tooLong = ":" + QByteArray(LineAssembler::kCapacity, 'A') + "BC\r\n:65514A\r\n";
    EXPECT_EQ(feedAll(assembler, tooLong), (std::vector<QByteArray>{"<overflow>", "65514A"}))
        << "the rest of the dropped line is not taken for a new one";
}

TEST(LineAssembler, EndlessCharactersWithoutAColonAreNotCollected) {
    LineAssembler assembler;
    EXPECT_TRUE(feedAll(assembler, QByteArray(100000, 'A') + "\r\n").empty());
    EXPECT_EQ(feedAll(assembler, ":65514A\r\n"), std::vector<QByteArray>{"65514A"});
}

TEST(LineAssembler, AnAbandonedLineIsForgotten) {
    LineAssembler assembler;
    feedAll(assembler, ":6551");
    assembler.abandon();
    EXPECT_TRUE(feedAll(assembler, "4A\r\n").empty());
}

TEST(FrameCheck, EvenUpperCaseHexOfAtLeastThreeBytesSummingToZero) {
    const struct {
        const char* text;
        FrameFault fault;
    } cases[] = {
        {"65514A", FrameFault::None},
        {"78330451", FrameFault::None},
        {"6551", FrameFault::TooShort},
        {"6551004", FrameFault::OddLength},
        {"65514B", FrameFault::Checksum},
        {"65514a", FrameFault::NotHex},
        {"6551 4A", FrameFault::OddLength},
        {"65514G", FrameFault::NotHex},
        {"655G4A", FrameFault::NotHex},
        {"", FrameFault::TooShort},
        {"00", FrameFault::TooShort},
        {"649C", FrameFault::TooShort},
        {"000000", FrameFault::None},
    };
    for (const auto& c : cases) EXPECT_EQ(checkFrame(c.text).fault, c.fault) << c.text;
    EXPECT_EQ(checkFrame("78330451").bytes, bytes({0x78, 0x33, 0x04, 0x51}));
}

TEST(FrameCheck, TheMonitorShowsAddressAndCodeOfWholeBytesFromListenedAddresses) {
    const struct {
        const char* text;
        std::optional<std::pair<int, int>> shown;
    } cases[] = {
        {"65514A", std::pair{101, 81}},
        {"65514B", std::pair{101, 81}},
        {"6451", std::pair{100, 81}},
        {"6551004", std::nullopt},
        {"63514A", std::nullopt},
        {"65", std::nullopt},
        {"6x514A", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto fields = monitorFields(c.text);
        ASSERT_EQ(fields.has_value(), c.shown.has_value()) << c.text;
        if (fields) {
            EXPECT_EQ(std::pair(fields->address, fields->command), *c.shown) << c.text;
        }
    }
}

TEST(UnitContext, TheUnitAndChannelAreReadBackFromTheTitle) {
    const struct {
        const char* title;
        std::optional<int> address, channelIndex;
    } cases[] = {
        {"     VELDAR->TVR (101)->Измерительные каналы->Канал 3->Датчик VLK", 101, 2},
        {"     VELDAR->TVR (101)->Измерительные каналы->Канал 8->Градуировочная таблица", 101, 7},
        {"     VELDAR->TVR (120)->Общие настройки", 120, std::nullopt},
        {"     VELDAR->TVR (255)", 255, std::nullopt},
        {"     VELDAR->TVR (101)->Измерительные каналы", 101, std::nullopt},
        {"     VELDAR", std::nullopt, std::nullopt},
        {"     Терминал", std::nullopt, std::nullopt},
        {"     Основное рабочее пространство", std::nullopt, std::nullopt},
        {"VELDAR->TVR (101)", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        const UnitContext context = unitContextOf(QString::fromUtf8(c.title));
        EXPECT_EQ(context.address, c.address) << c.title;
        EXPECT_EQ(context.channelIndex, c.channelIndex) << c.title;
    }
}
