#pragma once

#include <SDL.h>

#include <map>
#include <vector>

#include "platform/Events.h"
#include "platform/GamepadKeys.h"

namespace platform {

// The gamepads SDL knows, opened as they are plugged in (those present at
// start included) and closed as they go; their input becomes key events.
class SdlGamepads {
  public:
    SdlGamepads();
    ~SdlGamepads();
    SdlGamepads(const SdlGamepads&) = delete;
    SdlGamepads& operator=(const SdlGamepads&) = delete;

    // True when `raw` is gamepad business; the key events it makes go to `out`.
    bool handle(const SDL_Event& raw, std::vector<Event>& out);

  private:
    bool started_ = false;
    std::map<SDL_JoystickID, SDL_GameController*> open_;
    GamepadKeys keys_;
};

}  // namespace platform
