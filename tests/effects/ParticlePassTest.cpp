#include "effects/ParticlePass.h"

#include <gtest/gtest.h>

#include "EffectsTestSupport.h"
#include "core/Random.h"
#include "effects/LevelPictures.h"

namespace {

using effects::testing::FakeClock;

// Rock as the level pictures draw it: blue 0x60, canvas value 0x604030.
constexpr core::PixelWord kRock = core::PixelWord::rgb(0x30, 0x40, 0x60);
constexpr int kSize = 200;

// A small effect buffer and its two pictures, the level painted from `level`.
struct PassFixture : ::testing::Test {
    FakeClock clock{core::TimeOfDay{}};
    core::GameState state;
    effects::EffectFields fields;
    ui::TImage image1{"Image1"};
    ui::TImage image2{"Image2"};
    effects::LevelPictures pictures{image1, image2};

    void makeBuffer(const core::Bitmap& level) {
        fields.effectPreset = 255;  // no burst: just the buffer and the engine
        effects::SpawnEffect(fields, state, clock, kSize, kSize);
        pictures.HandIn(fields, level);
        core::SetRandSeed(12345);
    }
    void emit(int x, int y, double angle, double speed) {
        fields.particleEngine->Emit(false, x, y, angle, speed, 0, 0, 0);
    }
    int count() const { return fields.particleEngine->HighIndex() + 1; }
    uint32_t buffer(int x, int y) const { return fields.effectBuffer.pixel(x, y).value; }
};

TEST(ParticleColour, FollowsTwiceTheSpeedRoundedHalfToEven) {
    EXPECT_EQ(effects::ParticleColour(1.25), 0xFFFF88u);  // 2.5 -> 2
    EXPECT_EQ(effects::ParticleColour(1.5), 0xFFAA88u);   // 3
    EXPECT_EQ(effects::ParticleColour(1.75), 0xFFDD88u);  // 3.5 -> 4
    EXPECT_EQ(effects::ParticleColour(2.25), 0xFFDD88u);  // 4.5 -> 4
    EXPECT_EQ(effects::ParticleColour(2.75), 0xFF8888u);  // 5.5 -> 6
    EXPECT_EQ(effects::ParticleColour(0.2), 0xFF8888u);
}

TEST_F(PassFixture, ParticlesMoveAreDrawnAndTheirOldPixelIsErased) {
    makeBuffer(core::Bitmap(kSize - 2, kSize - 2));
    emit(50, 50, 90, 1.0);  // one pixel right per step, drawn light yellow
    emit(20, 20, 0, 0);     // a second one, so the first may expire
    effects::ParticlePass(fields, state, pictures);
    EXPECT_EQ(buffer(51, 50), 0xFFFF88u);
    effects::ParticlePass(fields, state, pictures);
    EXPECT_EQ(buffer(51, 50), 0u);
    EXPECT_EQ(buffer(52, 50), 0xFFFF88u);
}

TEST_F(PassFixture, ParticlesLeaveOnlyBeyondTheBufferEdge) {
    makeBuffer(core::Bitmap(kSize - 2, kSize - 2));
    emit(kSize, 10, 0, 0);      // on the edge: stays
    emit(kSize + 1, 10, 0, 0);  // beyond: removed
    emit(10, -1, 0, 0);         // above: removed
    effects::ParticlePass(fields, state, pictures);
    ASSERT_EQ(count(), 1);
    effects::TParticle p;
    fields.particleEngine->GetParticle(0, p);
    EXPECT_EQ(p.X, kSize);
}

TEST_F(PassFixture, TheLastParticleIsNeverRemoved) {
    makeBuffer(core::Bitmap(kSize - 2, kSize - 2));
    emit(-50, -50, 0, 0);
    for (int i = 0; i < 100; ++i) effects::ParticlePass(fields, state, pictures);
    EXPECT_EQ(count(), 1);
}

TEST_F(PassFixture, SlowParticlesLiveTenStepsAndDieBySixty) {
    makeBuffer(core::Bitmap(kSize - 2, kSize - 2));
    for (int i = 0; i < 40; ++i)
        emit(20 + i, 20, 180, 1.0);  // slow, straight down through open space
    emit(5, 5, 0, 0);                // a keeper, so the others may all go
    for (int pass = 1; pass <= 10; ++pass) effects::ParticlePass(fields, state, pictures);
    EXPECT_EQ(count(), 41) << "no slow particle expires before age 11";
    for (int pass = 11; pass <= 59; ++pass) effects::ParticlePass(fields, state, pictures);
    const int atFiftyNine = count();
    effects::ParticlePass(fields, state, pictures);
    EXPECT_LT(atFiftyNine, 41) << "some expire with growing chance";
    EXPECT_EQ(count(), 1) << "at age 60 none survives the age test";
}

TEST_F(PassFixture, FastParticlesIgnoreAge) {
    makeBuffer(core::Bitmap(kSize - 2, kSize - 2));
    emit(0, 100, 90, 2.0);  // crosses the buffer in a hundred steps
    emit(150, 0, 180, 2.5);
    for (int pass = 0; pass < 75; ++pass) effects::ParticlePass(fields, state, pictures);
    EXPECT_EQ(count(), 2) << "fast particles outlive every slow one";
}

TEST_F(PassFixture, BurstsNextToRockWearHolesThatTheShipThenSees) {
    core::Bitmap level(kSize - 2, kSize - 2);
    level.fillRect(99, 0, 40, kSize - 2, kRock);  // rock from world x 100 to 139
    makeBuffer(level);
    for (int y = 40; y < 60; ++y)
        emit(90, y, 90, 1.0);  // a row of particles flying right into the rock
    emit(5, 5, 0, 0);
    for (int pass = 0; pass < 12; ++pass) {
        effects::ParticlePass(fields, state, pictures);
        pictures.HandOver(fields);
    }
    // Each particle stopped on the first rock pixel and erased it: a worn edge
    // one pixel deep, black on the level picture, still rock on the collision picture.
    for (int y = 40; y < 60; ++y) {
        EXPECT_EQ(pictures.LevelPixel(100, y), 0) << y;
        EXPECT_EQ(pictures.CollisionPixel(100, y), 0x604030) << y;
    }
    EXPECT_EQ(pictures.LevelPixel(100, 39), 0x604030);
    EXPECT_EQ(pictures.LevelPixel(101, 50), 0x604030);
}

TEST_F(PassFixture, AParticleFliesOnWhereTheDiagonalNeighbourIsWorn) {
    core::Bitmap level(kSize - 2, kSize - 2);
    level.fillRect(99, 0, 40, kSize - 2, kRock);
    makeBuffer(level);
    // Wear a tunnel into the shown picture as earlier particles would have.
    for (int x = 100; x < 130; ++x) effects::PutPixel(fields, x, 51, 0);
    pictures.HandOver(fields);
    emit(97, 50, 90, 1.0);
    emit(5, 5, 0, 0);
    for (int pass = 0; pass < 8; ++pass) {
        effects::ParticlePass(fields, state, pictures);
        pictures.HandOver(fields);
    }
    ASSERT_EQ(count(), 2);
    effects::TParticle p;
    fields.particleEngine->GetParticle(0, p);
    EXPECT_EQ(p.X, 105) << "it flew on through the rock";
}

TEST_F(PassFixture, TheExhaustDoublesTheParticlesUntilMoreThanThreeHundredLive) {
    makeBuffer(core::Bitmap(kSize - 2, kSize - 2));
    state.scrollX = 296 - 100;  // the ship over the middle of the small buffer
    state.scrollY = 130 - 100;
    fields.particleCap = 1500;
    emit(100, 100, 0, 0);
    state.engineOn = true;
    std::vector<int> counts;
    for (int pass = 0; pass < 9; ++pass) {
        effects::ParticlePass(fields, state, pictures);
        counts.push_back(count());
    }
    // 256 particles: the 47th visit finds 301 and switches the exhaust off
    // after emitting once more.
    EXPECT_EQ(counts, (std::vector<int>{2, 4, 8, 16, 32, 64, 128, 256, 303}));
    EXPECT_FALSE(state.engineOn);
}

TEST_F(PassFixture, TheExhaustStopsAtTheBudget) {
    makeBuffer(core::Bitmap(kSize - 2, kSize - 2));
    state.scrollX = 196;
    state.scrollY = 30;
    fields.particleCap = 20;
    emit(100, 100, 0, 0);
    state.engineOn = true;
    for (int pass = 0; pass < 6; ++pass) effects::ParticlePass(fields, state, pictures);
    EXPECT_EQ(count(), 21) << "emits only while the highest index is below the budget";
}

TEST_F(PassFixture, HandOverShowsTheBufferAndDropsOverlays) {
    makeBuffer(core::Bitmap(kSize - 2, kSize - 2));
    effects::PutPixel(fields, 10, 10, 0xFFFF88);
    EXPECT_EQ(pictures.LevelPixel(10, 10), 0) << "not shown before the hand-over";
    pictures.DrawOverlayLine(core::CanvasColor{0x770011}, 20, 30, 60, 32);
    EXPECT_EQ(pictures.LevelPixel(20, 30), 0x770011);
    EXPECT_EQ(buffer(20, 30), 0u) << "overlays never reach the buffer";
    pictures.HandOver(fields);
    EXPECT_EQ(pictures.LevelPixel(10, 10), 0x88FFFF);
    EXPECT_EQ(pictures.LevelPixel(20, 30), 0) << "the overlay is gone at the next hand-over";
    EXPECT_EQ(pictures.LevelPixel(-1, 0), -1);
    EXPECT_EQ(pictures.CollisionPixel(10, 10), 0) << "the collision picture keeps the unworn level";
}

TEST_F(PassFixture, AHandOverAfterManyWritesCopiesEverything) {
    makeBuffer(core::Bitmap(kSize - 2, kSize - 2));
    for (int y = 1; y < kSize - 1; ++y)
        for (int x = 1; x < kSize - 1; ++x) effects::PutPixel(fields, x, y, 0x123456);
    pictures.HandOver(fields);
    for (int y = 0; y < kSize; y += 7)
        for (int x = 0; x < kSize; x += 7)
            ASSERT_EQ(image1.Picture().pixel(x, y).value, buffer(x, y));
}

TEST_F(PassFixture, HandInPaintsOverTheOldContentAtOneOne) {
    makeBuffer(core::Bitmap(kSize - 2, kSize - 2, kRock));
    EXPECT_EQ(buffer(1, 1), kRock.value);
    EXPECT_EQ(buffer(0, 0), 0u);
    effects::PutPixel(fields, 50, 50, 0xFFFF88);
    pictures.HandIn(fields, core::Bitmap(10, 10));  // a smaller picture: the rest stays
    EXPECT_EQ(buffer(5, 5), 0u);
    EXPECT_EQ(buffer(50, 50), 0xFFFF88u);
    EXPECT_EQ(pictures.CollisionPixel(50, 50), 0x88FFFF);
}

// The order of the draws is part of the game: a replay from the same seed must
// see the same sparks. Every particle inside the picture draws its age chance
// once per pass, fast ones too; the exhaust draws angle, hundredths and speed
// step in that order, then the engine draws the mass.
TEST_F(PassFixture, TheRandomDrawsComeInTheGamesOrder) {
    makeBuffer(core::Bitmap(kSize - 2, kSize - 2));
    for (int i = 0; i < 6; ++i) emit(40 + 10 * i, 60, 90, i % 2 == 0 ? 0.5 : 2.5);
    core::SetRandSeed(777);
    effects::testing::LcgModel model{777};
    effects::ParticlePass(fields, state, pictures);
    for (int i = 0; i < 6; ++i) model.draw(50);
    EXPECT_EQ(core::RandSeed(), model.seed) << "one age draw per particle, whatever its speed";

    state.engineOn = true;
    state.shipAngle = 30;
    state.scrollX = 296 - 100;
    state.scrollY = 130 - 120;
    fields.particleCap = 100;
    fields.particleEngine->Clear();
    emit(10, 10, 0, 0);
    core::SetRandSeed(4242);
    model.seed = 4242;
    effects::ParticlePass(fields, state, pictures);
    const int turn = model.draw(20);
    const int hundredths = model.draw(100);
    const int step = model.draw(4);
    const int mass = model.draw(100);
    ASSERT_EQ(count(), 2);
    effects::TParticle exhaust;
    fields.particleEngine->GetParticle(1, exhaust);
    EXPECT_EQ(exhaust.X, 100);
    EXPECT_EQ(exhaust.Y, 120);
    EXPECT_EQ(exhaust.Angle, 30 + 180 - turn);
    EXPECT_EQ(exhaust.Speed, hundredths / 100.0 + (step + 3) / 5.0);
    EXPECT_EQ(exhaust.Mass, 2 + mass / 100.0);
    EXPECT_EQ(core::RandSeed(), model.seed);
}

// Rock stops a particle only where the collision picture's canvas value lies
// strictly between 17 and white, and the shown picture's diagonal neighbour
// is not yet worn.
TEST_F(PassFixture, NearBlackAndWhiteCollisionPixelsAreNotRock) {
    const struct {
        core::PixelWord colour;  // canvas values 17, 18 and 0xFFFFFF
        bool rock;
    } cases[] = {{core::PixelWord::rgb(0x11, 0, 0), false},
                 {core::PixelWord::rgb(0x12, 0, 0), true},
                 {core::PixelWord::rgb(0xFF, 0xFF, 0xFF), false}};
    for (const auto& c : cases) {
        core::Bitmap level(kSize - 2, kSize - 2);
        level.fillRect(48, 48, 4, 4, c.colour);  // world 49..52: the spot and its diagonal
        makeBuffer(level);
        fields.particleEngine->Clear();
        emit(50, 50, 0, 0);
        emit(5, 5, 0, 0);
        effects::ParticlePass(fields, state, pictures);
        EXPECT_EQ(count(), c.rock ? 1 : 2) << std::hex << c.colour.value;
    }
}

}  // namespace
