#include "app/flow/MissionActions.h"

namespace app {

MissionActions::MissionActions(StoredMedia& media, platform::Audio& audio, PlayTimers timers,
                               std::function<void(uint8_t)> requestEffect,
                               std::function<void()> endMission,
                               std::function<engine::ShipInput()> askQuitQuestion)
    : media_(media),
      audio_(audio),
      timers_(timers),
      requestEffect_(std::move(requestEffect)),
      endMission_(std::move(endMission)),
      askQuitQuestion_(std::move(askQuitQuestion)) {}

void MissionActions::PlaySound(engine::SoundList list, int index) {
    (list == engine::SoundList::DIBWavList1 ? media_.DIBWavList1 : media_.DIBWavList2).Play(index);
}

void MissionActions::StopFlightTicks() {
    timers_.controlTick.SetEnabled(false);
    timers_.missionTick.SetEnabled(false);
}

}  // namespace app
