#include "host.h"

#include "simulators/tvr/live_data.h"
#include "simulators/tvr/memory_map.h"

#include <gtest/gtest.h>

using namespace tvrsim;
using namespace tvrsim::test;

namespace {

class Measurements : public ::testing::Test {
protected:
    Host host{{101}};
    Unit& unit = host.site.unit(101);

    QByteArray poll(int channelIndex) {
        return host.ask(request(101, 52, bytes({channelIndex}))).binary();
    }
    void setCalendar(bool on) {
        QByteArray common = unit.memory().mid(memory::kCommonOffset, 32);
        common[0] = on ? '\x04' : '\x00';
        host.ask(request(101, 65, common));
    }
};

int signed16(const QByteArray& b, int i) {
    return static_cast<std::int16_t>(word(b, i));
}

}  // namespace

TEST_F(Measurements, PollingMaskIsSetAndReported) {
    EXPECT_EQ(host.ask(request(101, 50)).data, bytes({0xFF}));
    EXPECT_EQ(host.ask(request(101, 51, bytes({0x04}))).data, bytes({0x04}));
    EXPECT_EQ(host.ask(request(101, 50)).data, bytes({0x04}));
    EXPECT_EQ(host.ask(request(101, 51, bytes({0}))).data, bytes({0}));
}

TEST_F(Measurements, AnswerLengthsFollowStatusAndCalendar) {
    // Frame lengths from address to check byte, without and with the unit's calendar.
    const struct {
        int status;
        int withoutTime;
        int withTime;
    } cases[] = {{0, 63, 66}, {1, 6, 9}, {2, 6, 9}, {3, 63, 66}, {4, 6, 9}, {7, 6, 9}};
    for (const auto& c : cases) {
        unit.setChannelStatus(3, c.status);
        setCalendar(false);
        QByteArray f = poll(2);
        EXPECT_EQ(f.size(), c.withoutTime) << "status " << c.status;
        EXPECT_EQ(f.mid(2, 3), bytes({0, c.status, 2}));
        setCalendar(true);
        f = poll(2);
        EXPECT_EQ(f.size(), c.withTime) << "status " << c.status;
        EXPECT_EQ(f.mid(2, 3), bytes({0, c.status, 2}));
    }
}

TEST_F(Measurements, AChannelOutsideThePollingMaskReportsStatus4) {
    unit.setChannelStatus(1, 0);
    host.ask(request(101, 51, bytes({0x02})));
    EXPECT_EQ(poll(0).mid(2, 3), bytes({0, 4, 0}));
    EXPECT_EQ(poll(1).size(), 63);
    EXPECT_EQ(byteAt(poll(1), 3), 0);
}

TEST_F(Measurements, TheTimeFieldIsTheUnitsClock) {
    setCalendar(true);
    host.ask(request(101, 77, bytes({30, 15, 9, 1, 6, 24, 0, 0})));
    const QByteArray f = poll(0);
    ASSERT_EQ(f.size(), 66);
    EXPECT_EQ(f.mid(62, 3), bytes({30, 15, 9}));
    unit.setChannelStatus(1, 2);
    EXPECT_EQ(poll(0).mid(5, 3), bytes({30, 15, 9}));
}

TEST_F(Measurements, TheSensorAddressComesFromTheChannelConstants) {
    QByteArray constants = unit.memory().mid(memory::constantsOffset(5), 84);
    constants[0] = 17;
    host.ask(request(101, 53, bytes({4}) + constants));
    EXPECT_EQ(byteAt(poll(4), 2), 17);
}

TEST_F(Measurements, ValuesArePlausibleAndMove) {
    const QByteArray first = poll(0).mid(2, 60);
    host.listen(120000);
    const QByteArray later = poll(0).mid(2, 60);
    EXPECT_NE(word(first, 6), word(later, 6)) << "the level should move";

    for (const QByteArray& d : {first, later}) {
        const double level = word(d, 6) / 10.0;
        EXPECT_GT(level, 100);
        EXPECT_LT(level, 1185);  // within the default calibration table
        const double liquidDensity = word(d, 22) / 10.0;
        EXPECT_GT(liquidDensity, 450);
        EXPECT_LT(liquidDensity, 600);
        const double liquidT = signed16(d, 30) / 10.0;
        EXPECT_GT(liquidT, -10);
        EXPECT_LT(liquidT, 30);
        EXPECT_GT(word(d, 8), word(d, 10));  // absolute pressure above relative
        EXPECT_EQ(byteAt(d, 49), 1);         // "Пропан", as the default constants say
        EXPECT_GT(word(d, 58), 0);           // ADC 2
    }
}

TEST(LiveData, EncodesEachValueAtItsOffsetAndScale) {
    Measurement m;
    m.levelMm = 1234.5;
    m.absolutePressureAtm = 8.01;
    m.pressureAtm = 7.01;
    m.volumePercent = 55.5;
    m.volumeM3 = 12.345;
    m.liquidMassT = 6.789;
    m.vapourMassT = 0.321;
    m.liquidDensity = 512.3;
    m.vapourDensity = 16.6;
    m.liquidPermittivity = 1.612;
    m.vapourPermittivity = 1.006;
    m.temperatures = {-10, 11.5, 28, 12, 12.3, 12.6, 12.9};
    m.period = 22469;
    m.adc1 = 3469000;
    m.medium = 6;
    m.cs1 = 150.25;
    m.cs2 = 144.7;
    m.cs3 = 31.2;
    m.adc2 = 18020;
    const QByteArray d = encodeMeasurement(m);
    ASSERT_EQ(d.size(), 60);
    EXPECT_EQ(d.left(6), QByteArray(6, '\0'));
    EXPECT_EQ(word(d, 6), 12345);
    EXPECT_EQ(word(d, 8), 801);
    EXPECT_EQ(word(d, 10), 701);
    EXPECT_EQ(word(d, 12), 555);
    EXPECT_EQ(d.mid(14, 3), bytes({0x00, 0x30, 0x39}));  // 12345
    EXPECT_EQ(d.mid(17, 3), bytes({0x00, 0x1A, 0x85}));  // 6789
    EXPECT_EQ(word(d, 20), 321);
    EXPECT_EQ(word(d, 22), 5123);
    EXPECT_EQ(word(d, 24), 166);
    EXPECT_EQ(word(d, 26), 1612);
    EXPECT_EQ(word(d, 28), 1006);
    EXPECT_EQ(d.mid(30, 2), bytes({0xFF, 0x9C}));  // -10.0
    EXPECT_EQ(signed16(d, 32), 115);
    EXPECT_EQ(signed16(d, 42), 129);
    EXPECT_EQ(word(d, 44), 22469);
    EXPECT_EQ(d.mid(46, 3), bytes({0x34, 0xEE, 0xC8}));  // 3469000
    EXPECT_EQ(byteAt(d, 49), 6);
    EXPECT_EQ(word(d, 50), 15025);
    EXPECT_EQ(word(d, 52), 1447);
    EXPECT_EQ(word(d, 54), 3120);
    EXPECT_EQ(word(d, 56), 0);
    EXPECT_EQ(word(d, 58), 18020);
}

TEST(LiveData, ValuesOutsideAFieldAreKeptAtItsLimits) {
    Measurement m;
    m.levelMm = 7000;  // beyond 6553.5
    m.temperatures[0] = -4000;
    m.volumeM3 = -1;
    const QByteArray d = encodeMeasurement(m);
    EXPECT_EQ(word(d, 6), 0xFFFF);
    EXPECT_EQ(signed16(d, 30), -32768);
    EXPECT_EQ(d.mid(14, 3), bytes({0, 0, 0}));
}

TEST_F(Measurements, TheSensorSearchReportsProgressThenTheSensors) {
    unit.sensors() = {{5, 0, 0x01}, {9, 2, 0x0A}};
    host.send(request(101, 79));
    std::vector<std::pair<std::int64_t, QByteArray>> answers;
    const std::int64_t start = host.site.scheduler().now();
    for (int ms = 0; ms < 4000; ms += 10)
        for (const ReceivedLine& l : host.lines(10))
            answers.emplace_back(host.site.scheduler().now() - start, l.frame.data);
    ASSERT_EQ(answers.size(), 11u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(answers[static_cast<std::size_t>(i)].second, bytes({i * 10}));
        EXPECT_NEAR(static_cast<double>(answers[static_cast<std::size_t>(i)].first), i * 300 + 15,
                    15);
    }
    EXPECT_EQ(answers[10].second, bytes({100, 2, 5, 0, 0x01, 9, 2, 0x0A}));
}

TEST_F(Measurements, TheUnitHearsNothingWhileSearching) {
    auto statusAnswers = [](const std::vector<ReceivedLine>& lines) {
        return std::count_if(lines.begin(), lines.end(),
                             [](const ReceivedLine& l) { return l.frame.command == 50; });
    };
    host.send(request(101, 79));
    host.lines(500);
    host.send(request(101, 50));
    EXPECT_EQ(statusAnswers(host.lines(2800)), 0);  // the search ends at 3000 ms
    host.send(request(101, 50));
    EXPECT_EQ(statusAnswers(host.lines(500)), 1);
}
