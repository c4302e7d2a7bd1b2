#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/Bitmap.h"
#include "core/GameState.h"
#include "effects/ParticleUnit.h"
#include "platform/Clock.h"

// The effect buffer: the level picture as one 32-bit pixel buffer into which
// particles are written directly, and the effect request that fills the
// particle engine with a burst.
namespace effects {

// The effect fields the main window owns.
struct EffectFields {
    // Address of the first pixel of each buffer row; renewed on every effect
    // request. Its fixed size bounds the buffer's height.
    std::array<uint32_t*, 1281> rowTable{};
    // Particle budget of the last requested preset; 0 until the first request.
    int32_t particleCap = 0;
    // Pixels are 0x00RRGGBB words; empty until the first effect request.
    core::Bitmap effectBuffer;
    std::unique_ptr<TParticleClass> particleEngine;
    // The preset the next effect request spawns; 255 means none.
    uint8_t effectPreset = 255;

    // Where PutPixel wrote since the level picture last took the buffer's
    // content (buffer offsets y * width + x), so that the hand-over copies
    // those pixels only. Too many of them and the whole buffer is copied.
    std::vector<uint32_t> writtenPixels;
    bool wholeBufferChanged = false;
};

// Writes value at (x, y) through the row table, but only inside the buffer's
// outermost rows and columns, which are never written: positions anywhere,
// also negative ones, can be passed without a check.
void PutPixel(EffectFields& fields, int x, int y, uint32_t value);
// Where a PutPixel at (x, y) writes, or nullptr where it writes nothing.
inline const uint32_t* PixelAddress(const EffectFields& fields, int x, int y) {
    if (x < 1 || x > fields.effectBuffer.width() - 2) return nullptr;
    if (y < 1 || y > fields.effectBuffer.height() - 2) return nullptr;
    return fields.rowTable[static_cast<size_t>(y)] + x;
}

// The effect request: creates the buffer (black, width x height, the size of
// the level picture) and the engine on the first request, sets the particle
// budget from effectPreset and emits the preset's burst on top of whatever
// the engine already holds. Throws std::length_error, changing nothing, for a
// first request with a height the row table cannot hold.
void SpawnEffect(EffectFields& fields, core::GameState& state, const platform::Clock& clock,
                 int width, int height);

}  // namespace effects
