#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/Random.h"
#include "effects/EffectBuffer.h"
#include "tests/effects/EffectsTestSupport.h"

namespace effects {
namespace {

using testing::FakeClock;
using testing::LcgModel;

constexpr int levelSize = 1280;
const core::TimeOfDay requestTime{2005, 6, 15, 10, 20, 30, 405};
constexpr uint32_t requestTimeSeed = ((10u * 60 + 20) * 60 + 30) * 1000 + 405;

class SpawnEffectTest : public ::testing::Test {
  protected:
    FakeClock clock{requestTime};
    EffectFields fields;
    core::GameState state;

    void request(uint8_t preset, int width = levelSize, int height = levelSize) {
        fields.effectPreset = preset;
        SpawnEffect(fields, state, clock, width, height);
    }
    int32_t particleCount() const { return fields.particleEngine->HighIndex() + 1; }
    TParticle particleAt(int32_t index) const {
        TParticle particle;
        fields.particleEngine->GetParticle(index, particle);
        return particle;
    }
    // Every pixel that is not black, as (x, y).
    std::vector<std::pair<int, int>> litPixels() const {
        std::vector<std::pair<int, int>> lit;
        const core::Bitmap& buffer = fields.effectBuffer;
        for (int y = 0; y < buffer.height(); ++y)
            for (int x = 0; x < buffer.width(); ++x)
                if (buffer.pixel(x, y).value != 0) lit.emplace_back(x, y);
        return lit;
    }
};

TEST_F(SpawnEffectTest, FirstRequestCreatesABlackBufferAndTheEngine) {
    PutPixel(fields, 5, 5, 0xFFFFFF);  // before any request there is nothing to write into
    EXPECT_FALSE(state.effectsReady);

    request(255);

    ASSERT_TRUE(state.effectsReady);
    ASSERT_NE(fields.particleEngine, nullptr);
    EXPECT_EQ(fields.effectBuffer.width(), levelSize);
    EXPECT_EQ(fields.effectBuffer.height(), levelSize);
    EXPECT_TRUE(litPixels().empty());
    for (int y = 0; y < levelSize; ++y) ASSERT_EQ(fields.rowTable[y], fields.effectBuffer.row(y));
    EXPECT_EQ(fields.rowTable[levelSize], nullptr);
    EXPECT_EQ(core::RandSeed(), requestTimeSeed);
    EXPECT_EQ(fields.particleCap, 500) << "a preset without a burst keeps the starting budget";
    EXPECT_EQ(particleCount(), 0);
}

TEST_F(SpawnEffectTest, LaterRequestsKeepTheBufferTheEngineAndTheSequence) {
    request(255);
    const TParticleClass* engine = fields.particleEngine.get();
    PutPixel(fields, 3, 4, 0x123456);
    core::SetRandSeed(42);

    request(255);

    EXPECT_EQ(fields.particleEngine.get(), engine);
    EXPECT_EQ(core::RandSeed(), 42u);
    EXPECT_EQ(fields.effectBuffer.pixel(3, 4).value, 0x123456u);
}

TEST_F(SpawnEffectTest, PutPixelNeverWritesTheOutermostRowsAndColumns) {
    request(255, 8, 6);
    for (auto [x, y] : {std::pair{0, 5}, {5, 0}, {7, 3}, {3, 5}, {-1, 2}, {2, -1}, {8, 2}, {2, 6}})
        PutPixel(fields, x, y, 0xFFFF88);
    EXPECT_TRUE(litPixels().empty());

    PutPixel(fields, 1, 1, 0xFF8888);
    PutPixel(fields, 6, 4, 0xFFDD88);

    const std::vector<std::pair<int, int>> expected{{1, 1}, {6, 4}};
    EXPECT_EQ(litPixels(), expected);
    EXPECT_EQ(fields.effectBuffer.pixel(1, 1).value, 0xFF8888u);
    EXPECT_EQ(fields.effectBuffer.pixel(6, 4).value, 0xFFDD88u);
}

TEST_F(SpawnEffectTest, BufferTallerThanTheRowTableIsRefused) {
    EXPECT_THROW(request(255, 2, 1282), std::length_error);
    EXPECT_FALSE(state.effectsReady);
    EXPECT_EQ(fields.particleEngine, nullptr);

    request(255, 2, 1281);
    EXPECT_EQ(fields.rowTable[1280], fields.effectBuffer.row(1280));
}

TEST_F(SpawnEffectTest, BudgetsAndCountsFollowThePreset) {
    request(11);
    EXPECT_EQ(fields.particleCap, 501);
    EXPECT_EQ(particleCount(), 1);

    for (int i = 0; i < 4; ++i) request(4);
    EXPECT_EQ(fields.particleCap, 1500);
    EXPECT_EQ(particleCount(), 4001);

    request(5);
    EXPECT_EQ(fields.particleCap, 700);
    EXPECT_EQ(particleCount(), 4201);

    request(6);
    EXPECT_EQ(fields.particleCap, 700) << "a preset without a burst leaves the budget";
    EXPECT_EQ(particleCount(), 4201) << "and emits nothing";

    request(9);
    EXPECT_EQ(fields.particleCap, 1000);
    EXPECT_EQ(particleCount(), 4701);

    request(7);
    request(8);
    EXPECT_EQ(particleCount(), 5101);
}

TEST_F(SpawnEffectTest, FirstBurstDrawsFromTheClockSeed) {
    state.enemyX = 300;
    state.enemyY = 400;
    request(11);

    LcgModel model{requestTimeSeed};
    const double angle = model.draw(1000) / 1000.0 * 501;
    const int32_t whole = 1 + model.draw(3);
    const double speed = whole + model.draw(1000) / 1000.0;
    const double mass = model.draw(100) / 100.0;
    const TParticle spark = particleAt(0);
    EXPECT_EQ(spark.X, 310);
    EXPECT_EQ(spark.Y, 410);
    EXPECT_DOUBLE_EQ(spark.Angle, angle);
    EXPECT_DOUBLE_EQ(spark.Speed, speed);
    EXPECT_DOUBLE_EQ(spark.Mass, mass);
    EXPECT_EQ(core::RandSeed(), model.seed);
}

// Where a preset's particles start and how fast they fly, written out from
// the table of bursts for the state set up in ExactParticlesForAFixedSeed.
struct ExpectedBurst {
    uint8_t preset;
    int32_t count;
    int32_t originX;
    int32_t originY;
    bool spread;  // a random 0 .. 17 is added to each coordinate
    int32_t speedBase;
    int32_t speedSteps;
};

void PrintTo(const ExpectedBurst& burst, std::ostream* out) {
    *out << "preset " << static_cast<int>(burst.preset);
}

class ExactBurst : public SpawnEffectTest, public ::testing::WithParamInterface<ExpectedBurst> {};

TEST_P(ExactBurst, ParticlesFollowTheDrawOrderForAFixedSeed) {
    const ExpectedBurst burst = GetParam();
    state.scrollX = 40;
    state.scrollY = -25;
    state.cargoX = 500;
    state.cargoY = 600;
    state.bombX = 700;
    state.bombY = 800;
    state.enemyX = 900;
    state.enemyY = 1000;
    request(255);
    const uint32_t seed = 0x5EED1234;
    core::SetRandSeed(seed);

    request(burst.preset);

    ASSERT_EQ(particleCount(), burst.count);
    LcgModel model{seed};
    for (int32_t i = 0; i < burst.count; ++i) {
        const int32_t k = 501 + i;
        const int32_t y = burst.originY + (burst.spread ? model.draw(18) : 0);
        const double angle = model.draw(1000) / 1000.0 * k;
        const int32_t whole = burst.speedBase + model.draw(burst.speedSteps);
        const double speed = whole + model.draw(1000) / 1000.0;
        const int32_t x = burst.originX + (burst.spread ? model.draw(18) : 0);
        const double mass = model.draw(100) / 100.0;

        const TParticle p = particleAt(i);
        ASSERT_EQ(p.X, x) << "particle " << i;
        ASSERT_EQ(p.Y, y) << "particle " << i;
        ASSERT_DOUBLE_EQ(p.Angle, angle) << "particle " << i;
        ASSERT_DOUBLE_EQ(p.Speed, speed) << "particle " << i;
        ASSERT_DOUBLE_EQ(p.Mass, mass) << "particle " << i;
        ASSERT_FALSE(p.Interact);
        ASSERT_EQ(p.Radius, 0);
        ASSERT_EQ(p.Delay, 0);
        ASSERT_EQ(p.AnchorX, x);
        ASSERT_EQ(p.AnchorY, y);
    }
    EXPECT_EQ(core::RandSeed(), model.seed);
}

INSTANTIATE_TEST_SUITE_P(EveryPreset, ExactBurst,
                         ::testing::Values(ExpectedBurst{4, 1000, 288 - 40, 122 + 25, true, 0, 5},
                                           ExpectedBurst{5, 200, 288 - 40, 122 + 25, true, 0, 5},
                                           ExpectedBurst{7, 200, 296 - 40, 130 + 25, false, 1, 3},
                                           ExpectedBurst{8, 200, 500, 600, true, 0, 5},
                                           ExpectedBurst{9, 500, 700 - 4, 800 + 2, true, 0, 5},
                                           ExpectedBurst{11, 1, 910, 1010, false, 1, 3}),
                         [](const ::testing::TestParamInfo<ExpectedBurst>& info) {
                             return "Preset" + std::to_string(info.param.preset);
                         });

}  // namespace
}  // namespace effects
