#include "core/GameState.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(GameState, StartsWithTheGameInitialValues) {
    const core::GameState s;
    EXPECT_TRUE(s.menuMode);
    EXPECT_EQ(s.difficulty, 1);
    EXPECT_EQ(s.towSlack, 4);
    EXPECT_DOUBLE_EQ(s.towCargoPull, 1.1);
    EXPECT_DOUBLE_EQ(s.towShipPull, 0.2);
    EXPECT_DOUBLE_EQ(s.gravity, 0.1);
    EXPECT_EQ(s.scrollX, 100);
    EXPECT_EQ(s.scrollY, 100);
    EXPECT_TRUE(s.minimapTrail);
    EXPECT_FALSE(s.effectsReady);
    EXPECT_EQ(s.lives, 0);
    EXPECT_EQ(s.missionNumber, 0);
}

// Tools list and set the state by these names; a variable missing from the
// table, or out of order, would silently drop out of every dump.
TEST(GameState, FieldTableNamesEveryVariableInOrder) {
    const std::vector<std::string> expected{"menuMode",
                                            "backdropFadingOut",
                                            "difficulty",
                                            "towShipPull",
                                            "towSlack",
                                            "towCargoPull",
                                            "gravity",
                                            "paused",
                                            "missionNumber",
                                            "lives",
                                            "score",
                                            "lastLifeScore",
                                            "fuel",
                                            "shipDamage",
                                            "cargoDamage",
                                            "scrollX",
                                            "scrollY",
                                            "scrollVelX",
                                            "scrollVelY",
                                            "shipAngle",
                                            "engineOn",
                                            "towing",
                                            "cargoReleased",
                                            "cargoInMission",
                                            "cargoX",
                                            "cargoY",
                                            "cargoVelX",
                                            "cargoVelY",
                                            "collectorX",
                                            "collectorY",
                                            "exitOpen",
                                            "exitX",
                                            "exitY",
                                            "missionComplete",
                                            "enemyGone",
                                            "enemyX",
                                            "enemyY",
                                            "beamLength",
                                            "bombFlying",
                                            "bombX",
                                            "bombY",
                                            "bombVelX",
                                            "bombVelY",
                                            "shipDead",
                                            "endTicks",
                                            "missionStartTick",
                                            "timeBonus",
                                            "missionTicks",
                                            "scoringLabelTicks",
                                            "minimapTrail",
                                            "effectsReady"};
    std::vector<std::string> names;
    for (const auto& field : core::gameStateFields()) names.emplace_back(field.name);
    EXPECT_EQ(names, expected);
}

TEST(GameState, FieldsReachTheirOwnVariable) {
    core::GameState s;
    const auto* fuel = core::findGameStateField("fuel");
    ASSERT_NE(fuel, nullptr);
    s.*std::get<int32_t core::GameState::*>(fuel->member) = 1234;
    EXPECT_EQ(s.fuel, 1234);

    const auto* slack = core::findGameStateField("towSlack");
    ASSERT_NE(slack, nullptr);
    EXPECT_EQ(s.*std::get<uint8_t core::GameState::*>(slack->member), 4);

    const auto* tick = core::findGameStateField("missionStartTick");
    ASSERT_NE(tick, nullptr);
    EXPECT_TRUE(std::holds_alternative<uint32_t core::GameState::*>(tick->member));

    EXPECT_EQ(core::findGameStateField("nosuchvariable"), nullptr);
}

}  // namespace
