#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/KeyNames.h"
#include "platform/Keys.h"
#include "platform/SdlBackend.h"
#include "platform/SdlKeys.h"

namespace platform {
namespace {

TEST(SdlKeys, PlayAndEditingKeysBecomeTheGamesCodes) {
    EXPECT_EQ(virtualKeyFromSdl(SDLK_SPACE), vk::Space);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_LEFT), vk::Left);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_UP), vk::Up);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_RIGHT), vk::Right);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_DOWN), vk::Down);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_HOME), vk::Home);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_END), vk::End);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_ESCAPE), vk::Escape);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_RETURN), vk::Return);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_KP_ENTER), vk::Return);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_TAB), vk::Tab);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_BACKSPACE), vk::Back);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_DELETE), vk::Delete);
}

TEST(SdlKeys, BothControlAndBothShiftKeysAreOneKeyEach) {
    EXPECT_EQ(virtualKeyFromSdl(SDLK_LCTRL), vk::Control);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_RCTRL), vk::Control);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_LSHIFT), vk::Shift);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_RSHIFT), vk::Shift);
}

TEST(SdlKeys, LettersAndDigitsUseUpperCaseAscii) {
    EXPECT_EQ(virtualKeyFromSdl(SDLK_a), 'A');
    EXPECT_EQ(virtualKeyFromSdl(SDLK_p), 'P');
    EXPECT_EQ(virtualKeyFromSdl(SDLK_z), 'Z');
    EXPECT_EQ(virtualKeyFromSdl(SDLK_0), '0');
    EXPECT_EQ(virtualKeyFromSdl(SDLK_9), '9');
}

TEST(SdlKeys, KeysTheGameDoesNotPlayWithHaveWindowsCodesForTheirRelease) {
    const SDL_Keycode ignored[] = {SDLK_F1,     SDLK_LALT,  SDLK_CAPSLOCK, SDLK_KP_5,
                                   SDLK_PAGEUP, SDLK_COMMA, SDLK_a - 1,    SDLK_z + 1};
    for (SDL_Keycode key : ignored) EXPECT_EQ(virtualKeyFromSdl(key), -1) << "SDL key " << key;
    const std::pair<SDL_Keycode, int> released[] = {
        {SDLK_F1, 0x70},     {SDLK_F11, 0x7A},      {SDLK_F12, 0x7B},       {SDLK_F13, 0x7C},
        {SDLK_F24, 0x87},    {SDLK_KP_0, 0x60},     {SDLK_KP_1, 0x61},      {SDLK_KP_9, 0x69},
        {SDLK_LALT, 0x12},   {SDLK_RALT, 0x12},     {SDLK_INSERT, 0x2D},    {SDLK_PAGEDOWN, 0x22},
        {SDLK_COMMA, 0xBC},  {SDLK_QUOTE, 0xDE},    {SDLK_SPACE, vk::Space}, {SDLK_p, 'P'}};
    for (const auto& [sdl, code] : released) EXPECT_EQ(releasedKeyFromSdl(sdl), code) << sdl;
    EXPECT_EQ(releasedKeyFromSdl(SDLK_UNKNOWN), -1);
}

std::string describe(const Event& e) {
    switch (e.type) {
        case Event::Type::KeyDown:
            return "down " + keyName(e.key);
        case Event::Type::KeyUp:
            return "up " + keyName(e.key);
        case Event::Type::Char:
            return "char " + std::to_string(static_cast<uint32_t>(e.ch));
        case Event::Type::MouseDown:
            return "mousedown";
        case Event::Type::MouseUp:
            return "mouseup";
        case Event::Type::Close:
            return "close";
        default:
            return "other";
    }
}

// Events as SDL hands them to the real back-end (no window is needed for
// that). Every key's release arrives, F11's included; and a handler that held
// the window leaves behind only the releases and the close made meanwhile.
TEST(SdlBackend, EveryReleaseArrivesAndAHoldDropsOnlyThePressesMadeDuringIt) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SdlBackend backend;
    const auto push = [](uint32_t type, SDL_Keycode key = 0) {
        SDL_Event raw{};
        raw.type = type;
        if (type == SDL_KEYDOWN || type == SDL_KEYUP) raw.key.keysym.sym = key;
        if (type == SDL_TEXTINPUT) SDL_strlcpy(raw.text.text, "x", sizeof raw.text.text);
        if (type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP)
            raw.button.button = SDL_BUTTON_LEFT;
        if (type == SDL_WINDOWEVENT) raw.window.event = SDL_WINDOWEVENT_CLOSE;
        SDL_PushEvent(&raw);
    };
    const auto take = [&backend] {
        std::string taken;
        while (const std::optional<Event> e = backend.waitEvent(0)) taken += describe(*e) + ", ";
        return taken;
    };
    push(SDL_KEYDOWN, SDLK_F1);
    push(SDL_KEYUP, SDLK_F1);
    push(SDL_KEYUP, SDLK_F11);
    push(SDL_KEYUP, SDLK_KP_5);
    EXPECT_EQ(take(), "up vk112, up vk122, up vk101, ");

    push(SDL_KEYDOWN, SDLK_a);  // before the hold: kept
    SDL_Delay(5);
    const uint64_t holdBegan = backend.inputMoment();
    push(SDL_KEYDOWN, SDLK_SPACE);
    push(SDL_TEXTINPUT);
    push(SDL_MOUSEBUTTONDOWN);
    push(SDL_KEYUP, SDLK_SPACE);
    push(SDL_MOUSEBUTTONUP);
    push(SDL_WINDOWEVENT);
    backend.dropInputSince(holdBegan);
    EXPECT_EQ(take(), "down a, up space, mouseup, close, ");
}

// Recordings and scripts name keys; every code the key table holds must
// survive the way there and back.
TEST(KeyNames, EveryKeyCodeHasANameThatReadsBackAsIt) {
    for (int key = 0; key < 256; ++key) EXPECT_EQ(keyFromName(keyName(key)), key) << keyName(key);
    EXPECT_EQ(keyName(vk::Control), "ctrl");
    EXPECT_EQ(keyName('P'), "p");
    EXPECT_EQ(keyName(112), "vk112");
    EXPECT_EQ(keyFromName("vk256"), std::nullopt);
    EXPECT_EQ(keyFromName("Space"), std::nullopt);
}

}  // namespace
}  // namespace platform
