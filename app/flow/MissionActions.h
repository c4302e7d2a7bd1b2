#pragma once

#include <functional>

#include "app/StoredMedia.h"
#include "app/flow/PlayTimers.h"
#include "engine/PlayActions.h"
#include "platform/Audio.h"

namespace app {

// What the play rules ask of the window: sounds, effect requests, the engine
// sound, stopping the flight ticks, and the two hand-overs to the game flow.
class MissionActions : public engine::PlayActions {
  public:
    MissionActions(StoredMedia& media, platform::Audio& audio, PlayTimers timers,
                   std::function<void(uint8_t)> requestEffect, std::function<void()> endMission,
                   std::function<engine::ShipInput()> askQuitQuestion);

    void PlaySound(engine::SoundList list, int index) override;
    void RequestEffect(uint8_t preset) override { requestEffect_(preset); }
    void PlayEngineSound() override { audio_.playEngineSound(); }
    void StopFlightTicks() override;
    void EndMission() override { endMission_(); }
    engine::ShipInput AskQuitQuestion() override { return askQuitQuestion_(); }

  private:
    StoredMedia& media_;
    platform::Audio& audio_;
    PlayTimers timers_;
    std::function<void(uint8_t)> requestEffect_;
    std::function<void()> endMission_;
    std::function<engine::ShipInput()> askQuitQuestion_;
};

}  // namespace app
