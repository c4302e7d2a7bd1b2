#include "effects/ParticlePass.h"

#include "core/Nearest.h"
#include "core/Random.h"

namespace effects {
namespace {

// More live particles than this and the exhaust stops until the engine
// key sets engineOn again.
constexpr int32_t kExhaustLimit = 300;

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
    TParticle p;

    for (int32_t i = 0; i <= engine.HighIndex(); ++i) {
        engine.GetParticle(i, p);
        PutPixel(fields, p.X, p.Y, 0);
    }
    engine.Step();

    for (int32_t n = engine.HighIndex(); n >= 0; --n) {
        engine.GetParticle(n, p);
        PutPixel(fields, p.X, p.Y, ParticleColour(p.Speed));

        if (state.engineOn) {
            // While the exhaust runs, the particles visited are not expired.
            if (engine.HighIndex() > kExhaustLimit) state.engineOn = false;
            if (engine.HighIndex() < fields.particleCap) emitExhaust(engine, state);
            continue;
        }

        bool remove;
        if (p.X < 0 || p.X > width || p.Y < 0 || p.Y > height) {
            remove = true;
        } else {
            // The age draw comes first on every visit, fast particles too: the
            // random sequence of a replay depends on it.
            const int32_t chance = core::Random(50);
            if (chance + 10 >= p.Age || p.Speed >= 2.0)
                remove = !survivesRock(pictures, p.X, p.Y);
            else
                remove = true;
        }
        // The last particle is never removed.
        if (remove && engine.HighIndex() > 0) {
            PutPixel(fields, p.X, p.Y, 0);
            engine.Delete(n);
        }
    }
}

}  // namespace effects
