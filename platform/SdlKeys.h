#pragma once

#include <cstdint>

namespace platform {

// The game's virtual-key code (see Keys.h) for an SDL key code (SDL_Keycode,
// the layout-dependent key symbol), or -1 for a key the game never looks at.
// Left and right Control (Shift) both become the one Control (Shift) code.
int virtualKeyFromSdl(int32_t sdlKeycode);

}  // namespace platform
