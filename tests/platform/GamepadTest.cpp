#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/GamepadKeys.h"
#include "platform/Keys.h"
#include "platform/SdlGamepads.h"

namespace platform {
namespace {

// "+32" for Space going down, "-39" for Right coming up.
std::string keys(const std::vector<Event>& events) {
    std::string text;
    for (const Event& e : events)
        text += (e.type == Event::Type::KeyDown ? "+" : "-") + std::to_string(e.key) + " ";
    return text;
}

TEST(GamepadKeys, PadsHoldTheKeyboardsKeysTogetherAndLetGoWhenUnplugged) {
    GamepadKeys pads;
    EXPECT_EQ(keys(pads.button(0, PadButton::Lower, true)), "+32 ");
    EXPECT_EQ(keys(pads.button(0, PadButton::Right, true)), "+17 ");
    EXPECT_EQ(keys(pads.button(0, PadButton::Start, true)), "+207 ");
    EXPECT_EQ(keys(pads.button(0, PadButton::Back, true)), "+27 ");
    EXPECT_EQ(keys(pads.button(0, PadButton::DpadUp, true)), "+38 ");
    EXPECT_EQ(keys(pads.button(0, PadButton::DpadDown, true)), "+40 ");
    EXPECT_EQ(keys(pads.button(0, PadButton::Lower, true)), "");  // held already

    // The stick turns past half its travel and lets go below a third; the
    // D-pad holding the same key keeps it down.
    EXPECT_EQ(keys(pads.stickX(0, 16000)), "");
    EXPECT_EQ(keys(pads.stickX(0, 16384)), "+39 ");
    EXPECT_EQ(keys(pads.button(0, PadButton::DpadRight, true)), "");
    EXPECT_EQ(keys(pads.stickX(0, 11000)), "");
    EXPECT_EQ(keys(pads.stickX(0, 0)), "");  // right still held by the D-pad
    EXPECT_EQ(keys(pads.button(0, PadButton::DpadRight, false)), "-39 ");
    EXPECT_EQ(keys(pads.stickX(0, -32768)), "+37 ");

    // A second pad's Space: the key comes up when neither holds it.
    EXPECT_EQ(keys(pads.button(1, PadButton::Lower, true)), "");
    EXPECT_EQ(keys(pads.button(0, PadButton::Lower, false)), "");
    EXPECT_EQ(keys(pads.removed(1)), "-32 ");
    EXPECT_EQ(keys(pads.removed(0)), "-17 -38 -40 -207 -27 -37 ");
    EXPECT_EQ(keys(pads.removed(0)), "");
}

// A virtual pad SDL plugs in: hot-plugging, a press and the unplugging
// reach the game as key events.
TEST(SdlGamepads, AVirtualPadPluggedInFliesAndLetsGoWhenUnplugged) {
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    {
        SdlGamepads gamepads;
        const int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER,
                                                     SDL_CONTROLLER_AXIS_MAX,
                                                     SDL_CONTROLLER_BUTTON_MAX, 0);
        ASSERT_GE(device, 0) << SDL_GetError();
        std::vector<Event> out;
        const auto drain = [&] {
            SDL_GameControllerUpdate();
            SDL_Event raw;
            while (SDL_PollEvent(&raw)) gamepads.handle(raw, out);
        };
        drain();
        SDL_Joystick* joystick = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(device));
        ASSERT_NE(joystick, nullptr) << "the plugged-in pad was not opened";
        SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, 1);
        drain();
        EXPECT_EQ(keys(out), "+32 ");
        SDL_JoystickDetachVirtual(device);
        drain();
        EXPECT_EQ(keys(out), "+32 -32 ");
    }
    SDL_Quit();
}

}  // namespace
}  // namespace platform
