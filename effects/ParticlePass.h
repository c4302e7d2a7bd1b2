#pragma once

#include "core/GameState.h"
#include "effects/EffectBuffer.h"
#include "effects/LevelPictures.h"

namespace effects {

// Once per frame: erases every particle from the buffer, steps the engine,
// draws the particles in their colours, emits the ship's exhaust while the
// engine fires, and removes the particles that left the buffer, grew too old
// or hit rock. Erasing writes black, so particles that cross rock wear holes
// into the level picture, and the ship's rock test then finds open space.
void ParticlePass(EffectFields& fields, core::GameState& state, const LevelPictures& pictures);

// The buffer colour (0x00RRGGBB) of a particle of the given speed.
uint32_t ParticleColour(double speed);

}  // namespace effects
