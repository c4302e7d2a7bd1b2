#include "engine/Collisions.h"

#include <cstdlib>

#include "core/Nearest.h"

namespace engine {
namespace {

constexpr int32_t kRockAbove = 0x110011;
constexpr int32_t kRockBelow = 0x880000;
constexpr int32_t kCargoContactDamage = 25;

bool rockAt(const effects::LevelPictures& pictures, int x, int y) {
    return IsRock(pictures.LevelPixel(x, y));
}

void burst(PlayActions& actions, uint8_t preset) {
    for (int i = 0; i < 4; ++i) actions.RequestEffect(preset);
}

// The end of the flight: the countdown to the end of the mission starts.
void loseShip(core::GameState& s, PlayScene& scene, PlayActions& actions, const char* message) {
    actions.StopFlightTicks();
    scene.message = message;
    scene.messageVisible = true;
    s.shipDead = true;
    s.endTicks = 0;
}

void explodeBomb(core::GameState& s, PlayScene& scene, PlayActions& actions) {
    s.bombVelX = 0;
    s.bombVelY = 0;
    burst(actions, kEffectBombBlast);
    s.bombFlying = false;
    scene.bombVisible = false;
}

}  // namespace

bool IsRock(int32_t v) {
    return kRockAbove < v && v < kRockBelow;
}

int32_t CrashDamage(int32_t difficulty, double scrollVelX, double scrollVelY) {
    const int64_t sum = int64_t{core::nearest(scrollVelX)} + core::nearest(scrollVelY);
    return static_cast<int32_t>(difficulty * 10 * (std::llabs(sum) + 1));
}

void ShipAgainstRock(core::GameState& s, PlayScene& scene, const effects::LevelPictures& pictures,
                     PlayActions& actions) {
    const int x = 296 - s.scrollX;
    const int y = 130 - s.scrollY;
    const int inRock = rockAt(pictures, x - 6, y - 10) + rockAt(pictures, x - 6, y + 5) +
                       rockAt(pictures, x + 10, y - 10) + rockAt(pictures, x + 10, y + 5);
    if (inRock < 2) return;
    // Nothing pushes the ship out: resting on a floor is a crash every tick.
    s.shipDamage += CrashDamage(s.difficulty, s.scrollVelX, s.scrollVelY);
    s.scrollVelX = 0;
    s.scrollVelY = 0;
    actions.RequestEffect(kEffectShipSparks);
    if (s.shipDead) return;
    actions.PlaySound(SoundList::DIBWavList2, kSoundBump);
    if (s.shipDamage <= kDamageLimit) return;
    actions.PlaySound(SoundList::DIBWavList2, kSoundExplosion);
    scene.shipVisible = false;
    s.shipDamage = 0;
    burst(actions, kEffectBigBang);
    loseShip(s, scene, actions, "You are dead");
}

void CargoAgainstRock(core::GameState& s, PlayScene& scene, const effects::LevelPictures& pictures,
                      PlayActions& actions) {
    if (!rockAt(pictures, s.cargoX + 16, s.cargoY + 6) &&
        !rockAt(pictures, s.cargoX + 6, s.cargoY + 16))
        return;
    s.cargoVelX = 0;
    s.cargoVelY = 0;
    s.cargoDamage += kCargoContactDamage;
    actions.PlaySound(SoundList::DIBWavList1, kSoundBump);
    actions.RequestEffect(kEffectCargoSparks);
    if (s.shipDead || s.cargoDamage <= kDamageLimit) return;
    actions.PlaySound(SoundList::DIBWavList2, kSoundExplosion);
    scene.shipVisible = false;
    s.cargoDamage = kDamageLimit;
    scene.boxVisible = false;
    burst(actions, kEffectCargoSparks);
    loseShip(s, scene, actions, "Cargo lost. You are dead");
}

void BombAgainstRockAndEnemy(core::GameState& s, PlayScene& scene,
                             const effects::LevelPictures& pictures, PlayActions& actions) {
    const int bottom = s.bombY + 10;
    if (rockAt(pictures, s.bombX, bottom) || rockAt(pictures, s.bombX + 3, bottom) ||
        rockAt(pictures, s.bombX + 6, bottom)) {
        actions.PlaySound(SoundList::DIBWavList2, kSoundBomb);
        s.score -= s.missionNumber * 100;
        explodeBomb(s, scene, actions);
    }
    // A bomb blowing up on rock right beside the enemy also takes it out.
    if (s.enemyX - 8 < s.bombX && s.bombX < s.enemyX + 18 && s.enemyY - 8 < s.bombY &&
        s.bombY < s.enemyY + 18 && !s.enemyGone) {
        actions.PlaySound(SoundList::DIBWavList2, kSoundBomb);
        s.score += s.difficulty * 1000;
        explodeBomb(s, scene, actions);
        scene.enemyVisible = false;
        s.enemyGone = true;
    }
}

}  // namespace engine
