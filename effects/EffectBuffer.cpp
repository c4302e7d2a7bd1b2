#include "effects/EffectBuffer.h"

#include <optional>
#include <stdexcept>
#include <string>

#include "core/Random.h"

namespace effects {
namespace {

// The budget every request starts from: a preset emits one particle for each
// unit of its budget above it.
constexpr int32_t baseBudget = 500;

// The shape of one preset's burst. Particles start at the origin plus a
// random offset of 0 .. spread - 1 on each axis (none when spread is 0) and
// fly at speedBase + Random(speedSteps) + a random thousandth fraction.
struct Burst {
    int32_t budget;
    int64_t originX;
    int64_t originY;
    int32_t spread;
    int32_t speedBase;
    int32_t speedSteps;
};

// The bursts the game requests. Origins are taken in 64 bits and wrapped back
// to 32, so extreme positions wrap instead of overflowing.
std::optional<Burst> burstFor(uint8_t preset, const core::GameState& s) {
    switch (preset) {
        case 4:  // "Big Bang": the ship destroyed, a mission completed
            return Burst{1500, int64_t{288} - s.scrollX, int64_t{122} - s.scrollY, 18, 0, 5};
        case 5:  // the ship touches rock; mission set-up
            return Burst{700, int64_t{288} - s.scrollX, int64_t{122} - s.scrollY, 18, 0, 5};
        case 7:  // from the ship's centre at mission set-up
            return Burst{700, int64_t{296} - s.scrollX, int64_t{130} - s.scrollY, 0, 1, 3};
        case 8:  // the cargo touches rock; every title tick
            return Burst{700, s.cargoX, s.cargoY, 18, 0, 5};
        case 9:  // a bomb explodes
            return Burst{1000, int64_t{s.bombX} - 4, int64_t{s.bombY} + 2, 18, 0, 5};
        case 11:  // a spark of the enemy beamer: a single particle, k = 501
            return Burst{501, int64_t{s.enemyX} + 10, int64_t{s.enemyY} + 10, 0, 1, 3};
        default:
            return std::nullopt;
    }
}

int32_t offsetFrom(int64_t origin, int32_t spread) {
    const int64_t offset = spread > 0 ? core::Random(spread) : 0;
    return static_cast<int32_t>(origin + offset);
}

// Emits the k-th particle of a burst (k from 501 up). The draws are made one
// statement at a time so that their order, Y, angle, speed, X, is fixed: a
// fixed seed must replay the same burst.
void emitParticle(TParticleClass& engine, const Burst& burst, int32_t k) {
    const int32_t y = offsetFrom(burst.originY, burst.spread);
    // A random fraction of k, which is above 360, covers every direction.
    const double angle = core::Random(1000) / 1000.0 * k;
    const int32_t wholeSpeed = burst.speedBase + core::Random(burst.speedSteps);
    const double speed = wholeSpeed + core::Random(1000) / 1000.0;
    const int32_t x = offsetFrom(burst.originX, burst.spread);
    engine.Emit(false, x, y, angle, speed, 0, 0, 0);
}

}  // namespace

void PutPixel(EffectFields& fields, int x, int y, uint32_t value) {
    if (x < 1 || x > fields.effectBuffer.width() - 2) return;
    if (y < 1 || y > fields.effectBuffer.height() - 2) return;
    fields.rowTable[static_cast<size_t>(y)][x] = value;
    // Past a quarter of the buffer a whole copy is cheaper than the list.
    if (fields.wholeBufferChanged) return;
    const size_t width = static_cast<size_t>(fields.effectBuffer.width());
    if (fields.writtenPixels.size() * 4 >=
        width * static_cast<size_t>(fields.effectBuffer.height())) {
        fields.wholeBufferChanged = true;
        fields.writtenPixels.clear();
        return;
    }
    const auto offset =
        static_cast<uint32_t>(static_cast<size_t>(y) * width + static_cast<size_t>(x));
    // A particle that expires is erased right where it was just drawn.
    if (!fields.writtenPixels.empty() && fields.writtenPixels.back() == offset) return;
    fields.writtenPixels.push_back(offset);
}

void SpawnEffect(EffectFields& fields, core::GameState& state, const platform::Clock& clock,
                 int width, int height) {
    if (!state.effectsReady || fields.effectBuffer.empty()) {
        if (height > static_cast<int>(fields.rowTable.size()))
            throw std::length_error("The effect buffer cannot be higher than " +
                                    std::to_string(fields.rowTable.size()) + " rows");
        fields.effectBuffer = core::Bitmap(width, height);
    }
    // Taken anew on every request, so the table always matches the buffer.
    for (size_t y = 0; y < fields.rowTable.size(); ++y) {
        const bool inBuffer = y < static_cast<size_t>(fields.effectBuffer.height());
        fields.rowTable[y] = inBuffer ? fields.effectBuffer.row(static_cast<int>(y)) : nullptr;
    }
    if (!state.effectsReady || !fields.particleEngine) {
        fields.particleEngine = std::make_unique<TParticleClass>(clock);
    }
    state.effectsReady = true;

    if (fields.particleCap <= 0) fields.particleCap = baseBudget;
    const std::optional<Burst> burst = burstFor(fields.effectPreset, state);
    // Any other preset keeps the budget and has no particles to emit.
    if (!burst) return;
    fields.particleCap = burst->budget;
    for (int32_t k = baseBudget + 1; k <= fields.particleCap; ++k) {
        emitParticle(*fields.particleEngine, *burst, k);
    }
}

}  // namespace effects
