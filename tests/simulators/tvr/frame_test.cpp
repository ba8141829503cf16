#include "simulators/tvr/frame.h"
#include "simulators/tvr/crc16.h"

#include <gtest/gtest.h>

using namespace tvrsim;

TEST(Crc16Arc, GivesTheCheckValues) {
    EXPECT_EQ(crc16Arc(QByteArray("123456789")), 0xBB3D);
    EXPECT_EQ(crc16Arc(QByteArray("abc")), 0x9738);
    EXPECT_EQ(crc16Arc(QByteArray()), 0);
}

TEST(Frame, TheWireExamplesRoundTrip) {
    const struct {
        Frame frame;
        QByteArray wire;
    } cases[] = {
        {Frame{101, 81, {}}, ":65514A\r\n"},
        {Frame{120, 51, QByteArray(1, '\x04')}, ":78330451\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.frame.wire(), c.wire);
        FrameReader reader;
        std::optional<ReceivedLine> line;
        for (char ch : c.wire) line = reader.feed(ch);
        ASSERT_TRUE(line) << c.wire.constData();
        EXPECT_EQ(line->fault, LineFault::None);
        EXPECT_EQ(line->frame.address, c.frame.address);
        EXPECT_EQ(line->frame.command, c.frame.command);
        EXPECT_EQ(line->frame.data, c.frame.data);
    }
}

TEST(FrameReader, TakesOnlyWellFormedLines) {
    const struct {
        const char* name;
        QByteArray input;
        std::vector<LineFault> expected;
    } cases[] = {
        {"stray characters before the colon", "xy:65514A\r\n", {LineFault::None}},
        {"a second colon restarts the line", ":65:65514A\r\n", {LineFault::None}},
        {"two frames in one burst", ":65514A\r\n:78330451\r\n", {LineFault::None, LineFault::None}},
        {"a wrong check byte", ":65514B\r\n", {LineFault::Checksum}},
        {"sum 0xB6, and no check byte", ":6551\r\n", {LineFault::TooShort}},
        {"odd number of digits", ":6551004\r\n", {LineFault::OddLength}},
        {"lower-case digits", ":65514a\r\n", {LineFault::NotHex}},
        {"CR LF without a colon", "65514A\r\n", {}},
        {"LF alone does not end a line", ":65514A\n", {}},
    };
    for (const auto& c : cases) {
        FrameReader reader;
        std::vector<LineFault> got;
        for (char ch : c.input)
            if (auto line = reader.feed(ch)) got.push_back(line->fault);
        EXPECT_EQ(got, c.expected) << c.name;
    }
}

TEST(FrameReader, DropsALineLongerThanAnyFrameAndRecovers) {
    FrameReader reader;
    std::vector<LineFault> got;
    const QByteArray endless =
        ':' + QByteArray(FrameReader::kMaxChars + 50, '0') + "\r\n:65514A\r\n";
    for (char ch : endless)
        if (auto line = reader.feed(ch)) got.push_back(line->fault);
    EXPECT_EQ(got, (std::vector<LineFault>{LineFault::TooLong, LineFault::None}));

    // The longest request (299 bytes) still fits.
    QByteArray longest(298, '\x11');
    longest.append(static_cast<char>(lrcOf(longest)));
    std::optional<ReceivedLine> line;
    for (char ch : toWire(longest)) line = reader.feed(ch);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->fault, LineFault::None);
}
