#pragma once

#include <cstdint>

#include "core/GameState.h"
#include "effects/LevelPictures.h"
#include "engine/PlayActions.h"
#include "engine/PlayScene.h"

namespace engine {

// Past this much damage the ship is destroyed, or the cargo lost; the damage
// bars run up to it.
inline constexpr int32_t kDamageLimit = 1500;

// Rock is whatever the shown level picture holds at a point: a canvas value
// with a blue component from 0x11 to 0x87. Black space is free, and so are
// the particles (blue 0x88); the enemy's beam lines count as rock.
bool IsRock(int32_t canvasValue);

// Damage of one crash: the rounded velocity components are summed before the
// absolute value is taken, so opposite components partly cancel.
int32_t CrashDamage(int32_t difficulty, double scrollVelX, double scrollVelY);

// The ship's four probes; two or more in rock is a crash, which stops the
// ship dead and may destroy it. One probe alone is harmless.
void ShipAgainstRock(core::GameState& s, PlayScene& scene, const effects::LevelPictures& pictures,
                     PlayActions& actions);

// Each frame tick of contact costs the cargo 25, at any speed; past 1500 the
// cargo, and with it the ship, is lost.
void CargoAgainstRock(core::GameState& s, PlayScene& scene, const effects::LevelPictures& pictures,
                      PlayActions& actions);

// A flying bomb explodes on rock (costing points) and then, even if it just
// exploded, on the enemy (earning points and killing it).
void BombAgainstRockAndEnemy(core::GameState& s, PlayScene& scene,
                             const effects::LevelPictures& pictures, PlayActions& actions);

}  // namespace engine
