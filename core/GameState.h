#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

// The whole play state of the game: the flat set of variables that the ticks,
// key handlers and screens read and write. The main window owns one GameState;
// a test creates a fresh one to get a fresh game.
namespace core {

struct GameState {
    bool menuMode = true;
    bool backdropFadingOut = false;
    uint8_t difficulty = 1;
    double towShipPull = 0.2;
    uint8_t towSlack = 4;
    double towCargoPull = 1.1;
    double gravity = 0.1;
    bool paused = false;
    int32_t missionNumber = 0;
    uint8_t lives = 0;
    int32_t score = 0;
    int32_t lastLifeScore = 0;
    int32_t fuel = 0;
    int32_t shipDamage = 0;
    int32_t cargoDamage = 0;
    int32_t scrollX = 100;
    int32_t scrollY = 100;
    double scrollVelX = 0;
    double scrollVelY = 0;
    int32_t shipAngle = 0;
    bool engineOn = false;
    bool towing = false;
    bool cargoReleased = false;
    bool cargoInMission = false;
    int32_t cargoX = 0;
    int32_t cargoY = 0;
    double cargoVelX = 0;
    double cargoVelY = 0;
    int32_t collectorX = 0;
    int32_t collectorY = 0;
    bool exitOpen = false;
    int32_t exitX = 0;
    int32_t exitY = 0;
    bool missionComplete = false;
    bool enemyGone = false;
    int32_t enemyX = 0;
    int32_t enemyY = 0;
    int32_t beamLength = 0;
    bool bombFlying = false;
    int32_t bombX = 0;
    int32_t bombY = 0;
    double bombVelX = 0;
    double bombVelY = 0;
    bool shipDead = false;
    int32_t endTicks = 0;
    uint32_t missionStartTick = 0;
    int32_t timeBonus = 0;
    int32_t missionTicks = 0;
    uint8_t scoringLabelTicks = 0;
    bool minimapTrail = true;
    bool effectsReady = false;
};

// One state variable by name, so that tools can list and set every variable
// without a hand-written switch that would fall behind the struct.
struct GameStateField {
    using Member = std::variant<bool GameState::*, uint8_t GameState::*, int32_t GameState::*,
                                uint32_t GameState::*, double GameState::*>;
    std::string_view name;
    Member member;
};

// Every variable of GameState, in declaration order.
std::span<const GameStateField> gameStateFields();

// The field of that name, or nullptr.
const GameStateField* findGameStateField(std::string_view name);

}  // namespace core
