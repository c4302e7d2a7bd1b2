#include "engine/FrameTick.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "../platform/LoopHarness.h"
#include "RecordingActions.h"
#include "core/Random.h"
#include "dib/cDIBContainer.h"
#include "effects/ParticlePass.h"
#include "engine/Collisions.h"
#include "engine/Minimap.h"
#include "ui/Form.h"

namespace {

using ::testing::ElementsAre;

struct FrameTickFixture : ::testing::Test {
    test::LoopHarness h;
    ui::Form form{"Form1", h.loop};
    dib::TDIBContainer container{"DIBContainer1"};
    dib::TDIBImage backdrop{"DIBImage8", &form};
    ui::TImage minimap{"Image3"};
    ui::TImage image1{"Image1"};
    ui::TImage image2{"Image2"};
    core::GameState state;
    effects::EffectFields effects;
    effects::LevelPictures pictures{image1, image2};
    engine::PlayScene scene;
    test::RecordingActions actions;
    engine::FrameTickContext context{state, effects, pictures, backdrop, minimap, &scene, &actions};

    FrameTickFixture() {
        form.SetBounds(0, 0, 646, 585);
        container.SetBounds(24, 64, 616, 479);
        container.SetParent(&form);
        backdrop.SetParent(&container);
    }
};

TEST_F(FrameTickFixture, TheWorldBoundsCostTheShipOnEachAxis) {
    state.scrollX = 340;
    state.scrollY = -1100;
    engine::FrameTick(context);
    EXPECT_EQ(state.shipDamage, 0);
    EXPECT_FALSE(state.shipDead);
    state.scrollX = 341;
    engine::FrameTick(context);
    EXPECT_EQ(state.shipDamage, 100);
    EXPECT_TRUE(state.shipDead);
    state.scrollY = -1101;
    engine::FrameTick(context);
    EXPECT_EQ(state.shipDamage, 300);
    EXPECT_EQ(scene.coordinates, "Coord:341 / -1101");
}

TEST_F(FrameTickFixture, TheTitleVeilFadesDownAndThenSwingsBetweenFiveAndOneHundredFive) {
    std::vector<int> seen;
    for (int tick = 0; tick < 75; ++tick) {
        engine::FrameTick(context);
        seen.push_back(backdrop.Opacity());
    }
    EXPECT_EQ(seen[0], 250);
    EXPECT_EQ(seen[49], 5);
    EXPECT_EQ(seen[50], 10);
    EXPECT_EQ(seen[69], 105) << "the top of the swing";
    EXPECT_EQ(seen[70], 100);
    state.menuMode = false;
    const int before = backdrop.Opacity();
    engine::FrameTick(context);
    EXPECT_EQ(backdrop.Opacity(), before) << "no pulse during a mission";
}

TEST_F(FrameTickFixture, TheBonusLabelStaysForItsTicksThenHides) {
    scene.scoringVisible = true;
    state.scoringLabelTicks = 2;
    engine::FrameTick(context);
    engine::FrameTick(context);
    EXPECT_TRUE(scene.scoringVisible);
    EXPECT_EQ(state.scoringLabelTicks, 0);
    engine::FrameTick(context);
    EXPECT_FALSE(scene.scoringVisible);
}

TEST_F(FrameTickFixture, BeforeTheFirstEffectRequestNothingIsAnimated) {
    engine::FrameTick(context);  // no buffer, no engine: must not touch either
    EXPECT_TRUE(effects.effectBuffer.empty());
    EXPECT_EQ(scene.label3, "");
}

TEST_F(FrameTickFixture, ParticlesAreDrawnAndHandedOverEveryTick) {
    effects::SpawnEffect(effects, state, h.backend.clock(), 1280, 1280);
    pictures.HandIn(effects, core::Bitmap(1280, 1280));
    effects.particleEngine->Emit(false, 100, 100, 90, 1.0, 0, 0, 0);
    effects.particleEngine->Emit(false, 200, 200, 0, 0, 0, 0, 0);
    engine::FrameTick(context);
    EXPECT_EQ(pictures.LevelPixel(101, 100), 0x88FFFF)
        << "the moved particle is on the shown picture";
    EXPECT_EQ(scene.label3, "1/500");
}

TEST_F(FrameTickFixture, TheTrailMarksTheShipOnTheMinimapWhenSwitchedOn) {
    minimap.SetPicture(core::Bitmap(1280, 1280));
    state.scrollX = 0;
    state.scrollY = 0;
    engine::FrameTick(context);
    EXPECT_EQ(minimap.GetCanvas().Pixel(300, 134).value, 0x00FF00);  // inside the 8 x 8 square
    EXPECT_EQ(minimap.GetCanvas().Pixel(296, 130).value, 0);         // its black outline
    state.minimapTrail = false;
    state.scrollX = -100;
    engine::FrameTick(context);
    EXPECT_EQ(minimap.GetCanvas().Pixel(400, 134).value, 0);
}

// A mission over a black level picture with rock drawn into it. No effect
// request is made, so no hand-over replaces the picture or its overlays.
struct MissionFrameTest : FrameTickFixture {
    MissionFrameTest() {
        image1.SetPicture(core::Bitmap(1280, 1280));
        state.menuMode = false;
        state.enemyGone = true;             // no beam unless a test wants one
        state.scrollX = state.scrollY = 0;  // ship at (296, 130)
        scene.shipVisible = true;
    }
    void rock(int x, int y) { image1.PicturePixels().setPixel(x, y, {0x404040}); }
    void tick() { engine::FrameTick(context); }
};

std::vector<std::string> times(int n, const std::string& call) {
    return std::vector<std::string>(n, call);
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(MissionFrameTest, TwoProbesInRockCrashTheShipOneIsHarmless) {
    state.difficulty = 2;
    state.scrollVelX = 3.4;
    state.scrollVelY = -3.6;
    rock(290, 135);
    tick();
    EXPECT_EQ(state.shipDamage, 0);
    rock(306, 135);
    tick();
    EXPECT_EQ(state.shipDamage, 40) << "2 x 10 x (|3 + -4| + 1)";
    EXPECT_EQ(state.scrollVelX, 0);
    EXPECT_EQ(state.scrollVelY, 0);
    EXPECT_THAT(actions.calls, ElementsAre("effect 5", "DIBWavList2:0"));
}

TEST_F(MissionFrameTest, AShipOnTheFloorIsDestroyedOnThe151stTickAndTheMissionEnds29TicksLater) {
    rock(290, 135);
    rock(306, 135);
    for (int i = 0; i < 150; ++i) tick();
    EXPECT_FALSE(state.shipDead);
    actions.take();
    tick();
    EXPECT_EQ(actions.take(),
              (std::vector<std::string>{"effect 5", "DIBWavList2:0", "DIBWavList2:3"} +
               times(4, "effect 4") + times(1, "stop ticks")));
    EXPECT_TRUE(state.shipDead);
    EXPECT_EQ(state.shipDamage, 0);
    EXPECT_FALSE(scene.shipVisible);
    EXPECT_EQ(scene.message, "You are dead");

    // Still in rock: damage, but no more sounds.
    for (int i = 0; i < 28; ++i) tick();
    EXPECT_EQ(state.shipDamage, 280);
    EXPECT_EQ(actions.take(), times(28, "effect 5"));
    state.towing = true;
    state.cargoX = state.cargoY = 600;
    rock(616, 606);
    tick();
    EXPECT_EQ(actions.calls.back(), "end mission");
    EXPECT_EQ(state.cargoDamage, 0) << "the tick ends with the mission: no cargo test...";
    EXPECT_EQ(pictures.LevelPixel(296, 130), 0) << "...and no tow line";
}

TEST_F(MissionFrameTest, CountdownsEndOnlyWhenTheCountEqualsTheirEnd) {
    state.missionComplete = true;
    tick();
    EXPECT_THAT(actions.take(), ElementsAre("DIBWavList2:1"));
    for (int i = 0; i < 58; ++i) tick();
    EXPECT_TRUE(actions.calls.empty());
    tick();
    EXPECT_THAT(actions.take(), ElementsAre("end mission"));
    state.missionComplete = false;
    state.shipDead = true;
    state.endTicks = 30;  // already past 29: counts on, never ends
    tick();
    EXPECT_TRUE(actions.calls.empty());
}

TEST_F(MissionFrameTest, TooMuchContactLosesTheCargoAndTheShip) {
    state.cargoX = state.cargoY = 600;
    state.cargoVelY = 2;
    state.cargoDamage = 1475;
    rock(606, 616);
    tick();
    EXPECT_FALSE(state.shipDead);
    EXPECT_EQ(state.cargoVelY, 0);
    actions.take();
    tick();
    EXPECT_EQ(actions.calls,
              (std::vector<std::string>{"DIBWavList1:0", "effect 8", "DIBWavList2:3"} +
               times(4, "effect 8") + times(1, "stop ticks")));
    EXPECT_TRUE(state.shipDead);
    EXPECT_EQ(state.cargoDamage, 1500);
    EXPECT_FALSE(scene.shipVisible);
    EXPECT_EQ(scene.message, "Cargo lost. You are dead");
}

TEST_F(MissionFrameTest, ABombOnRockBesideTheEnemyCostsAndEarnsInOneTick) {
    state.missionNumber = 3;
    state.difficulty = 2;
    state.enemyGone = false;
    state.missionTicks = 1;
    state.enemyX = state.enemyY = 495;
    state.bombFlying = scene.enemyVisible = true;
    state.bombX = state.bombY = 500;
    rock(503, 510);
    tick();
    EXPECT_EQ(state.score, -300 + 2000);
    EXPECT_TRUE(state.enemyGone);
    EXPECT_FALSE(scene.enemyVisible);
    EXPECT_FALSE(state.bombFlying);
    const auto blast = times(1, "DIBWavList2:2") + times(4, "effect 9");
    EXPECT_EQ(actions.take(), blast + blast);
    tick();
    EXPECT_EQ(state.score, 1700) << "a bomb no longer flying is not tested";
}

TEST_F(MissionFrameTest, TheBeamIsDrawnOnEvenTicksOnlyAndHurtsLikeRock) {
    state.enemyGone = false;
    state.enemyX = state.enemyY = 400;
    state.beamLength = 100;
    state.missionTicks = 1;
    core::SetRandSeed(1234);
    tick();
    EXPECT_EQ(core::RandSeed(), 1234u) << "no colour drawn on odd ticks";
    EXPECT_EQ(pictures.LevelPixel(416, 405), 0);

    state.missionTicks = 0;  // a line, a spark, a line, a spark...
    tick();
    EXPECT_EQ(actions.take(), times(6, "effect 11"));
    core::SetRandSeed(1234);
    for (int i = 1; i <= 6; ++i) {
        const int32_t colour = core::Random(140) * i + 0x770011;
        core::Random(1000);  // the spark's draw
        EXPECT_EQ(pictures.LevelPixel(416, 400 + i + 4), colour) << "line " << i;
    }

    state.missionTicks = 3;
    state.scrollX = 296 - 424;  // both upper probes on the beam
    state.scrollY = 130 - 417;
    tick();
    EXPECT_EQ(state.shipDamage, 10);
}

TEST_F(MissionFrameTest, TheTowLineIsRedNotRockAndOnlyWhileTheCargoHangsOnIt) {
    state.scrollX = state.scrollY = -4;  // ship at (300, 134)
    state.cargoX = state.cargoY = 300;
    state.towing = state.cargoReleased = true;
    tick();
    EXPECT_EQ(pictures.LevelPixel(300, 134), 0);
    state.cargoReleased = false;
    tick();
    EXPECT_EQ(pictures.LevelPixel(300, 134), 0x0000FF);
    for (const int32_t notRock : {0x0000FF, 0x110011, 0x880000, -1})
        EXPECT_FALSE(engine::IsRock(notRock));
    for (const int32_t rock : {0x110012, 0x87FFFF, 0x770011 + 834})
        EXPECT_TRUE(engine::IsRock(rock));
}

TEST_F(FrameTickFixture, MissionMarkersAreExitThenCargoThenCollector) {
    minimap.SetPicture(core::Bitmap(1280, 1280, core::PixelWord::rgb(255, 255, 255)));
    state.exitX = state.exitY = 100;
    state.cargoX = state.cargoY = 108;  // overlaps the exit's corner
    state.collectorX = 300;
    state.collectorY = 200;
    engine::DrawMinimapMarkers(minimap, state);
    const ui::Canvas& canvas = minimap.GetCanvas();
    EXPECT_EQ(canvas.Pixel(104, 104).value, 0x0000FF);
    EXPECT_EQ(canvas.Pixel(112, 112).value, 0x00FFFF);
    EXPECT_EQ(canvas.Pixel(305, 205).value, 0xC0C0C0);
    EXPECT_EQ(canvas.Pixel(300, 200).value, 0) << "black outline";
    EXPECT_EQ(canvas.Pixel(316, 216).value, 0xFFFFFF) << "the far edges are outside";
}

}  // namespace
