#include "RecordedSteps.h"

#include <string>

namespace sim {
namespace {

using platform::Event;

// A time in the recording: milliseconds since the program started, never
// before the present step.
uint64_t stepTime(const Command& c, platform::HeadlessBackend& backend) {
    const auto ms = parseWithin<int64_t>(c, c.args[0], 0);
    const uint64_t now = backend.clock().nowMs();
    if (static_cast<uint64_t>(ms) < now)
        throw ScriptError(c.line, c.word + " " + c.args[0] + " lies before the present time " +
                                      std::to_string(now));
    return static_cast<uint64_t>(ms);
}

Event pointerEvent(const Command& c, Event::Type type) {
    expectArgs(c, 2);
    // Outside the window is where the pointer goes when it leaves it.
    return Event{.type = type,
                 .x = parseWithin<int>(c, c.args[0], -1, 1 << 16),
                 .y = parseWithin<int>(c, c.args[1], -1, 1 << 16)};
}

// The game must be where the real one was: a timer with this period due by
// then. Anything else means the game has changed since the recording.
void grantTick(const Command& c, platform::HeadlessBackend& backend,
               const platform::EventLoop& loop) {
    expectArgs(c, 2);
    const uint64_t ms = stepTime(c, backend);
    const auto period = parseWithin<uint32_t>(c, c.args[1], 1);
    const std::optional<uint32_t> due = loop.duePeriod(ms);
    if (due != period)
        throw ScriptError(c.line, "out of step with the recording: " +
                                      (due ? "the timer due at " + c.args[0] + " ms ticks every " +
                                                 std::to_string(*due) + " ms"
                                           : "no timer is due at " + c.args[0] + " ms"));
    backend.grantTick(ms);
}

}  // namespace

bool ExecuteRecordedStep(const Command& c, platform::HeadlessBackend& backend,
                         const platform::EventLoop& loop) {
    const std::string& w = c.word;
    if (w == "tick") {
        grantTick(c, backend, loop);
    } else if (w == "at") {
        expectArgs(c, 1);
        backend.jumpTo(stepTime(c, backend));
    } else if (w == "keydown") {
        if (c.args.size() == 2 && c.args[1] != "repeat")
            throw ScriptError(c.line, "keydown takes a key and optionally repeat");
        if (c.args.size() != 2) expectArgs(c, 1);
        backend.queue(Event{.type = Event::Type::KeyDown,
                            .key = parseKey(c, c.args[0]),
                            .repeat = c.args.size() == 2});
    } else if (w == "keyup") {
        expectArgs(c, 1);
        backend.queue(Event{.type = Event::Type::KeyUp, .key = parseKey(c, c.args[0])});
    } else if (w == "char") {
        expectArgs(c, 1);
        const auto ch = parseWithin<uint32_t>(c, c.args[0], 1, 0x10FFFF);
        backend.queue(Event{.type = Event::Type::Char, .ch = static_cast<char32_t>(ch)});
    } else if (w == "mousemove") {
        backend.queue(pointerEvent(c, Event::Type::MouseMove));
    } else if (w == "mousedown") {
        backend.queue(pointerEvent(c, Event::Type::MouseDown));
    } else if (w == "mouseup") {
        backend.queue(pointerEvent(c, Event::Type::MouseUp));
    } else if (w == "musicended") {
        expectArgs(c, 0);
        backend.queue(Event{.type = Event::Type::MusicEnded});
    } else {
        return false;
    }
    return true;
}

}  // namespace sim
