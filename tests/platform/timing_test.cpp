#include "platform/timing/clock.h"
#include "platform/timing/timer.h"
#include "platform/timing/virtual_scheduler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using platform::Timer;
using platform::VirtualScheduler;

namespace {

struct Recorder {
    VirtualScheduler& s;
    std::vector<std::pair<std::string, std::int64_t>> fired;
    auto note(std::string name) {
        return [this, name] { fired.emplace_back(name, s.now()); };
    }
};

}  // namespace

TEST(Timer, FiresEveryIntervalWhileEnabled) {
    VirtualScheduler s;
    Recorder r{s, {}};
    Timer t(s, 100, r.note("t"));
    t.start();
    s.advance(350);
    ASSERT_EQ(r.fired.size(), 3u);
    EXPECT_EQ(r.fired[0].second, 100);
    EXPECT_EQ(r.fired[2].second, 300);
    EXPECT_EQ(s.now(), 350);
}

TEST(Timer, StartingARunningTimerDoesNotRestartIt) {
    VirtualScheduler s;
    Recorder r{s, {}};
    Timer t(s, 100, r.note("t"));
    t.start();
    s.advance(60);
    t.start();
    s.advance(40);
    ASSERT_EQ(r.fired.size(), 1u);
    EXPECT_EQ(r.fired[0].second, 100);
}

TEST(Timer, ChangingTheIntervalOfARunningTimerRestartsIt) {
    VirtualScheduler s;
    Recorder r{s, {}};
    Timer t(s, 100, r.note("t"));
    t.start();
    s.advance(60);
    t.setInterval(100);
    s.advance(60);
    EXPECT_TRUE(r.fired.empty());
    s.advance(40);
    ASSERT_EQ(r.fired.size(), 1u);
    EXPECT_EQ(r.fired[0].second, 160);
}

TEST(Timer, HandlerStoppingItsTimerMakesAOneShot) {
    VirtualScheduler s;
    int ticks = 0;
    Timer t(s, 500);
    t.setHandler([&] {
        t.stop();
        ++ticks;
    });
    t.start();
    s.advance(5000);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(t.enabled());
    EXPECT_EQ(s.armedTimers(), 0u);
}

TEST(Timer, ZeroIntervalNeverFires) {
    VirtualScheduler s;
    int ticks = 0;
    Timer t(s, 0, [&] { ++ticks; });
    t.start();
    s.advance(1000);
    EXPECT_EQ(ticks, 0);
    EXPECT_TRUE(t.enabled());
}

TEST(Timer, TimersDueTogetherFireInTheOrderTheyWereArmed) {
    VirtualScheduler s;
    Recorder r{s, {}};
    Timer b(s, 100, r.note("b"));
    Timer a(s, 100, r.note("a"));
    Timer early(s, 50, r.note("early"));
    b.start();
    a.start();
    early.start();
    s.advance(100);
    ASSERT_EQ(r.fired.size(), 4u);
    EXPECT_EQ(r.fired[0].first, "early");
    EXPECT_EQ(r.fired[1].first, "b");
    EXPECT_EQ(r.fired[2].first, "a");
    EXPECT_EQ(r.fired[3].first, "early");
}

TEST(Timer, SleepMovesTheClockWithoutFiringThenOverdueTimersFire) {
    VirtualScheduler s;
    Recorder r{s, {}};
    Timer t(s, 100, r.note("t"));
    t.start();
    s.sleep(450);
    EXPECT_TRUE(r.fired.empty());
    EXPECT_EQ(s.now(), 450);
    s.advance(0);
    // A window timer that fell due several times while blocked fires once, late.
    ASSERT_EQ(r.fired.size(), 1u);
    EXPECT_EQ(r.fired[0].second, 450);
    s.advance(100);
    EXPECT_EQ(r.fired.size(), 2u);
}

TEST(Timer, HandlerThatSleepsDelaysTheOthers) {
    VirtualScheduler s;
    Recorder r{s, {}};
    Timer slow(s, 100);
    slow.setHandler([&] {
        slow.stop();
        s.sleep(500);
    });
    Timer other(s, 200, r.note("other"));
    slow.start();
    other.start();
    s.advance(300);
    ASSERT_FALSE(r.fired.empty());
    EXPECT_EQ(r.fired[0].second, 600);
}

TEST(Timer, StartedFromAnotherHandlerCountsFromThen) {
    VirtualScheduler s;
    Recorder r{s, {}};
    Timer second(s, 500, r.note("second"));
    Timer first(s, 500);
    first.setHandler([&] {
        first.stop();
        second.start();
    });
    first.start();
    s.advance(999);
    EXPECT_TRUE(r.fired.empty());
    s.advance(1);
    ASSERT_EQ(r.fired.size(), 1u);
    EXPECT_EQ(r.fired[0].second, 1000);
}

TEST(Timer, AdvanceUntilStopsWhenTheConditionHolds) {
    VirtualScheduler s;
    int ticks = 0;
    Timer t(s, 10, [&] { ++ticks; });
    t.start();
    EXPECT_TRUE(s.advanceUntil([&] { return ticks == 3; }, 1000));
    EXPECT_EQ(s.now(), 30);
    EXPECT_FALSE(s.advanceUntil([] { return false; }, 100));
    EXPECT_EQ(s.now(), 130);
}

TEST(SchedulerClock, FollowsVirtualTime) {
    VirtualScheduler s;
    platform::SchedulerClock clock(s, QDateTime(QDate(2013, 12, 9), QTime(14, 5, 33)));
    s.advance(1500);
    EXPECT_EQ(clock.now(), QDateTime(QDate(2013, 12, 9), QTime(14, 5, 34, 500)));
}
