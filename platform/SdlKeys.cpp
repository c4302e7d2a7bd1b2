#include "SdlKeys.h"

#include <SDL_keycode.h>

#include "Keys.h"

namespace platform {

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

}  // namespace platform
