#pragma once

#include <functional>
#include <vector>

#include "platform/EventLoop.h"
#include "platform/Headless.h"

namespace test {

// A headless loop driven by a list of steps: whenever the loop would wait
// beyond the time allowed so far, the next step runs (it queues input or lets
// time pass); when the steps run out, the loop ends.
struct LoopHarness {
    platform::HeadlessBackend backend;
    platform::EventLoop loop;
    std::vector<std::function<void()>> steps;
    size_t nextStep = 0;

    explicit LoopHarness(size_t timerCap = platform::EventLoop::kDefaultRunningTimerCap)
        : loop(backend, timerCap) {
        backend.setDriver([this](platform::HeadlessBackend&) {
            if (nextStep < steps.size())
                steps[nextStep++]();
            else
                backend.queue(platform::Event{.type = platform::Event::Type::Quit});
        });
    }

    uint64_t now() { return backend.clock().nowMs(); }
    void wait(uint64_t ms) {
        steps.push_back([this, ms] { backend.advanceBy(ms); });
    }
    void then(std::function<void()> step) {
        steps.push_back([this, step = std::move(step)] {
            step();
            // A step that only looks still lets the loop go on.
            backend.queue(platform::Event{.type = platform::Event::Type::Call, .call = [] {}});
        });
    }
    void input(platform::Event event) {
        steps.push_back([this, event] { backend.queue(event); });
    }
    // Presses and releases the given button of the box on top with the mouse.
    void clickBox(platform::BoxButton button) {
        steps.push_back([this, button] {
            const platform::MessageBox* box = loop.topBox();
            if (!box) return backend.queue(platform::Event{.type = platform::Event::Type::Quit});
            const platform::Rect r = *box->buttonRect(button);
            const int x = r.left + 2;
            const int y = r.top + 2;
            backend.queue(
                platform::Event{.type = platform::Event::Type::MouseDown, .x = x, .y = y});
            backend.queue(platform::Event{.type = platform::Event::Type::MouseUp, .x = x, .y = y});
        });
    }
    void run() { loop.run(); }
};

}  // namespace test
