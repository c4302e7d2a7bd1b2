#include "platform/EventLoop.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "LoopHarness.h"

namespace {

using platform::BoxButton;
using platform::Event;
using test::LoopHarness;

// Records what reaches the window's content.
struct RecordingClient : platform::WindowClient {
    std::vector<platform::Rect> paints;
    std::vector<std::string> input;
    std::function<void(int)> onKeyDown;

    void paint(core::Bitmap&, const platform::Rect& area) override { paints.push_back(area); }
    void keyDown(int key) override {
        input.push_back("down " + std::to_string(key));
        if (onKeyDown) onKeyDown(key);
    }
    void keyUp(int key) override { input.push_back("up " + std::to_string(key)); }
    void keyChar(char32_t ch) override { input.push_back("char " + std::to_string(ch)); }
    void mouseMove(int, int) override {}
    void mouseDown(int, int) override { input.push_back("mousedown"); }
    void mouseUp(int, int) override {}
    void closeRequested() override { input.push_back("close"); }
};

TEST(Timers, TickEveryPeriodFromTheMomentTheyStart) {
    LoopHarness h;
    std::vector<uint64_t> ticks;
    const auto id = h.loop.createTimer([&] { ticks.push_back(h.now()); });
    h.then([&] { h.loop.startTimer(id, 75); });
    h.wait(230);
    h.run();
    EXPECT_EQ(ticks, (std::vector<uint64_t>{75, 150, 225}));
}

TEST(Timers, ShortPeriodsAreStretchedToTheMinimum) {
    LoopHarness h;
    std::vector<uint64_t> ticks;
    const auto id = h.loop.createTimer([&] { ticks.push_back(h.now()); });
    h.then([&] { h.loop.startTimer(id, 5); });
    h.wait(50);
    h.run();
    EXPECT_EQ(ticks, (std::vector<uint64_t>{16, 32, 48}));
}

TEST(Timers, ALateTickRunsOnceAndKeepsThePhase) {
    LoopHarness h;
    std::vector<uint64_t> ticks;
    const auto id = h.loop.createTimer([&] {
        ticks.push_back(h.now());
        if (ticks.size() == 1)
            h.backend.clock().sleepMs(100);  // a handler far slower than its period
    });
    h.then([&] { h.loop.startTimer(id, 30); });
    h.wait(185);
    h.run();
    // Due at 60, 90 and 120 while the first tick slept: one tick at 130, then
    // back on the 30 ms grid.
    EXPECT_EQ(ticks, (std::vector<uint64_t>{30, 130, 150, 180}));
}

TEST(Timers, DueTimersRunInDueOrderAndTiesInCreationOrder) {
    LoopHarness h;
    std::string order;
    const auto a = h.loop.createTimer([&] { order += 'A'; });
    const auto b = h.loop.createTimer([&] { order += 'B'; });
    const auto c = h.loop.createTimer([&] { order += 'C'; });
    h.then([&] {
        // Started in reverse, so that creation order and not start order decides ties.
        h.loop.startTimer(c, 25);
        h.loop.startTimer(b, 50);
        h.loop.startTimer(a, 50);
    });
    h.wait(100);
    h.run();
    EXPECT_EQ(order, "CABCCABC");
}

TEST(Timers, StoppingInsideTheHandlerStopsAtOnce) {
    LoopHarness h;
    int ticks = 0;
    platform::EventLoop::TimerId id = 0;
    id = h.loop.createTimer([&] {
        ++ticks;
        h.loop.stopTimer(id);
    });
    h.then([&] { h.loop.startTimer(id, 20); });
    h.wait(200);
    h.run();
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(h.loop.timerRunning(id));
}

TEST(Timers, AHandlerMayDestroyItsOwnTimer) {
    LoopHarness h;
    int ticks = 0;
    platform::EventLoop::TimerId id = 0;
    id = h.loop.createTimer([&] {
        ++ticks;
        h.loop.destroyTimer(id);
    });
    h.then([&] { h.loop.startTimer(id, 20); });
    h.wait(100);
    h.run();
    EXPECT_EQ(ticks, 1);
}

TEST(Timers, TheLoopRefusesTimersAboveItsCap) {
    LoopHarness h(2);
    const auto a = h.loop.createTimer([] {});
    const auto b = h.loop.createTimer([] {});
    const auto c = h.loop.createTimer([] {});
    EXPECT_TRUE(h.loop.startTimer(a, 100));
    EXPECT_TRUE(h.loop.startTimer(b, 100));
    EXPECT_FALSE(h.loop.startTimer(c, 100));
    EXPECT_FALSE(h.loop.timerRunning(c));
    EXPECT_TRUE(h.loop.startTimer(a, 50));  // restarting a running timer takes no new slot
    h.loop.stopTimer(b);
    EXPECT_TRUE(h.loop.startTimer(c, 100));
}

TEST(Timers, IdleLoopWithoutTimersEndsWhenTheDriverHasNothingMore) {
    LoopHarness h;
    h.wait(1000);
    h.run();
    EXPECT_EQ(h.now(), 1000u);
}

TEST(ErrorBoxes, AFailingTimerShowsItsTextOnceAndKeepsTicking) {
    LoopHarness h;
    RecordingClient client;
    h.loop.openWindow(client, "Test", "Tarnwick", {646, 585});
    int ticks = 0;
    const auto id = h.loop.createTimer([&] {
        ++ticks;
        throw std::runtime_error("Access violation");
    });
    h.then([&] { h.loop.startTimer(id, 75); });
    h.wait(400);
    std::string seen;
    size_t boxesSeen = 0;
    h.then([&] {
        ASSERT_NE(h.loop.topBox(), nullptr);
        seen = h.loop.topBox()->text();
        boxesSeen = 1;
    });
    h.clickBox(BoxButton::Ok);
    h.then([&] { EXPECT_EQ(h.loop.topBox(), nullptr); });
    h.wait(75);
    h.then([&] {
        // The next failure opens the box again.
        ASSERT_NE(h.loop.topBox(), nullptr);
        EXPECT_EQ(h.loop.topBox()->text(), "Access violation");
    });
    h.run();
    EXPECT_EQ(seen, "Access violation");
    EXPECT_EQ(boxesSeen, 1u);
    EXPECT_EQ(ticks, 6);
    EXPECT_TRUE(h.loop.timerRunning(id));
}

TEST(ErrorBoxes, MessagesQueueInOrderWithoutDuplicates) {
    LoopHarness h;
    RecordingClient client;
    h.loop.queueMessage("first");  // before the window exists: shown once it is up
    h.loop.openWindow(client, "Test", "Tarnwick", {646, 585});
    h.loop.queueMessage("second");
    h.loop.queueMessage("first");
    h.loop.queueMessage("second");
    std::vector<std::string> shown;
    auto record = [&] { shown.push_back(h.loop.topBox() ? h.loop.topBox()->text() : "(none)"); };
    h.then(record);
    h.clickBox(BoxButton::Ok);
    h.then(record);
    h.clickBox(BoxButton::Ok);
    h.then(record);
    h.run();
    EXPECT_EQ(shown, (std::vector<std::string>{"first", "second", "(none)"}));
}

TEST(ErrorBoxes, TheBoxTakesKeysButLetsReleasesThrough) {
    LoopHarness h;
    RecordingClient client;
    h.loop.openWindow(client, "Test", "Tarnwick", {646, 585});
    h.loop.queueMessage("Level_hs.jpg is missing");
    h.input(Event{.type = Event::Type::KeyDown, .key = 'A'});
    h.input(Event{.type = Event::Type::Char, .ch = U'a'});
    h.input(Event{.type = Event::Type::KeyUp, .key = 'A'});
    h.input(Event{.type = Event::Type::KeyDown, .key = platform::vk::Return, .repeat = true});
    h.then(
        [&] { EXPECT_NE(h.loop.topBox(), nullptr) << "a repeated key must not answer the box"; });
    h.input(Event{.type = Event::Type::KeyDown, .key = platform::vk::Return});
    h.then([&] { EXPECT_EQ(h.loop.topBox(), nullptr); });
    h.input(Event{.type = Event::Type::KeyDown, .key = 'B'});
    h.run();
    EXPECT_EQ(client.input, (std::vector<std::string>{"up 65", "down 66"}));
    EXPECT_TRUE(h.loop.keys().held('B'));
    EXPECT_FALSE(h.loop.keys().held('A'));
}

TEST(Question, RunsANestedLoopInWhichTimersKeepFiring) {
    LoopHarness h;
    RecordingClient client;
    h.loop.openWindow(client, "Test", "Tarnwick", {646, 585});
    int ticks = 0;
    const auto id = h.loop.createTimer([&] { ++ticks; });
    std::optional<BoxButton> answer;
    int ticksWhenAsked = -1;
    client.onKeyDown = [&](int) {
        ticksWhenAsked = ticks;
        answer = h.loop.askYesNo("Abandon current game ?", "Quit game");
    };
    h.then([&] { h.loop.startTimer(id, 75); });
    h.input(Event{.type = Event::Type::KeyDown, .key = platform::vk::Escape});
    h.then([&] {
        ASSERT_NE(h.loop.topBox(), nullptr);
        EXPECT_EQ(h.loop.topBox()->text(), "Abandon current game ?");
        EXPECT_EQ(h.loop.topBox()->caption(), "Quit game");
    });
    h.wait(300);
    h.clickBox(BoxButton::Yes);
    h.run();
    EXPECT_EQ(ticksWhenAsked, 0);
    EXPECT_EQ(ticks, 4);
    EXPECT_EQ(answer, BoxButton::Yes);
}

TEST(Question, EndingTheProgramAnswersNo) {
    LoopHarness h;
    RecordingClient client;
    h.loop.openWindow(client, "Test", "Tarnwick", {646, 585});
    std::optional<BoxButton> answer;
    client.onKeyDown = [&](int) {
        answer = h.loop.askYesNo("Abandon current game ?", "Quit game");
    };
    h.input(Event{.type = Event::Type::KeyDown, .key = platform::vk::Escape});
    h.run();
    EXPECT_EQ(answer, BoxButton::No);
}

TEST(Repaint, OncePerEventCoveringEverythingInvalidated) {
    LoopHarness h;
    RecordingClient client;
    h.loop.openWindow(client, "Test", "Tarnwick", {646, 585});
    ASSERT_EQ(client.paints.size(), 1u);  // the first paint of the new window
    client.onKeyDown = [&](int) {
        h.loop.invalidate(platform::Rect{10, 10, 20, 20});
        h.loop.invalidate(platform::Rect{100, 50, 110, 60});
    };
    h.input(Event{.type = Event::Type::KeyDown, .key = 'X'});
    h.wait(500);  // nothing invalidated: nothing painted
    h.input(Event{.type = Event::Type::KeyDown, .key = 'Y'});
    h.run();
    ASSERT_EQ(client.paints.size(), 3u);
    EXPECT_EQ(client.paints[1], (platform::Rect{10, 10, 110, 60}));
    EXPECT_EQ(client.paints[2], (platform::Rect{10, 10, 110, 60}));
}

TEST(Repaint, AnErrorInPaintBecomesABoxNotACrash) {
    LoopHarness h;
    struct FailingClient : RecordingClient {
        void paint(core::Bitmap&, const platform::Rect&) override {
            throw std::runtime_error("paint failed");
        }
    } client;
    h.loop.openWindow(client, "Test", "Tarnwick", {646, 585});
    ASSERT_NE(h.loop.topBox(), nullptr);
    EXPECT_EQ(h.loop.topBox()->text(), "paint failed");
}

TEST(Events, CloseReachesTheWindowAndCallsRunOnTheLoop) {
    LoopHarness h;
    RecordingClient client;
    h.loop.openWindow(client, "Test", "Tarnwick", {646, 585});
    bool called = false;
    h.input(Event{.type = Event::Type::Call, .call = [&] { called = true; }});
    h.input(Event{.type = Event::Type::Close});
    h.run();
    EXPECT_TRUE(called);
    EXPECT_EQ(client.input, (std::vector<std::string>{"close"}));
}

// The steps the loop reports, and the times the handlers read, in one list.
struct StepLog : platform::Recorder {
    std::vector<std::string> entries;
    void tick(uint64_t atMs, uint32_t periodMs) override {
        entries.push_back("tick " + std::to_string(atMs) + "/" + std::to_string(periodMs));
    }
    void input(uint64_t atMs, const Event& event) override {
        // The harness's own steps (calls, the final quit) are no player's input.
        if (event.type == Event::Type::KeyDown) entries.push_back("input " + std::to_string(atMs));
    }
};

TEST(Recording, EveryStepIsReportedWithTheOneTimeItsHandlerSees) {
    LoopHarness h;
    StepLog log;
    h.loop.setRecorder(&log);
    const auto id = h.loop.createTimer([&] {
        log.entries.push_back("sees " + std::to_string(h.loop.clock().nowMs()));
        h.backend.clock().sleepMs(7);  // time passes while the step runs
        log.entries.push_back("sees " + std::to_string(h.loop.clock().nowMs()));
    });
    h.then([&] { h.loop.startTimer(id, 30); });
    h.wait(70);
    h.input(Event{.type = Event::Type::KeyDown, .key = platform::vk::Space});
    h.run();
    EXPECT_EQ(log.entries,
              (std::vector<std::string>{"tick 30/30", "sees 30", "sees 30", "tick 60/30", "sees 60",
                                        "sees 60", "input 70"}));
}

TEST(Replay, EachGrantedTickRunsOneTimerAtTheGrantedTimeAndInputMayComeBetween) {
    LoopHarness h;
    StepLog log;
    h.loop.setRecorder(&log);
    const auto a = h.loop.createTimer([] {});
    const auto b = h.loop.createTimer([] {});
    h.then([&] {
        h.loop.startTimer(a, 50);
        h.loop.startTimer(b, 40);
    });
    // Both are due by 53, the real game ran only the first then and the
    // second after an input.
    h.steps.push_back([&] { h.backend.grantTick(53); });
    h.steps.push_back([&] {
        h.backend.jumpTo(55);
        h.backend.queue(Event{.type = Event::Type::KeyDown, .key = platform::vk::Space});
    });
    h.steps.push_back([&] { h.backend.grantTick(58); });
    h.run();
    EXPECT_EQ(log.entries, (std::vector<std::string>{"tick 53/40", "input 55", "tick 58/50"}));
}

}  // namespace
