#include "GameState.h"

#include <array>

namespace core {
namespace {

#define TARNWICK_FIELD(name)    \
    GameStateField {            \
#name, &GameState::name \
    }

const std::array fields{
    TARNWICK_FIELD(menuMode),
    TARNWICK_FIELD(backdropFadingOut),
    TARNWICK_FIELD(difficulty),
    TARNWICK_FIELD(towShipPull),
    TARNWICK_FIELD(towSlack),
    TARNWICK_FIELD(towCargoPull),
    TARNWICK_FIELD(gravity),
    TARNWICK_FIELD(paused),
    TARNWICK_FIELD(missionNumber),
    TARNWICK_FIELD(lives),
    TARNWICK_FIELD(score),
    TARNWICK_FIELD(lastLifeScore),
    TARNWICK_FIELD(fuel),
    TARNWICK_FIELD(shipDamage),
    TARNWICK_FIELD(cargoDamage),
    TARNWICK_FIELD(scrollX),
    TARNWICK_FIELD(scrollY),
    TARNWICK_FIELD(scrollVelX),
    TARNWICK_FIELD(scrollVelY),
    TARNWICK_FIELD(shipAngle),
    TARNWICK_FIELD(engineOn),
    TARNWICK_FIELD(towing),
    TARNWICK_FIELD(cargoReleased),
    TARNWICK_FIELD(cargoInMission),
    TARNWICK_FIELD(cargoX),
    TARNWICK_FIELD(cargoY),
    TARNWICK_FIELD(cargoVelX),
    TARNWICK_FIELD(cargoVelY),
    TARNWICK_FIELD(collectorX),
    TARNWICK_FIELD(collectorY),
    TARNWICK_FIELD(exitOpen),
    TARNWICK_FIELD(exitX),
    TARNWICK_FIELD(exitY),
    TARNWICK_FIELD(missionComplete),
    TARNWICK_FIELD(enemyGone),
    TARNWICK_FIELD(enemyX),
    TARNWICK_FIELD(enemyY),
    TARNWICK_FIELD(beamLength),
    TARNWICK_FIELD(bombFlying),
    TARNWICK_FIELD(bombX),
    TARNWICK_FIELD(bombY),
    TARNWICK_FIELD(bombVelX),
    TARNWICK_FIELD(bombVelY),
    TARNWICK_FIELD(shipDead),
    TARNWICK_FIELD(endTicks),
    TARNWICK_FIELD(missionStartTick),
    TARNWICK_FIELD(timeBonus),
    TARNWICK_FIELD(missionTicks),
    TARNWICK_FIELD(scoringLabelTicks),
    TARNWICK_FIELD(minimapTrail),
    TARNWICK_FIELD(effectsReady),
};

#undef TARNWICK_FIELD

}  // namespace

std::span<const GameStateField> gameStateFields() {
    return fields;
}

const GameStateField* findGameStateField(std::string_view name) {
    for (const auto& field : fields)
        if (field.name == name) return &field;
    return nullptr;
}

}  // namespace core
