#pragma once

#include "dib/cDIBTimer.h"

namespace app {

// The four timers of the window under the names of what they drive. A
// mission runs the frame, mission and control ticks; the title tick brings
// the bursts of the title screen.
struct PlayTimers {
    dib::TDIBTimer& frameTick;    // DIBTimer1
    dib::TDIBTimer& missionTick;  // timer1
    dib::TDIBTimer& controlTick;  // DIBTimer2
    dib::TDIBTimer& titleTick;    // DIBTimer3

    // Mission tick, frame tick and control tick together, in that order:
    // started in one handler, they keep one phase.
    void StartPlay() {
        missionTick.SetEnabled(true);
        frameTick.SetEnabled(true);
        controlTick.SetEnabled(true);
    }
    void StopPlay() {
        missionTick.SetEnabled(false);
        frameTick.SetEnabled(false);
        controlTick.SetEnabled(false);
    }
};

}  // namespace app
