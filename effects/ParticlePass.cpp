#include "effects/ParticlePass.h"

#include "core/Nearest.h"
#include "core/Random.h"

namespace effects {
namespace {

// More live particles than this and the exhaust stops until the engine
// key sets engineOn again.
constexpr int32_t kExhaustLimit = 300;

// Particles lie scattered over the 1280 x 1280 pictures, so nearly every
// pixel a particle touches is a trip to memory. The passes ask the processor
// for the pixels this many particles ahead, so that the trips overlap.
constexpr int32_t kLookAhead = 16;

// Inlined before the optimiser looks at it on its own: as a separate
// function it is judged free of effects, and the calls are dropped.
[[gnu::always_inline]] inline void prefetch(const uint32_t* pixel, bool forWriting) {
    if (!pixel) return;
    if (forWriting)
        __builtin_prefetch(pixel, 1);
    else
        __builtin_prefetch(pixel, 0);
}

void emitExhaust(TParticleClass& engine, const core::GameState& s) {
    // Draw order matters for replays: angle first, then the two speed terms.
    const double angle = s.shipAngle + 180 - core::Random(20);
    const double hundredths = core::Random(100) / 100.0;
    const double speed = hundredths + (core::Random(4) + 3) / 5.0;
    engine.Emit(false, 296 - s.scrollX, 130 - s.scrollY, angle, speed, 2, 2, 0);
}

// Rock stops a particle unless the level picture diagonally below and right
// of it was already worn black; near-black and white collision pixels never do.
bool survivesRock(const LevelPictures& pictures, int32_t x, int32_t y) {
    const int32_t c = pictures.CollisionPixel(x, y);
    if (c <= 17) return true;
    if (c >= 0xFFFFFF) return true;
    return pictures.LevelPixel(x + 1, y + 1) == 0;
}

}  // namespace

uint32_t ParticleColour(double speed) {
    switch (core::nearest(2 * speed)) {
        case 2:
            return 0xFFFF88;
        case 3:
            return 0xFFAA88;
        case 4:
            return 0xFFDD88;
        default:
            return 0xFF8888;
    }
}

void ParticlePass(EffectFields& fields, core::GameState& state, const LevelPictures& pictures) {
    TParticleClass& engine = *fields.particleEngine;
    const int32_t width = fields.effectBuffer.width();
    const int32_t height = fields.effectBuffer.height();

    const int32_t last = engine.HighIndex();
    for (int32_t i = 0; i <= last; ++i) {
        if (i + kLookAhead <= last) {
            const TParticle& ahead = engine.Particle(i + kLookAhead);
            prefetch(PixelAddress(fields, ahead.X, ahead.Y), true);
        }
        const TParticle& p = engine.Particle(i);
        PutPixel(fields, p.X, p.Y, 0);
    }
    engine.Step();

    for (int32_t n = engine.HighIndex(); n >= 0; --n) {
        // Deletions and the exhaust only change indexes above n, so the
        // particle kLookAhead below is the one this loop visits then.
        if (n >= kLookAhead) {
            const TParticle& ahead = engine.Particle(n - kLookAhead);
            prefetch(PixelAddress(fields, ahead.X, ahead.Y), true);
            prefetch(pictures.CollisionPixelAddress(ahead.X, ahead.Y), false);
            prefetch(pictures.LevelPixelAddress(ahead.X + 1, ahead.Y + 1), false);
        }
        // Copied out: emitting and deleting move the records.
        const TParticle& p = engine.Particle(n);
        const int32_t x = p.X;
        const int32_t y = p.Y;
        const double speed = p.Speed;
        const int32_t age = p.Age;
        PutPixel(fields, x, y, ParticleColour(speed));

        if (state.engineOn) {
            // While the exhaust runs, the particles visited are not expired.
            if (engine.HighIndex() > kExhaustLimit) state.engineOn = false;
            if (engine.HighIndex() < fields.particleCap) emitExhaust(engine, state);
            continue;
        }

        bool remove;
        if (x < 0 || x > width || y < 0 || y > height) {
            remove = true;
        } else {
            // The age draw comes first on every visit, fast particles too: the
            // random sequence of a replay depends on it.
            const int32_t chance = core::Random(50);
            if (chance + 10 >= age || speed >= 2.0)
                remove = !survivesRock(pictures, x, y);
            else
                remove = true;
        }
        // The last particle is never removed.
        if (remove && engine.HighIndex() > 0) {
            PutPixel(fields, x, y, 0);
            engine.Delete(n);
        }
    }
}

}  // namespace effects
