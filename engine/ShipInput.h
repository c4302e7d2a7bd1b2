#pragma once

namespace engine {

// The keys the control tick acts on, as held at the moment of the tick. The
// window builds this value from its table of held keys; the control tick
// never asks the keyboard itself, so a replay or an autopilot can fly the
// ship by handing in the same value.
struct ShipInput {
    bool skipMission = false;   // the hidden three-key combination
    bool thrust = false;        // Space
    bool turnLeft = false;      // Left arrow
    bool turnRight = false;     // Right arrow
    bool releaseCargo = false;  // Down arrow
    bool home = false;          // Home: nose straight up
    bool quit = false;          // Escape: the abandon question
    bool dropBomb = false;      // Control
    bool hookCargo = false;     // Up arrow
};

}  // namespace engine
