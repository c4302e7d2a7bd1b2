#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "RecordingActions.h"
#include "engine/ControlTick.h"
#include "engine/Hints.h"
#include "engine/MissionTick.h"

namespace {

using ::testing::ElementsAre;

// The control and mission ticks of a mission 4 on Beginner, without gravity.
// The ship's world position is (296, 130).
struct FlightTicks : ::testing::Test {
    core::GameState s;
    engine::PlayScene scene;
    test::RecordingActions actions;

    FlightTicks() {
        s.menuMode = false;
        s.missionNumber = 4;
        s.gravity = 0;
        s.scrollX = s.scrollY = 0;
        s.cargoInMission = s.enemyGone = true;
        s.exitX = s.exitY = 900;
    }
    void missionTick(uint32_t nowMs = 0) { engine::MissionTick(s, scene, actions, nowMs); }
    void keys(const engine::ShipInput& input) { engine::ControlTick(s, scene, input, actions); }
};

TEST_F(FlightTicks, TurnsWrapWithoutModuloAndHomeStandsTheShipUp) {
    const struct {
        int from;
        bool left;
        int to;
    } turns[] = {{1, true, 359}, {0, true, 359}, {3, true, 0}, {358, false, 0}, {356, false, 359}};
    for (const auto& t : turns) {
        s.shipAngle = t.from;
        keys({.turnLeft = t.left, .turnRight = !t.left});
        EXPECT_EQ(s.shipAngle, t.to) << "from " << t.from << (t.left ? " left" : " right");
    }
    keys({.turnLeft = true, .home = true});
    EXPECT_EQ(s.shipAngle, 0);
}

TEST_F(FlightTicks, TheLastFuelUnitFiresOnceAndAnyKeyReleaseStopsTheEngine) {
    s.fuel = 2;
    keys({.thrust = true});
    engine::KeyReleased(s);
    EXPECT_FALSE(s.engineOn);
    keys({.thrust = true});
    EXPECT_TRUE(s.engineOn);
    keys({.thrust = true});
    EXPECT_FALSE(s.engineOn);
    EXPECT_EQ(s.fuel, 0);
    EXPECT_THAT(actions.calls, ElementsAre("engine", "engine"));
}

TEST_F(FlightTicks, SkippingEndsTheMissionAsAWinAndTheTickGoesOn) {
    s.fuel = 10;
    keys({.skipMission = true, .thrust = true, .quit = true});
    EXPECT_TRUE(s.exitOpen && s.missionComplete);
    EXPECT_EQ(s.missionNumber, 5);
    EXPECT_THAT(actions.calls, ElementsAre("end mission", "engine", "quit question"));
}

TEST_F(FlightTicks, ABombLeavesWithTheShipsVelocityAKickBackAndItsOwnGravity) {
    s.scrollX = 100;
    s.scrollY = 50;
    keys({.dropBomb = true});  // hovering: at the ship, still
    EXPECT_EQ(s.bombX, 196);
    EXPECT_FALSE(std::signbit(s.bombVelX));
    EXPECT_EQ(scene.bomb, (engine::SpritePlace{296, 130}));
    EXPECT_TRUE(scene.bombVisible);
    s.gravity = -0.01;  // the cave that pulls upwards
    for (int i = 0; i < 5; ++i) missionTick();
    EXPECT_EQ(s.bombY, 80 + 0 + 0 + 1 + 1 + 1);
    EXPECT_EQ(scene.bomb.top, s.bombY + 50);

    s.scrollVelX = -2.6;  // ship moving right and up
    s.scrollVelY = 1.4;
    keys({.dropBomb = true});
    EXPECT_EQ(s.bombX, 196) << "one bomb at a time";
    s.bombFlying = false;
    keys({.dropBomb = true});
    EXPECT_EQ(s.bombVelX, 2.6);
    EXPECT_EQ(s.bombX, 196 - 3);
    EXPECT_EQ(s.bombY, 80 - 1);
}

TEST_F(FlightTicks, HookTowReleaseTakeUpAgainAndDeliver) {
    s.cargoX = 300;  // resting right inside the collector's zone
    s.cargoY = 150;
    s.collectorX = 290;
    s.collectorY = 140;
    s.scrollX = 36;  // the box sprite 48 right of the ship's: too far
    missionTick();
    keys({.hookCargo = true});
    EXPECT_FALSE(s.towing);
    EXPECT_TRUE(scene.hintVisible);
    s.scrollX = 0;
    missionTick();
    keys({.hookCargo = true});
    EXPECT_TRUE(s.towing);
    EXPECT_EQ(s.cargoVelX, 1.2) << "the box sprite is 12 right of the ship's";

    // Hanging below beyond the slack, the cargo pulls the ship down and is
    // pulled up. Over the collector on the line, it is not delivered.
    missionTick();
    EXPECT_EQ(s.scrollVelY, -0.2);
    EXPECT_EQ(s.cargoVelY, -1.1);
    EXPECT_FALSE(s.exitOpen);

    keys({.releaseCargo = true});
    EXPECT_EQ(s.cargoVelX, 0) << "a Beginner's cargo drops straight";
    s.scrollX = s.scrollY = -500;  // far away, yet it can be taken up again
    keys({.hookCargo = true});
    EXPECT_FALSE(s.cargoReleased);
    keys({.releaseCargo = true});
    s.scrollX = s.scrollY = 0;
    EXPECT_THAT(actions.take(), ElementsAre("DIBWavList2:5", "DIBWavList2:5"));

    s.cargoY = 150;
    s.cargoVelY = 3.6;
    s.gravity = 0.15;
    scene.box = {310, 160};  // where the sprite was last placed
    missionTick();
    EXPECT_EQ(s.score, 1916);
    EXPECT_EQ(s.cargoY, 154) << "falling on, 3.6 + 0.15 a tick";
    EXPECT_EQ(scene.scoring, "Cargo bonus :1916");
    EXPECT_EQ(scene.scoringLeft, 310);
    EXPECT_EQ(s.scoringLabelTicks, 45);
    EXPECT_TRUE(s.exitOpen && !s.towing && scene.exitVisible);
    EXPECT_EQ(scene.hint, engine::kHintFindExit);
    EXPECT_THAT(actions.take(), ElementsAre("DIBWavList2:4"));

    // Delivered, it lies still and cannot be hooked again.
    missionTick();
    keys({.hookCargo = true});
    EXPECT_EQ(s.cargoY, 154);
    EXPECT_FALSE(s.towing);
}

// A released cargo is taken while its top lies less than 8 above the
// collector's: at 8 above it stays out, at 7 the exit opens.
TEST_F(FlightTicks, TheCollectorTakesACargoUpTo7AboveItsTop) {
    s.collectorX = 290;
    s.collectorY = 140;
    s.cargoX = 300;
    s.towing = s.cargoReleased = true;
    s.cargoY = 132;
    missionTick();
    EXPECT_FALSE(s.exitOpen);
    s.cargoY = 133;
    missionTick();
    EXPECT_TRUE(s.exitOpen);
}

TEST_F(FlightTicks, EnteringTheOpenExitWinsWithFuelAndTimeBonus) {
    s.missionNumber = 1;
    s.fuel = 1200;
    s.exitOpen = true;
    s.exitX = 296 - 50;  // on the square's edge: not inside
    s.exitY = 130 - 1;
    s.missionTicks = 10000;            // passes 10000 and starts over
    s.missionStartTick = 0xFFFFF000u;  // the counter wraps on the way
    const uint32_t now = s.missionStartTick + 25'999;
    missionTick(now);
    EXPECT_FALSE(s.missionComplete);
    s.exitX += 1;
    missionTick(now);
    EXPECT_TRUE(s.missionComplete);
    EXPECT_EQ(s.missionTicks, 1);
    EXPECT_EQ(s.missionNumber, 2);
    EXPECT_EQ(s.score, 480 + 3000);
    EXPECT_EQ(scene.message, "Mission Success\r\nFuel Bonus : 480\r\nTime Bonus : 3000");
    EXPECT_TRUE(scene.messageVisible && !scene.shipVisible && !scene.exitVisible);
    EXPECT_THAT(actions.calls, ElementsAre("DIBWavList2:1", "effect 4", "effect 4", "effect 4",
                                           "effect 4", "stop ticks"));
}

}  // namespace
