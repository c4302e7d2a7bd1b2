#include "Release.h"

#include "core/GameState.h"
#include "engine/Cargo.h"
#include "engine/FreeFall.h"

namespace autopilot {
namespace {

// Long enough for any fall the release place allows.
constexpr int kLongestFallTicks = 60;
constexpr double kMaxCargoSpeed = 6;

}  // namespace

bool dropsIntoCollector(const Snapshot& s, const assetgen::levels::SolidMap& rock) {
    core::GameState c;
    c.cargoX = static_cast<int32_t>(s.cargoX);
    c.cargoY = static_cast<int32_t>(s.cargoY);
    c.cargoVelX = s.difficulty == 1 ? 0 : s.cargoVelX;  // Beginners' Down stops the drift
    c.cargoVelY = s.cargoVelY;
    c.collectorX = s.collectorX;
    c.collectorY = s.collectorY;
    engine::SpritePlace sprite;
    for (int t = 0; t < kLongestFallTicks; ++t) {
        // The delivery test comes before the move in each mission tick.
        if (engine::CargoInsideCollector(c)) return true;
        // Rock under either probe stops the cargo where it is.
        if (rock.solid(c.cargoX + 16, c.cargoY + 6) || rock.solid(c.cargoX + 6, c.cargoY + 16))
            return false;
        engine::FallOneTick(c.cargoX, c.cargoY, c.cargoVelX, c.cargoVelY, s.gravity,
                            kMaxCargoSpeed, sprite, c);
    }
    return false;
}

}  // namespace autopilot
