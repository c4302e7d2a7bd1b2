#include "SdlKeys.h"

#include <SDL_keycode.h>

#include <utility>

#include "Keys.h"

namespace platform {
namespace {

// Windows' codes of the keys the game has no use for but their release.
constexpr std::pair<SDL_Keycode, int> kOtherKeys[] = {
    {SDLK_LALT, 0x12},         {SDLK_RALT, 0x12},         {SDLK_PAUSE, 0x13},
    {SDLK_CAPSLOCK, 0x14},     {SDLK_PAGEUP, 0x21},       {SDLK_PAGEDOWN, 0x22},
    {SDLK_PRINTSCREEN, 0x2C},  {SDLK_INSERT, 0x2D},       {SDLK_LGUI, 0x5B},
    {SDLK_RGUI, 0x5C},         {SDLK_APPLICATION, 0x5D},  {SDLK_KP_MULTIPLY, 0x6A},
    {SDLK_KP_PLUS, 0x6B},      {SDLK_KP_MINUS, 0x6D},     {SDLK_KP_PERIOD, 0x6E},
    {SDLK_KP_DIVIDE, 0x6F},    {SDLK_NUMLOCKCLEAR, 0x90}, {SDLK_SCROLLLOCK, 0x91},
    {SDLK_SEMICOLON, 0xBA},    {SDLK_EQUALS, 0xBB},       {SDLK_COMMA, 0xBC},
    {SDLK_MINUS, 0xBD},        {SDLK_PERIOD, 0xBE},       {SDLK_SLASH, 0xBF},
    {SDLK_BACKQUOTE, 0xC0},    {SDLK_LEFTBRACKET, 0xDB},  {SDLK_BACKSLASH, 0xDC},
    {SDLK_RIGHTBRACKET, 0xDD}, {SDLK_QUOTE, 0xDE},        {SDLK_LESS, 0xE2},
};

}  // namespace

int virtualKeyFromSdl(int32_t sdlKeycode) {
    // SDL names letters by their lower-case character; the game by the upper-case one.
    if (sdlKeycode >= SDLK_a && sdlKeycode <= SDLK_z) return 'A' + (sdlKeycode - SDLK_a);
    if (sdlKeycode >= SDLK_0 && sdlKeycode <= SDLK_9) return '0' + (sdlKeycode - SDLK_0);
    switch (sdlKeycode) {
        case SDLK_SPACE:
            return vk::Space;
        case SDLK_LEFT:
            return vk::Left;
        case SDLK_UP:
            return vk::Up;
        case SDLK_RIGHT:
            return vk::Right;
        case SDLK_DOWN:
            return vk::Down;
        case SDLK_HOME:
            return vk::Home;
        case SDLK_END:
            return vk::End;
        case SDLK_ESCAPE:
            return vk::Escape;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return vk::Return;
        case SDLK_TAB:
            return vk::Tab;
        case SDLK_BACKSPACE:
            return vk::Back;
        case SDLK_DELETE:
            return vk::Delete;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return vk::Control;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return vk::Shift;
        default:
            return -1;
    }
}

int releasedKeyFromSdl(int32_t sdlKeycode) {
    if (const int key = virtualKeyFromSdl(sdlKeycode); key >= 0) return key;
    // F1 to F12 and F13 to F24 are two runs in SDL, one in Windows.
    if (sdlKeycode >= SDLK_F1 && sdlKeycode <= SDLK_F12) return 0x70 + (sdlKeycode - SDLK_F1);
    if (sdlKeycode >= SDLK_F13 && sdlKeycode <= SDLK_F24) return 0x7C + (sdlKeycode - SDLK_F13);
    if (sdlKeycode == SDLK_KP_0) return 0x60;
    if (sdlKeycode >= SDLK_KP_1 && sdlKeycode <= SDLK_KP_9) return 0x61 + (sdlKeycode - SDLK_KP_1);
    for (const auto& [sdl, code] : kOtherKeys)
        if (sdl == sdlKeycode) return code;
    return -1;
}

}  // namespace platform
