#pragma once

#include <cstdint>

namespace platform {

// The game's virtual-key code (see Keys.h) for an SDL key code (SDL_Keycode,
// the layout-dependent key symbol), or -1 for a key the game never looks at.
// Left and right Control (Shift) both become the one Control (Shift) code.
int virtualKeyFromSdl(int32_t sdlKeycode);

// The Windows virtual-key code of any key a keyboard has (F-keys, Alt,
// Insert, the page keys, the keypad, punctuation, and the keys above), or -1
// for a key without one. The game takes only the release of the keys it does
// not play with: every release stops the engine.
int releasedKeyFromSdl(int32_t sdlKeycode);

}  // namespace platform
