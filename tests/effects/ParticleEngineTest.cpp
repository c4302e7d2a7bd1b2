#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/EListError.h"
#include "core/Random.h"
#include "effects/ParticleUnit.h"
#include "tests/effects/EffectsTestSupport.h"

namespace effects {
namespace {

using testing::FakeClock;
using testing::LcgModel;

const FakeClock clockAt0102{core::TimeOfDay{2005, 6, 15, 1, 2, 3, 4}};

// A seed after which the next mass draw, Random(100), gives want.
uint32_t seedForMassFraction(int32_t want) {
    for (uint32_t seed = 0;; ++seed) {
        LcgModel model{seed};
        if (model.draw(100) == want) return seed;
    }
}

TParticle particleAt(const TParticleClass& engine, int32_t index) {
    TParticle particle;
    engine.GetParticle(index, particle);
    return particle;
}

// Emits a particle that does not interact and reads it back after steps.
TParticle flyPlain(int32_t x, int32_t y, double angle, double speed, int steps) {
    TParticleClass engine(clockAt0102);
    engine.Emit(false, x, y, angle, speed, 0, 0, 0);
    for (int i = 0; i < steps; ++i) engine.Step();
    return particleAt(engine, 0);
}

void expectListIndexError(const std::function<void()>& call, int32_t index) {
    try {
        call();
        FAIL() << "no error for index " << index;
    } catch (const core::EListError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "List index out of bounds (" + std::to_string(index) + ")");
    }
}

TEST(ParticleEngine, CreationReseedsTheGeneratorAndStartsEmpty) {
    core::SetRandSeed(12345);
    TParticleClass engine(clockAt0102);
    EXPECT_EQ(core::RandSeed(), ((1u * 60 + 2) * 60 + 3) * 1000 + 4);

    EXPECT_EQ(engine.HighIndex(), -1);
    engine.Step();
    EXPECT_EQ(engine.HighIndex(), -1);
    TParticle untouched;
    untouched.X = 77;
    untouched.Speed = 1.5;
    engine.GetParticle(0, untouched);
    engine.GetParticle(-1, untouched);
    EXPECT_EQ(untouched.X, 77);
    EXPECT_EQ(untouched.Speed, 1.5);
}

TEST(ParticleEngine, EmitStartsAtTheEmissionPointWithOneMassDraw) {
    TParticleClass engine(clockAt0102);
    core::SetRandSeed(987654321);
    LcgModel model{987654321};
    const int32_t fraction = model.draw(100);

    engine.Emit(true, 100, 120, 90, 2, 3, 5, 4);

    EXPECT_EQ(core::RandSeed(), model.seed);
    const TParticle p = particleAt(engine, 0);
    EXPECT_EQ(p.X, 100);
    EXPECT_EQ(p.Y, 120);
    EXPECT_EQ(p.Angle, 90);
    EXPECT_EQ(p.Speed, 2);
    EXPECT_EQ(p.Delay, 4);
    EXPECT_TRUE(p.Interact);
    EXPECT_EQ(p.AnchorX, 100);
    EXPECT_EQ(p.AnchorY, 120);
    EXPECT_EQ(p.Radius, 5);
    EXPECT_DOUBLE_EQ(p.Mass, 3 + fraction / 100.0);
    EXPECT_EQ(p.PosX, 100);
    EXPECT_EQ(p.PosY, 120);
    EXPECT_DOUBLE_EQ(p.VelX, 2);
    EXPECT_NEAR(p.VelY, 0, 1e-15);
    EXPECT_EQ(p.Age, 0);
}

TEST(ParticleEngine, ParticlesFlyStraightAlongTheirAngleWithoutDrag) {
    const TParticle up = flyPlain(100, 100, 0, 2, 1);
    EXPECT_EQ(up.X, 100);
    EXPECT_EQ(up.Y, 98);
    EXPECT_EQ(up.Age, 1);

    const TParticle right = flyPlain(100, 100, 90, 2, 1);
    EXPECT_EQ(right.X, 102);
    EXPECT_EQ(right.Y, 100);

    const TParticle down = flyPlain(100, 100, 180, 3, 1);
    EXPECT_EQ(down.X, 100);
    EXPECT_EQ(down.Y, 103);

    const TParticle later = flyPlain(100, 100, 90, 2, 5);
    EXPECT_EQ(later.X, 110);
    EXPECT_EQ(later.Age, 5);
    EXPECT_DOUBLE_EQ(later.VelX, 2);
    EXPECT_EQ(later.AnchorX, 100) << "a particle that does not interact keeps its anchor";
}

TEST(ParticleEngine, DelayedParticleWaitsWithoutAgeing) {
    TParticleClass engine(clockAt0102);
    engine.Emit(false, 100, 100, 90, 2, 0, 0, 3);
    for (int32_t left = 2; left >= 0; --left) {
        engine.Step();
        const TParticle waiting = particleAt(engine, 0);
        EXPECT_EQ(waiting.Delay, left);
        EXPECT_EQ(waiting.X, 100);
        EXPECT_EQ(waiting.Age, 0);
    }
    engine.Step();
    const TParticle moving = particleAt(engine, 0);
    EXPECT_EQ(moving.X, 102);
    EXPECT_EQ(moving.Age, 1);
}

TEST(ParticleEngine, PixelIsThePositionTruncatedTowardsZero) {
    const TParticle leftOnce = flyPlain(0, 0, 270, 0.7, 1);
    EXPECT_NEAR(leftOnce.PosX, -0.7, 1e-12);
    EXPECT_EQ(leftOnce.X, 0);
    const TParticle leftTwice = flyPlain(0, 0, 270, 0.7, 2);
    EXPECT_EQ(leftTwice.X, -1);

    const TParticle almost = flyPlain(12, 0, 90, 0.999, 1);
    EXPECT_NEAR(almost.PosX, 12.999, 1e-12);
    EXPECT_EQ(almost.X, 12);
}

TEST(ParticleEngine, FarPositionsSaturateInsteadOfOverflowing) {
    const TParticle far = flyPlain(2147483600, 0, 90, 1000, 1);
    EXPECT_EQ(far.X, 2147483647);
}

class TwoParticlePull : public ::testing::TestWithParam<int32_t> {};

TEST_P(TwoParticlePull, PullsAlongTheRowUnlessWithinTheRadius) {
    const int32_t radius = GetParam();
    TParticleClass engine(clockAt0102);
    core::SetRandSeed(seedForMassFraction(0));
    engine.Emit(true, 100, 100, 0, 0, 3, radius, 0);
    core::SetRandSeed(seedForMassFraction(50));
    engine.Emit(true, 110, 100, 0, 0, 3, radius, 0);
    ASSERT_EQ(particleAt(engine, 0).Mass, 3.0);
    ASSERT_EQ(particleAt(engine, 1).Mass, 3.5);

    engine.Step();

    const double pull = radius < 10 ? 1.5 * 6.52 / 121 : 0;
    const TParticle left = particleAt(engine, 0);
    const TParticle right = particleAt(engine, 1);
    EXPECT_NEAR(left.VelX, pull, 1e-12);
    EXPECT_NEAR(right.VelX, -pull, 1e-12);
    EXPECT_EQ(left.VelY, 0);
    EXPECT_EQ(right.VelY, 0);
    if (radius < 10) {
        EXPECT_NEAR(pull, 0.0808, 1e-4);
    }
}

INSTANTIATE_TEST_SUITE_P(RadiusAroundTheDistance, TwoParticlePull, ::testing::Values(7, 9, 10, 11));

struct PullResult {
    TParticle centre;
    TParticle pulled;
    double expectedPull;
};

// A resting particle that does not interact at (100, 100), with the given
// radius, and a resting interacting one at (x, y); one step.
PullResult pullFromFixedCentre(int32_t x, int32_t y, int32_t centreRadius, int32_t ownRadius) {
    TParticleClass engine(clockAt0102);
    engine.Emit(false, 100, 100, 0, 0, 0, centreRadius, 0);
    engine.Emit(true, x, y, 0, 0, 2, ownRadius, 0);
    const double massDifference = std::abs(particleAt(engine, 0).Mass - particleAt(engine, 1).Mass);
    engine.Step();
    const double d = std::hypot(x - 100.0, y - 100.0);
    return {particleAt(engine, 0), particleAt(engine, 1),
            (massDifference + 1) * 6.52 / ((d + 1) * (d + 1))};
}

TEST(ParticleEngine, PullActsPerAxisByTheSideOfTheAnchor) {
    const PullResult diagonal = pullFromFixedCentre(110, 90, 0, 0);
    EXPECT_NEAR(diagonal.pulled.VelX, -diagonal.expectedPull, 1e-12);
    EXPECT_NEAR(diagonal.pulled.VelY, diagonal.expectedPull, 1e-12);
    EXPECT_EQ(diagonal.centre.VelX, 0) << "a particle that does not interact is never pulled";
    EXPECT_EQ(diagonal.centre.VelY, 0);

    const PullResult above = pullFromFixedCentre(100, 80, 0, 0);
    EXPECT_EQ(above.pulled.VelX, 0);
    EXPECT_NEAR(above.pulled.VelY, above.expectedPull, 1e-12);
}

TEST(ParticleEngine, OnlyThePullingParticlesRadiusShieldsFromItsPull) {
    const PullResult shielded = pullFromFixedCentre(110, 90, 30, 0);
    EXPECT_EQ(shielded.pulled.VelX, 0);
    EXPECT_EQ(shielded.pulled.VelY, 0);

    const PullResult ownRadius = pullFromFixedCentre(110, 90, 0, 30);
    EXPECT_NEAR(ownRadius.pulled.VelX, -ownRadius.expectedPull, 1e-12);
}

// A mass-0 particle moving right at 5 pixels per step next to a resting one
// of mass 3 that lies 10 pixels to its right.
TEST(ParticleEngine, MassZeroIsNotPulledButPullsFromItsNewAnchorWhenUpdatedFirst) {
    TParticleClass engine(clockAt0102);
    core::SetRandSeed(seedForMassFraction(0));
    engine.Emit(true, 100, 100, 90, 5, 0, 0, 0);
    core::SetRandSeed(seedForMassFraction(0));
    engine.Emit(true, 110, 100, 0, 0, 3, 0, 0);

    engine.Step();

    const TParticle light = particleAt(engine, 0);
    EXPECT_DOUBLE_EQ(light.VelX, 5);
    EXPECT_EQ(light.X, 105);
    EXPECT_EQ(light.AnchorX, 105);
    // The heavy one, updated second, already sees the new anchor 5 pixels away.
    EXPECT_NEAR(particleAt(engine, 1).VelX, -(4 * 6.52 / 36), 1e-12);
}

TEST(ParticleEngine, ParticleUpdatedFirstSeesTheOldAnchorsOfLaterOnes) {
    TParticleClass engine(clockAt0102);
    core::SetRandSeed(seedForMassFraction(0));
    engine.Emit(true, 110, 100, 0, 0, 3, 0, 0);
    core::SetRandSeed(seedForMassFraction(0));
    engine.Emit(true, 100, 100, 90, 5, 0, 0, 0);

    engine.Step();

    EXPECT_NEAR(particleAt(engine, 0).VelX, -(4 * 6.52 / 121), 1e-12);
    EXPECT_EQ(particleAt(engine, 1).AnchorX, 105);
}

TEST(ParticleEngine, SetAnchorMovesTheAnchorToTheCurrentPixel) {
    TParticleClass engine(clockAt0102);
    engine.Emit(false, 100, 100, 90, 3, 0, 1, 0);
    engine.Step();
    engine.Step();
    ASSERT_EQ(particleAt(engine, 0).AnchorX, 100);

    engine.SetAnchor(0, 4);

    const TParticle p = particleAt(engine, 0);
    EXPECT_EQ(p.AnchorX, 106);
    EXPECT_EQ(p.AnchorY, 100);
    EXPECT_EQ(p.Radius, 4);
}

TEST(ParticleEngine, DistanceSquaresWrapAroundIn32Bits) {
    EXPECT_EQ(TParticleClass::Distance(0, 0, 3, 4), 5);
    EXPECT_EQ(TParticleClass::Distance(-3, -4, 0, 0), 5);
    EXPECT_EQ(TParticleClass::Distance(0, 0, 65536, 0), 0);
    // 46341 squared passes the signed 32-bit range and is still a distance.
    EXPECT_EQ(TParticleClass::Distance(0, 0, 46341, 0), 46341);
}

TEST(ParticleEngine, DeleteMovesLaterParticlesDownAndCopiesAreIndependent) {
    TParticleClass engine(clockAt0102);
    for (int32_t x : {10, 20, 30, 40, 50}) engine.Emit(false, x, 0, 0, 0, 0, 0, 0);

    engine.Delete(1);
    engine.Delete(3);
    engine.Delete(0);

    ASSERT_EQ(engine.HighIndex(), 1);
    EXPECT_EQ(particleAt(engine, 0).X, 30);
    EXPECT_EQ(particleAt(engine, 1).X, 40);

    TParticle copy = particleAt(engine, 0);
    copy.X = 999;
    EXPECT_NE(particleAt(engine, 0).X, copy.X);
    EXPECT_EQ(particleAt(engine, 0).X, 30);

    TParticle beyond;
    beyond.X = -5;
    engine.GetParticle(engine.HighIndex() + 1, beyond);
    EXPECT_EQ(beyond.X, -5);
}

TEST(ParticleEngine, InvalidIndexRaisesTheListIndexErrorAndChangesNothing) {
    TParticleClass engine(clockAt0102);
    expectListIndexError([&] { engine.Delete(0); }, 0);
    engine.Emit(false, 10, 0, 0, 0, 0, 0, 0);
    engine.Emit(false, 20, 0, 0, 0, 0, 0, 0);

    expectListIndexError([&] { engine.Delete(2); }, 2);
    expectListIndexError([&] { engine.Delete(-1); }, -1);
    expectListIndexError([&] { engine.SetAnchor(5, 1); }, 5);
    expectListIndexError([&] { engine.SetAnchor(-3, 1); }, -3);

    ASSERT_EQ(engine.HighIndex(), 1);
    EXPECT_EQ(particleAt(engine, 0).X, 10);
    EXPECT_EQ(particleAt(engine, 1).X, 20);
}

TEST(ParticleEngine, ClearEmptiesTheListForGood) {
    TParticleClass engine(clockAt0102);
    for (int32_t i = 0; i < 100; ++i) engine.Emit(false, i, 0, 0, 0, 0, 0, 0);
    engine.Delete(40);

    engine.Clear();
    EXPECT_EQ(engine.HighIndex(), -1);
    engine.Step();
    EXPECT_EQ(engine.HighIndex(), -1);

    engine.Emit(false, 7, 0, 0, 0, 0, 0, 0);
    ASSERT_EQ(engine.HighIndex(), 0);
    EXPECT_EQ(particleAt(engine, 0).X, 7);
}

// Drives the engine with random emissions, deletions, steps and frame-like
// passes (walking the indexes downwards, deleting and appending as it goes)
// and compares it after every operation with a plain list that stores only
// what each particle must show: its column, its age and its delay.
TEST(ParticleEngine, KeepsIndexesAndOrderLikeAPlainListUnderMixedUse) {
    struct Expected {
        int32_t x;
        int32_t age;
        int32_t delay;
    };
    TParticleClass engine(clockAt0102);
    std::vector<Expected> model;
    std::mt19937 choices(20240611);
    int32_t nextId = 0;

    const auto emit = [&] {
        const int32_t delay = static_cast<int32_t>(choices() % 3);
        engine.Emit(false, nextId, 0, 0, 0, 0, 0, delay);
        model.push_back({nextId++, 0, delay});
    };
    const auto step = [&] {
        engine.Step();
        for (Expected& e : model) {
            if (e.delay != 0)
                --e.delay;
            else
                ++e.age;
        }
    };
    const auto remove = [&](int32_t index) {
        engine.Delete(index);
        model.erase(model.begin() + index);
    };

    for (int round = 0; round < 600; ++round) {
        switch (choices() % 5) {
            case 0:
            case 1:
                for (int i = 0, n = static_cast<int>(choices() % 8); i < n; ++i) emit();
                break;
            case 2:
                if (!model.empty()) remove(static_cast<int32_t>(choices() % model.size()));
                break;
            case 3:
                step();
                break;
            case 4:
                for (int32_t n = engine.HighIndex(); n >= 0; --n) {
                    if (choices() % 2 == 0) remove(n);
                    if (choices() % 4 == 0) emit();
                }
                break;
        }
        ASSERT_EQ(engine.HighIndex(), static_cast<int32_t>(model.size()) - 1) << "round " << round;
        for (size_t i = 0; i < model.size(); ++i) {
            const TParticle p = particleAt(engine, static_cast<int32_t>(i));
            ASSERT_EQ(p.X, model[i].x) << "round " << round << " index " << i;
            ASSERT_EQ(p.Age, model[i].age) << "round " << round << " index " << i;
            ASSERT_EQ(p.Delay, model[i].delay) << "round " << round << " index " << i;
        }
    }
}

}  // namespace
}  // namespace effects
