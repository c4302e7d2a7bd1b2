#include "platform/GamepadKeys.h"

#include "platform/Keys.h"

namespace platform {
namespace {

// The stick turns the ship past half its travel and lets go again below
// a third, so a thumb resting near the edge does not chatter the key.
constexpr int kStickPress = 16384;
constexpr int kStickRelease = 10923;

// Stick sides are told apart from buttons in a source.
constexpr int kStickLeft = 100;
constexpr int kStickRight = 101;

int keyFor(PadButton which) {
    switch (which) {
        case PadButton::Lower:
            return vk::Space;
        case PadButton::Right:
            return vk::Control;
        case PadButton::DpadUp:
            return vk::Up;
        case PadButton::DpadDown:
            return vk::Down;
        case PadButton::DpadLeft:
            return vk::Left;
        case PadButton::DpadRight:
            return vk::Right;
        case PadButton::Start:
            return vk::GamepadStart;
        case PadButton::Back:
            return vk::Escape;
    }
    return vk::Space;
}

Event keyEvent(int key, bool down) {
    Event event;
    event.type = down ? Event::Type::KeyDown : Event::Type::KeyUp;
    event.key = key;
    return event;
}

}  // namespace

void GamepadKeys::hold(const Source& source, int key, bool down, std::vector<Event>& out) {
    const bool holding = held_.count(source) != 0;
    if (down == holding) return;
    if (down) {
        held_[source] = key;
        if (holders_[key]++ == 0) out.push_back(keyEvent(key, true));
    } else {
        held_.erase(source);
        if (--holders_[key] == 0) {
            holders_.erase(key);
            out.push_back(keyEvent(key, false));
        }
    }
}

std::vector<Event> GamepadKeys::button(int pad, PadButton which, bool down) {
    std::vector<Event> out;
    hold({pad, static_cast<int>(which)}, keyFor(which), down, out);
    return out;
}

std::vector<Event> GamepadKeys::stickX(int pad, int value) {
    std::vector<Event> out;
    const Source left{pad, kStickLeft};
    const Source right{pad, kStickRight};
    const bool leftHeld = held_.count(left) != 0;
    const bool rightHeld = held_.count(right) != 0;
    hold(left, vk::Left, leftHeld ? value < -kStickRelease : value <= -kStickPress, out);
    hold(right, vk::Right, rightHeld ? value > kStickRelease : value >= kStickPress, out);
    return out;
}

std::vector<Event> GamepadKeys::removed(int pad) {
    std::vector<Event> out;
    std::vector<std::pair<Source, int>> released;
    for (const auto& [source, key] : held_)
        if (source.first == pad) released.emplace_back(source, key);
    for (const auto& [source, key] : released) hold(source, key, false, out);
    return out;
}

}  // namespace platform
