#include "dib/cDIBTimer.h"

#include <gtest/gtest.h>

#include <vector>

#include "../platform/LoopHarness.h"

namespace {

using dib::TDIBTimer;
using test::LoopHarness;

struct TimerFixture : ::testing::Test {
    LoopHarness h;
    std::vector<uint64_t> ticks;
    TDIBTimer::Handler record = [this](TDIBTimer&) { ticks.push_back(h.now()); };
};

TEST_F(TimerFixture, StartsStoppedWithOneSecondInterval) {
    TDIBTimer timer(h.loop);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_FALSE(timer.Running());
}

TEST_F(TimerFixture, RunsOnlyWithHandlerIntervalAndEnabled) {
    TDIBTimer timer(h.loop);
    timer.SetInterval(0);
    timer.SetEnabled(true);
    EXPECT_FALSE(timer.Running());  // no interval, no handler
    timer.SetOnTimer(record);
    EXPECT_FALSE(timer.Running());  // still no interval
    h.then([&] { timer.SetInterval(100); });
    h.wait(250);
    h.run();
    EXPECT_TRUE(timer.Running());
    EXPECT_EQ(ticks, (std::vector<uint64_t>{100, 200}));
}

TEST_F(TimerFixture, SameIntervalKeepsThePeriodANewOneRestartsIt) {
    TDIBTimer timer(h.loop);
    timer.SetOnTimer(record);
    timer.SetInterval(100);
    timer.SetEnabled(true);
    h.wait(50);
    h.then([&] { timer.SetInterval(100); });  // unchanged: still due at 100
    h.wait(100);                              // t = 150
    h.then([&] { timer.SetInterval(80); });   // changed: next tick at 230
    h.wait(100);                              // t = 250
    h.then([&] {
        timer.SetEnabled(false);
        timer.SetEnabled(true);  // re-enabled: counting afresh from 250
    });
    h.wait(100);
    h.run();
    EXPECT_EQ(ticks, (std::vector<uint64_t>{100, 230, 330}));
}

TEST_F(TimerFixture, IntervalReadsBackWhatWasSetWhileTheLoopUsesTheMinimum) {
    TDIBTimer timer(h.loop);
    timer.SetOnTimer(record);
    timer.SetInterval(5);
    timer.SetEnabled(true);
    h.wait(40);
    h.run();
    EXPECT_EQ(timer.Interval(), 5u);
    EXPECT_EQ(ticks, (std::vector<uint64_t>{16, 32}));
}

TEST_F(TimerFixture, DisablingInsideTheHandlerStopsFurtherTicks) {
    TDIBTimer timer(h.loop);
    timer.SetOnTimer([&](TDIBTimer& sender) {
        ticks.push_back(h.now());
        sender.SetEnabled(false);
    });
    timer.SetInterval(75);
    timer.SetEnabled(true);
    h.wait(500);
    h.run();
    EXPECT_EQ(ticks, (std::vector<uint64_t>{75}));
}

TEST(DIBTimerFailure, RefusedTimerRaisesAndStaysDisabled) {
    LoopHarness h(1);
    TDIBTimer first(h.loop);
    TDIBTimer second(h.loop);
    first.SetOnTimer([](TDIBTimer&) {});
    second.SetOnTimer([](TDIBTimer&) {});
    first.SetEnabled(true);
    try {
        second.SetEnabled(true);
        FAIL() << "expected EOutOfResources";
    } catch (const dib::EOutOfResources& error) {
        EXPECT_STREQ(error.what(), "Not enough timers available");
    }
    EXPECT_FALSE(second.Enabled());
    EXPECT_FALSE(second.Running());
    first.SetEnabled(false);
    second.SetEnabled(true);  // a slot is free again
    EXPECT_TRUE(second.Running());
}

TEST(DIBTimerLifetime, DestroyingAnEnabledTimerStopsIt) {
    LoopHarness h;
    int ticks = 0;
    {
        TDIBTimer timer(h.loop);
        timer.SetOnTimer([&](TDIBTimer&) { ++ticks; });
        timer.SetInterval(20);
        timer.SetEnabled(true);
    }
    h.wait(100);
    h.run();
    EXPECT_EQ(ticks, 0);
}

}  // namespace
