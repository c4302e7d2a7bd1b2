#pragma once

#include <map>
#include <utility>
#include <vector>

#include "platform/Events.h"

namespace platform {

// The buttons a gamepad flies the ship with, by their place on the pad: the
// lower face button is A on one maker's pads and a cross on another's.
enum class PadButton { Lower, Right, DpadUp, DpadDown, DpadLeft, DpadRight, Start, Back };

// Turns gamepad input into the key events of the keyboard keys it stands for,
// so that the game sees one set of key states whatever the player holds:
// the lower face button fires the engine (Space), the right one drops a bomb
// (Control), the D-pad up and down hook and release, the D-pad or the left
// stick turns, Start pauses (a key of its own: a pad types no P) and Back
// asks the quit question (Escape).
// A key stays down while any pad holds it; unplugging a pad lets go of
// everything it held.
class GamepadKeys {
  public:
    // The events for a button pressed or let go on pad `pad`.
    std::vector<Event> button(int pad, PadButton which, bool down);
    // The events for the left stick's horizontal axis at `value`
    // (-32768 .. 32767, negative to the left).
    std::vector<Event> stickX(int pad, int value);
    // The key-ups for everything pad `pad` held.
    std::vector<Event> removed(int pad);

  private:
    // One source of a held key: a pad and one of its buttons or stick sides.
    using Source = std::pair<int, int>;
    void hold(const Source& source, int key, bool down, std::vector<Event>& out);

    std::map<Source, int> held_;  // source -> the key it holds down
    std::map<int, int> holders_;  // key -> how many sources hold it
};

}  // namespace platform
