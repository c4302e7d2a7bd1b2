#pragma once

#include <cstdint>

#include "TimeOfDay.h"

// The one program-wide pseudo-random generator. Particle bursts, the engine
// exhaust and the enemy beam all draw from this single sequence, so a fixed
// seed replays a whole game's effects exactly.
namespace core {

// Draws the next number in 0 .. n - 1: the seed steps as
// seed := seed * 134775813 + 1 (mod 2^32) and the result is the high 32 bits
// of the 64-bit product seed * n.
int32_t Random(int32_t n);

// Seeds the generator with the milliseconds since midnight of the given UTC time.
void Randomize(const TimeOfDay& utcNow);

uint32_t RandSeed();
void SetRandSeed(uint32_t seed);

}  // namespace core
