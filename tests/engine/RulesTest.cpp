#include <gtest/gtest.h>

#include "engine/Bonuses.h"
#include "engine/Flight.h"
#include "engine/Hints.h"
#include "engine/TimeText.h"

namespace {

TEST(Flight, TheEngineTableAddsBothRowsWhereTheirHeadingsOverlap) {
    // Per mission tick, before gravity; 0 is nose up, positive velY lifts.
    const struct {
        int heading;
        double velX, velY;
    } cases[] = {{0, -0.00625, 1.0},
                 {90, -1.4125, 0.208333},
                 {180, 0.053935, -0.75},
                 {270, 1.000007, 0.208333},
                 {359, 0.375, 0.978261}};
    for (const auto& c : cases) {
        core::GameState s;
        s.shipAngle = c.heading;
        engine::ApplyEngineForce(s);
        EXPECT_NEAR(s.scrollVelX, c.velX, 1e-6) << "heading " << c.heading;
        EXPECT_NEAR(s.scrollVelY, c.velY, 1e-6) << "heading " << c.heading;
    }
}

TEST(Flight, GravityRoundingLimitsAndTheBeginnersDamping) {
    core::GameState s;
    s.scrollX = s.scrollY = 0;
    s.scrollVelY = 2.6;   // 2.5 after gravity, rounded to even
    s.scrollVelX = -7.5;  // damped to -7.45, then held at -7
    engine::FlyVertically(s);
    engine::FlyHorizontally(s);
    EXPECT_EQ(s.scrollY, 2);
    EXPECT_EQ(s.scrollX, -7);
    s.difficulty = 2;
    s.scrollVelX = 0.3;
    engine::FlyHorizontally(s);
    EXPECT_EQ(s.scrollVelX, 0.3) << "no damping above Beginner";

    // However fast the ship goes, the world scrolls at most 7 a tick each way.
    for (const double fast : {9.4, -9.4}) {
        s.scrollX = s.scrollY = 0;
        s.scrollVelX = s.scrollVelY = fast;
        engine::FlyVertically(s);
        engine::FlyHorizontally(s);
        EXPECT_EQ(s.scrollY, fast > 0 ? 7 : -7);
        EXPECT_EQ(s.scrollX, fast > 0 ? 7 : -7);
    }
}

TEST(Scoring, Bonuses) {
    EXPECT_EQ(engine::TimeBonus(1, 1, 25), 3000);
    EXPECT_EQ(engine::FuelBonus(1200, 2, 1), 480);
    EXPECT_EQ(engine::TimeBonus(2, 3, 200), 0) << "late is 0, not negative";
    EXPECT_EQ(engine::TimeBonus(2, 3, 4'000'000), 0) << "no overflow after days";
    // Slower than half a pixel on both axes, 300 damage on Normal.
    EXPECT_EQ(engine::CargoBonus(0.4, -0.5, 7, 2, 300), 1350);
    EXPECT_EQ(engine::CargoBonus(0, 3.6, 4, 1, 0), 1916);
    // Components taken absolute one by one: 1 + 4, not |1 - 4|.
    EXPECT_EQ(engine::CargoBonus(1.2, -3.6, 4, 1, 0), 5 * 104 + 1500);
}

TEST(Scoring, TimeText) {
    const std::pair<double, const char*> cases[] = {
        {5.4, "05s"},    {60, "60s"},      {60.5, "1m00s"},    {65, "1m05s"},
        {750, "12m30s"}, {3600, "60m00s"}, {3605, "1H00m05s"}, {3725, "1H02m05s"}};
    for (const auto& [seconds, text] : cases) EXPECT_EQ(engine::TimeText(seconds), text) << seconds;
}

TEST(Hints, LaterRulesWinAndNoRuleKeepsTheLastText) {
    core::GameState s;
    s.scrollX = s.scrollY = 0;  // ship at (296, 130)
    s.cargoX = 296 + 63;        // near is closer than 64 on both axes
    s.cargoY = 130 - 63;
    s.collectorX = 296 - 64;
    s.collectorY = 130;
    std::string hint;
    const auto hintNow = [&] {
        engine::ChooseHint(s, hint);
        return hint;
    };
    EXPECT_EQ(hintNow(), "Connect to cargo. Use [ UP ARROW KEY ]");
    s.cargoX += 1;
    EXPECT_EQ(
        hintNow(),
        "Connect to the cargo (red Ball). Use UP ARROW KEY when close to the Cargo to connect ");
    s.towing = true;
    EXPECT_EQ(hintNow(), "Release the Cargo with DOWN ARROW KEY when over the gray collector.");
    s.collectorX += 1;
    EXPECT_EQ(hintNow(), "Release the Cargo with [ DOWN ARROW KEY ]");
    s.enemyX = 250;
    s.enemyY = 100;
    EXPECT_EQ(hintNow(), "Destroy the enemy energi beamer [ CTRL KEY ]");
    s.enemyGone = s.cargoReleased = true;
    hint = "kept";
    EXPECT_EQ(hintNow(), "kept");
}

}  // namespace
