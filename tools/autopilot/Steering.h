#pragma once

#include "Engine.h"
#include "Snapshot.h"

// Turns a wished-for velocity into keys for one mission tick. The engine
// pushes about ten times harder than gravity pulls, and only whole mission
// ticks of it count, so the push the ship still owes itself is kept as a
// debt and the engine fires on a tick only when firing pays off more of the
// debt than it overshoots.
namespace autopilot {

struct Steer {
    int turnSteps = 0;  // control ticks with an arrow held: negative left, positive right
    bool fire = false;
};

class Steering {
  public:
    // `turnTicks` control ticks come before the mission tick.
    Steer toward(const Snapshot& s, Vec wantedVelocity, int turnTicks);
    void forget() { debt_ = {}; }

  private:
    Vec debt_;
};

}  // namespace autopilot
