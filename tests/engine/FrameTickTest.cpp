#include "engine/FrameTick.h"

#include <gtest/gtest.h>

#include "../platform/LoopHarness.h"
#include "dib/cDIBContainer.h"
#include "ui/Form.h"
#include "effects/ParticlePass.h"

namespace {

struct FrameTickFixture : ::testing::Test {
    test::LoopHarness h;
    ui::Form form{"Form1", h.loop};
    dib::TDIBContainer container{"DIBContainer1"};
    dib::TDIBImage backdrop{"DIBImage8", &form};
    ui::TLabel scoring{"Label_Scoring"};
    ui::TImage minimap{"Image3"};
    ui::TLabel coordinates{"Label12"};
    ui::TLabel particles{"Label3"};
    ui::TImage image1{"Image1"};
    ui::TImage image2{"Image2"};
    core::GameState state;
    effects::EffectFields effects;
    effects::LevelPictures pictures{image1, image2};
    engine::FrameTickContext context{state,   effects, pictures,    backdrop,
                                     scoring, minimap, coordinates, particles};

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
    EXPECT_EQ(coordinates.Caption(), "Coord:341 / -1101");
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
    scoring.Show();
    state.scoringLabelTicks = 2;
    engine::FrameTick(context);
    engine::FrameTick(context);
    EXPECT_TRUE(scoring.Visible());
    EXPECT_EQ(state.scoringLabelTicks, 0);
    engine::FrameTick(context);
    EXPECT_FALSE(scoring.Visible());
}

TEST_F(FrameTickFixture, BeforeTheFirstEffectRequestNothingIsAnimated) {
    engine::FrameTick(context);  // no buffer, no engine: must not touch either
    EXPECT_TRUE(effects.effectBuffer.empty());
    EXPECT_EQ(particles.Caption(), "");
}

TEST_F(FrameTickFixture, ParticlesAreDrawnAndHandedOverEveryTick) {
    effects::SpawnEffect(effects, state, h.backend.clock(), 1280, 1280);
    pictures.HandIn(effects, core::Bitmap(1280, 1280));
    effects.particleEngine->Emit(false, 100, 100, 90, 1.0, 0, 0, 0);
    effects.particleEngine->Emit(false, 200, 200, 0, 0, 0, 0, 0);
    engine::FrameTick(context);
    EXPECT_EQ(pictures.LevelPixel(101, 100), 0x88FFFF)
        << "the moved particle is on the shown picture";
    EXPECT_EQ(particles.Caption(), "1/500");
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

}  // namespace
