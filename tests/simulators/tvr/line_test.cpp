#include "host.h"

#include <gtest/gtest.h>

using namespace tvrsim;
using namespace tvrsim::test;

TEST(Line, RequestsReachOnlyTheUnitWithTheirAddress) {
    Host host({101, 121, 130});
    for (int a : {101, 121, 130}) {
        const Frame answer = host.ask(request(a, 81));
        EXPECT_EQ(answer.address, a);
        EXPECT_EQ(answer.command, 81);
    }
    EXPECT_FALSE(host.exchange(request(122, 81), 2000));
    EXPECT_FALSE(host.exchange(request(99, 50), 2000));
}

TEST(Line, ALoneUnitAnswersAddressZeroFromItsOwnAddress) {
    Host host({121});
    const Frame answer = host.ask(request(0, 50));
    EXPECT_EQ(answer.address, 121);
    EXPECT_EQ(answer.data, bytes({0xFF}));
}

TEST(Line, SeveralUnitsAnsweringAddressZeroCollide) {
    Host host({101, 121});
    host.send(request(0, 50));
    const QByteArray raw = host.listen(500);
    // One garbled line: the bytes both answers share pass, the others are framing errors.
    EXPECT_EQ(raw.size(), (Frame{101, 50, bytes({0xFF})}).wire().size());
    EXPECT_TRUE(raw.startsWith(':'));
    EXPECT_TRUE(raw.endsWith("\r\n"));
    EXPECT_TRUE(std::any_of(raw.begin(), raw.end(),
                            [](char c) { return static_cast<std::uint8_t>(c) >= 0x80; }));
    FrameReader reader;
    std::optional<ReceivedLine> line;
    for (char c : raw) line = reader.feed(c);
    ASSERT_TRUE(line);
    EXPECT_NE(line->fault, LineFault::None);
}

TEST(Line, CollisionKeepsWhatTheSendersAgreeOn) {
    EXPECT_EQ(Line::collide({":65\r\n", ":79\r\n"}),
              QByteArray(":") + char(0x80 | ('6' & '7')) + char(0x80 | ('5' & '9')) + "\r\n");
    EXPECT_EQ(Line::collide({":AB", ":AB\r\n"}), QByteArray(":AB\r\n"));
}

TEST(Line, AnAddressChangeIsAnsweredFromTheNewAddress) {
    Host host({101, 130});
    const Frame answer = host.ask(request(101, 82, bytes({150})));
    EXPECT_EQ(answer.address, 150);
    EXPECT_EQ(answer.command, 82);
    EXPECT_TRUE(answer.data.isEmpty());
    EXPECT_FALSE(host.exchange(request(101, 50), 1500));
    EXPECT_EQ(host.ask(request(150, 50)).address, 150);
    EXPECT_EQ(host.ask(request(130, 50)).address, 130);
}

TEST(Line, TwoUnitsGivenOneAddressCollideOnIt) {
    Host host({101, 130});
    host.ask(request(130, 51, bytes({0x0F})));
    host.ask(request(130, 82, bytes({101})));
    host.send(request(101, 50));
    const std::vector<ReceivedLine> lines = host.lines(500);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].fault, LineFault::None);
}

TEST(Loader, OffersItselfUntilTheHostAcceptsAndLeavesOnE) {
    Host host({101, 121});
    EXPECT_EQ(host.ask(request(101, 71)).command, 71);
    EXPECT_TRUE(host.site.unit(101).inLoader());
    // "Y" about every 500 ms, and nothing else.
    EXPECT_EQ(host.listen(2100), QByteArray("YYYY"));
    // The loader does not take frames; the other unit still does.
    EXPECT_FALSE(host.exchange(request(101, 50), 400));
    EXPECT_EQ(host.ask(request(121, 50)).address, 121);
    host.sendRaw(QByteArray(1, 0x40));
    host.listen(10);
    EXPECT_EQ(host.site.unit(101).loaderState(), Loader::State::Engaged);
    EXPECT_TRUE(host.listen(3000).isEmpty());
    host.sendRaw("E");
    EXPECT_FALSE(host.site.unit(101).inLoader());
    EXPECT_EQ(host.ask(request(101, 50)).address, 101);
}

TEST(Loader, ELeavesBeforeTheHandShakeToo) {
    Host host({101});
    host.ask(request(101, 71));
    EXPECT_EQ(host.listen(600), QByteArray("Y"));
    host.sendRaw("E");
    EXPECT_TRUE(host.listen(2000).isEmpty());
    EXPECT_EQ(host.ask(request(101, 50)).address, 101);
}

TEST(Faults, DropNextAnswersLosesExactlyThatMany) {
    Host host({101});
    host.site.dropNextAnswers(2);
    EXPECT_FALSE(host.exchange(request(101, 50), 500));
    EXPECT_FALSE(host.exchange(request(101, 50), 500));
    EXPECT_TRUE(host.exchange(request(101, 50), 500));
    EXPECT_EQ(host.site.line().faults().counts().lost, 2);
}

namespace {

struct RunStats {
    int valid = 0;
    int invalid = 0;
    int silent = 0;
    QByteArray trace;  // what the host received, for comparing runs
};

RunStats seededRun(std::uint32_t seed, int requests) {
    Host host({101});
    host.site.line().reseed(seed);
    host.site.line().setFaults(FaultSettings{0.10, 0.05, 0.20, 0.10, 2, 20});
    RunStats s;
    for (int i = 0; i < requests; ++i) {
        host.send(request(101, 87, bytes({i % 233})));
        const QByteArray raw = host.listen(600);
        s.trace += raw;
        FrameReader reader;
        int lines = 0;
        for (char c : raw) {
            if (c == '\0') continue;  // as the configurator's receiver does
            if (auto line = reader.feed(c)) {
                ++lines;
                line->fault == LineFault::None ? ++s.valid : ++s.invalid;
            }
        }
        if (lines == 0) ++s.silent;
    }
    const FaultCounts& c = host.site.line().faults().counts();
    EXPECT_EQ(c.answers, requests);
    EXPECT_EQ(s.silent, c.lost);
    // Noise comes before an answer whose ":" restarts the line, so it costs no answer.
    EXPECT_GE(s.invalid, c.corrupted);
    EXPECT_EQ(s.valid, requests - c.lost - c.corrupted);
    return s;
}

}  // namespace

TEST(Faults, ASeededRunIsReproducibleAndMatchesTheProbabilities) {
    constexpr int kRequests = 2000;
    const RunStats a = seededRun(42, kRequests);
    const RunStats b = seededRun(42, kRequests);
    EXPECT_EQ(a.trace, b.trace);
    EXPECT_NE(a.trace, seededRun(43, kRequests).trace);

    // Rates near the settings: 10 % lost, 5 % of the rest corrupted.
    EXPECT_NEAR(a.silent / double(kRequests), 0.10, 0.02);
    EXPECT_NEAR(a.invalid / double(kRequests - a.silent), 0.05, 0.015);
}

TEST(Faults, NoiseZerosAndDelaysLeaveTheAnswerReadable) {
    Host host({101});
    host.site.line().setFaults(FaultSettings{0, 0, 1.0, 1.0, 100, 0});
    host.send(request(101, 50));
    EXPECT_TRUE(host.lines(100).empty());  // the turnaround delay
    const QByteArray raw = host.listen(200);
    EXPECT_TRUE(raw.contains('\0'));
    const QByteArray wire = Frame({101, 50, bytes({0xFF})}).wire();
    EXPECT_GE(raw.size(), wire.size() + 2);  // noise first, a zero inside
    QByteArray clean = raw.mid(raw.lastIndexOf(':'));
    clean.replace(QByteArray(1, '\0'), QByteArray());
    EXPECT_EQ(clean, wire);
}
