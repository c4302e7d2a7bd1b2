#include "app/flow/MissionSetup.h"

#include <exception>

#include "app/flow/Lives.h"
#include "engine/Collisions.h"
#include "engine/Minimap.h"
#include "engine/PlayActions.h"

namespace app {

MissionSetup::MissionSetup(platform::EventLoop& loop, const Missions& missions,
                           core::GameState& state, engine::PlayScene& scene, PlaySceneView& view,
                           Window window, Screens& screens, PlayTimers timers, MissionPhase& phase,
                           Flow flow)
    : loop_(loop),
      missions_(missions),
      state_(state),
      scene_(scene),
      view_(view),
      w_(window),
      screens_(screens),
      timers_(timers),
      phase_(phase),
      flow_(std::move(flow)) {}

void MissionSetup::diblabel5Click() {
    resetForNewAttempt();
    if (state_.missionNumber == missions_.Count() + 1) {
        flow_.endGame();
        return;
    }
    try {
        placeMission();
    } catch (const std::exception& error) {
        // A level that cannot be loaded cannot be flown: report it and go
        // back to the title instead of leaving a still screen.
        loop_.queueMessage(error.what());
        flow_.abandon();
        return;
    }
    view_.ShowScene();
}

// Everything a new attempt starts from, also a retry after a loss.
void MissionSetup::resetForNewAttempt() {
    timers_.titleTick.SetEnabled(false);
    scene_.scoringVisible = false;
    state_.cargoDamage = 0;
    w_.hud.BoxDam.SetMaximum(engine::kDamageLimit);
    w_.hud.BoxDam.SetPosition(0);
    scene_.shipVisible = true;
    scene_.boxVisible = true;
    w_.play.boxramp.Show();
    screens_.ShowPlayView();
    state_.endTicks = 0;
    scene_.messageVisible = false;
    if ((state_.shipDead || state_.missionComplete) && w_.effects.particleEngine)
        w_.effects.particleEngine->Clear();
    state_.missionComplete = false;
    state_.exitOpen = false;
    scene_.exitVisible = false;
    state_.shipDead = false;
    state_.shipAngle = 0;
    state_.scrollVelX = 0;
    state_.scrollVelY = 0;
    scene_.bombVisible = false;
    state_.bombX = 0;
    state_.bombY = 0;
    state_.bombVelX = 0;
    state_.bombVelY = 0;
    state_.bombFlying = false;
    state_.enemyGone = false;
    if (state_.missionNumber == 0) {
        if (w_.effects.particleEngine) w_.effects.particleEngine->Clear();
        state_.lives = 3;
        state_.missionNumber = 1;
    }
    ShowLives(state_, w_.play);
    state_.shipDamage = 0;
}

void MissionSetup::placeMission() {
    const core::MissionRow& row = missions_.Row(state_.missionNumber);
    state_.gravity = row.gravity;
    state_.scrollX = row.scrollX;
    state_.scrollY = row.scrollY;
    if (row.hasEnemy) {
        state_.beamLength = row.beamLength;
        state_.enemyX = row.enemyX;
        state_.enemyY = row.enemyY;
    } else {
        state_.enemyGone = true;
    }
    w_.play.ship.BringToFront();
    state_.cargoReleased = false;
    // This request also makes the effect buffer the level is painted into.
    flow_.requestEffect(engine::kEffectShipSparks);
    state_.cargoX = row.cargoX;
    state_.cargoY = row.cargoY;
    state_.exitX = row.exitX;
    state_.exitY = row.exitY;
    state_.collectorX = row.collectorX;
    state_.collectorY = row.collectorY;
    state_.cargoInMission = true;
    state_.towing = false;
    // Mission 1 starts its ticks before its picture is loaded; the others after.
    if (row.number == 1) timers_.StartPlay();
    w_.pictures.HandIn(w_.effects, missions_.Cave(row.number));
    if (row.number != 1) timers_.StartPlay();
    flow_.requestEffect(engine::kEffectMissionStart);
    phase_.running = true;

    if (!state_.enemyGone) {
        // Placed at their world positions for one tick, until the first
        // mission tick adds the scroll.
        scene_.enemyVisible = true;
        scene_.enemy = {state_.enemyX, state_.enemyY};
        scene_.collector = {state_.collectorX, state_.collectorY};
        w_.media.DIBWavList1.Play(engine::kSoundSpawn);
    }
    w_.hud.Label18.Show();
    w_.hud.LabelTime.Show();
    state_.missionStartTick = static_cast<uint32_t>(loop_.clock().nowMs());
    state_.fuel = state_.difficulty * state_.missionNumber * 400 + 1000;
    w_.hud.fuelbar.SetMaximum(state_.fuel);
    engine::DrawMinimapMarkers(w_.hud.Image3, state_);
}

}  // namespace app
