#include "platform/SdlGamepads.h"

#include <optional>

namespace platform {
namespace {

std::optional<PadButton> padButton(uint8_t button) {
    switch (button) {
        case SDL_CONTROLLER_BUTTON_A:
            return PadButton::Lower;
        case SDL_CONTROLLER_BUTTON_B:
            return PadButton::Right;
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
            return PadButton::DpadUp;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            return PadButton::DpadDown;
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            return PadButton::DpadLeft;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            return PadButton::DpadRight;
        case SDL_CONTROLLER_BUTTON_START:
            return PadButton::Start;
        case SDL_CONTROLLER_BUTTON_BACK:
            return PadButton::Back;
        default:
            return std::nullopt;
    }
}

void append(std::vector<Event>& out, std::vector<Event> events) {
    out.insert(out.end(), events.begin(), events.end());
}

}  // namespace

// A machine without gamepad support still plays by keyboard.
SdlGamepads::SdlGamepads() : started_(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0) {}

SdlGamepads::~SdlGamepads() {
    for (const auto& [id, pad] : open_) SDL_GameControllerClose(pad);
    if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool SdlGamepads::handle(const SDL_Event& raw, std::vector<Event>& out) {
    switch (raw.type) {
        case SDL_CONTROLLERDEVICEADDED:
            // `which` is a device index here; every later event names the
            // pad by its instance id.
            if (SDL_GameController* pad = SDL_GameControllerOpen(raw.cdevice.which))
                open_.emplace(SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)), pad);
            return true;
        case SDL_CONTROLLERDEVICEREMOVED:
            if (auto it = open_.find(raw.cdevice.which); it != open_.end()) {
                SDL_GameControllerClose(it->second);
                open_.erase(it);
            }
            append(out, keys_.removed(raw.cdevice.which));
            return true;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            if (const std::optional<PadButton> button = padButton(raw.cbutton.button))
                append(out, keys_.button(raw.cbutton.which, *button,
                                         raw.type == SDL_CONTROLLERBUTTONDOWN));
            return true;
        case SDL_CONTROLLERAXISMOTION:
            if (raw.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX)
                append(out, keys_.stickX(raw.caxis.which, raw.caxis.value));
            return true;
        default:
            return false;
    }
}

}  // namespace platform
