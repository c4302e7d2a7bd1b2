#include <SDL_keycode.h>
#include <gtest/gtest.h>

#include "platform/KeyNames.h"
#include "platform/Keys.h"
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

TEST(SdlKeys, KeysTheGameIgnoresHaveNoCode) {
    const SDL_Keycode ignored[] = {SDLK_F1,    SDLK_LALT,   SDLK_RALT,    SDLK_CAPSLOCK,
                                   SDLK_KP_5,  SDLK_PAGEUP, SDLK_UNKNOWN, SDLK_EXCLAIM,
                                   SDLK_a - 1, SDLK_z + 1};
    for (SDL_Keycode key : ignored) EXPECT_EQ(virtualKeyFromSdl(key), -1) << "SDL key " << key;
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
