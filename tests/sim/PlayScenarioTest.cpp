// Scenarios of play, driven through tarnwick-sim with the shipped levels:
// menu clicks start a mission, keys fly it.
#include <gtest/gtest.h>

#include <filesystem>

#include "../app/TestJpeg.h"
#include "SimRunner.h"
#include "core/ArchivePassword.h"

namespace {

using namespace simtest;
using testfiles::TemporaryFolder;

// From the title through the first briefing into mission 1.
const std::string kIntoMissionOne =
    "clock 12:00:00.000\nstart\nwait 300\nclick DIBFadeLabel1\nwait 100\nclick diblabel5\n";

RunResult play(const std::string& script) {
    TemporaryFolder data;
    return runSim(data.folder(), kIntoMissionOne + script, "");
}

// Mission 1 won with menu clicks and key presses only: the cargo hooked,
// towed, released over the collector for its bonus, the exit entered for the
// fuel and time bonuses, and after the success countdown the briefing of
// mission 2 with no life taken.
TEST(PlayScenario, MissionOneIsWonByKeysAlone) {
    TemporaryFolder data;
    const RunResult r = runSim(
        data.folder(), testfiles::readFile(TARNWICK_SCRIPTS_DIR "/mission1-won-by-keys.txt"), "");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 7u);
    // Delivered: the exit is open and the bonus label shows the cargo bonus,
    // (|vy| + |vx|) x 101 + 1500 - damage: a slow drop, 100 damage.
    EXPECT_EQ(jsonValue(out[0], "exitOpen"), "true");
    EXPECT_EQ(jsonValue(out[0], "towing"), "false");
    EXPECT_EQ(jsonValue(out[0], "score"), "1501");
    EXPECT_EQ(jsonValue(out[1], "Caption"), "\"Cargo bonus :1501\"");
    // In the exit: fuel bonus (fuel div 5) x 2 x 1 = 304, no time bonus left.
    EXPECT_EQ(jsonValue(out[2], "missionComplete"), "true");
    EXPECT_EQ(jsonValue(out[2], "missionNumber"), "2");
    EXPECT_EQ(jsonValue(out[2], "score"), "1805");
    EXPECT_EQ(jsonValue(out[3], "Caption"),
              "\"Mission Success\\r\\nFuel Bonus : 304\\r\\nTime Bonus : 0\"");
    EXPECT_EQ(jsonValue(out[4], "lives"), "3");
    EXPECT_EQ(jsonValue(out[4], "lastLifeScore"), "1805");
    EXPECT_EQ(jsonValue(out[4], "timers").find("\"timer1\":{\"Enabled\":true"), std::string::npos);
    EXPECT_EQ(jsonValue(out[5], "Caption"), "\"Level 2\"");
    // Hooked ("tow"), delivered ("openexit"), the exit's "Spawn" twice.
    const std::string& sounds = out[6];
    for (const char* sound : {"DIBWavList2:5", "DIBWavList2:4"})
        EXPECT_NE(sounds.find(sound), std::string::npos) << sound;
    const size_t spawn = sounds.find("DIBWavList2:1");
    ASSERT_NE(spawn, std::string::npos);
    EXPECT_NE(sounds.find("DIBWavList2:1", spawn + 1), std::string::npos) << "Spawn plays twice";
}

// The first mission tick of mission 1: the play view with its heads-up
// display, the hint, the ship, the spare ships and the minimap's markers.
TEST(PlayScenario, MissionOneStartsAsItsGoldenFrame) {
    expectGoldenFrame("mission1-start", kIntoMissionOne + "wait 100\n");
}

// Without "engine1.wav" the game says so once and plays on in silence. The
// idle ship sinks onto rock and, already worn, is destroyed by the crash:
// the explosion, "You are dead", the flight ticks stop at once and after 30
// frame ticks the same briefing returns with a life fewer.
TEST(PlayScenario, AShipDestroyedOnRockCostsALifeAndTheEngineSoundIsMissedOnce) {
    TemporaryFolder program;
    TemporaryFolder data;
    const std::filesystem::path shipped = std::filesystem::path(TARNWICK_SIM_PATH).parent_path();
    for (const char* name : {"level.zip", "Pelwyn-Skyrush 2k4_64.wma"})
        std::filesystem::copy_file(shipped / name, program.path() / name);
    const RunResult r = runSim(
        data.folder(),
        "clock 12:00:00.000\nstart\nwait 300\nclick DIBFadeLabel1\nwait 10\ndump\nanswer ok\n"
        "click diblabel5\nset shipDamage 1490\nwait 7000\ndump\ncontrol Label10\nsounds\n"
        "wait 2250\ndump\ncontrol Label8\n",
        program.folder());
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 6u);
    EXPECT_NE(jsonValue(out[0], "modal").find("engine1.wav"), std::string::npos) << out[0];
    EXPECT_EQ(jsonValue(out[1], "shipDead"), "true");
    EXPECT_LT(std::stoi(jsonValue(out[1], "shipDamage")), 1500) << "reset when destroyed";
    EXPECT_EQ(jsonValue(out[1], "timers").find("\"timer1\":{\"Enabled\":true"), std::string::npos);
    EXPECT_EQ(jsonValue(out[2], "Caption"), "\"You are dead\"");
    EXPECT_EQ(jsonValue(out[2], "Visible"), "true");
    EXPECT_NE(out[3].find("\"DIBWavList2:0\",\"DIBWavList2:3\""), std::string::npos)
        << "bump, then the explosion: " << out[3];
    EXPECT_EQ(jsonValue(out[4], "lives"), "2");
    EXPECT_EQ(jsonValue(out[4], "missionNumber"), "1");
    EXPECT_EQ(jsonValue(out[4], "modal"), "null") << "the missing sound is reported once";
    EXPECT_EQ(jsonValue(out[5], "Caption"), "\"Level 1\"");
}

// The hidden skip combination ends mission 1 as won; in mission 2 a bomb
// dropped over the enemy beamer destroys it for difficulty x 1000 points.
TEST(PlayScenario, SkippingToMissionTwoAndBombingTheEnemy) {
    const RunResult r =
        play("wait 200\n" + kSkip +
             "dump\nclick diblabel5\nwait 200\ndump\ncontrol enemy\n"
             // Hover just above the enemy at world (226, 370) and let a bomb fall.
             "set scrollX 66\nset scrollY -220\nset gravity 0\nset scrollVelY 0\nwait 100\n"
             "press ctrl\nwait 20\nrelease ctrl\nwait 1500\ndump\ncontrol enemy\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 5u);
    EXPECT_EQ(jsonValue(out[0], "missionNumber"), "2");
    EXPECT_EQ(jsonValue(out[0], "lives"), "3") << "a skip takes no life";
    EXPECT_EQ(jsonValue(out[1], "enemyGone"), "false");
    EXPECT_EQ(jsonValue(out[2], "Visible"), "true");
    EXPECT_EQ(jsonValue(out[3], "enemyGone"), "true");
    EXPECT_EQ(jsonValue(out[3], "score"), "1000");
    EXPECT_EQ(jsonValue(out[3], "bombFlying"), "false");
    EXPECT_EQ(jsonValue(out[4], "Visible"), "false");
}

TEST(PlayScenario, TheQuitQuestionLetsTheShipFallAndNoResumesYesAbandons) {
    const RunResult r = play(
        "wait 500\npress space\npress escape\nwait 20\nrelease escape\ndump\n"
        "press space\nwait 1000\ndump\nrelease space\nanswer no\nwait 20\ndump\n"
        "control dxContainer1\ncontrol diblabel5\n"
        "press escape\nwait 20\nrelease escape\nanswer yes\nwait 20\ndump\ncontrol fuelbar\n"
        "control DIBFadeLabel1\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 8u);
    EXPECT_EQ(jsonValue(out[0], "modal"), "\"Abandon current game ?\"");
    // The ship fell on behind the question, and Space answered nothing.
    EXPECT_EQ(jsonValue(out[1], "modal"), "\"Abandon current game ?\"");
    EXPECT_LT(std::stod(jsonValue(out[1], "scrollVelY")),
              std::stod(jsonValue(out[0], "scrollVelY")));
    EXPECT_NE(jsonValue(out[1], "timers").find("\"DIBTimer2\":{\"Enabled\":false"),
              std::string::npos);
    // No: the play ticks run again on the play screen.
    EXPECT_EQ(jsonValue(out[2], "modal"), "null");
    EXPECT_EQ(jsonValue(out[2], "timers"), timersJson(true, true, true, false));
    EXPECT_EQ(jsonValue(out[3], "Visible"), "true") << "the minimap";
    EXPECT_EQ(jsonValue(out[4], "Visible"), "false") << "\"Start Mission\"";
    // Yes: the title menu, every timer stopped, lives and score kept.
    EXPECT_EQ(jsonValue(out[5], "menuMode"), "true");
    EXPECT_EQ(jsonValue(out[5], "missionNumber"), "0");
    EXPECT_EQ(jsonValue(out[5], "lives"), "3");
    EXPECT_EQ(jsonValue(out[5], "timers"), timersJson(false, false, false, false));
    EXPECT_EQ(jsonValue(out[6], "Visible"), "false") << "the fuel bar";
    EXPECT_EQ(jsonValue(out[7], "Visible"), "true") << "\"Start game\"";
}

// The ship is lost behind the question (flown out of the world's bounds):
// the mission ends and the next briefing comes up inside the question's
// loop. No must then only close the box, not revive the finished mission.
// When that was the last ship, the game ends behind the question and its
// score waits on the upload panel: Yes then only closes the box too, and the
// record keeps the mission the last life was lost in.
TEST(PlayScenario, AnswersAfterTheMissionOrTheGameEndedBehindTheQuestionOnlyCloseIt) {
    const std::string loseTheShipBehindTheQuestion =
        "press escape\nwait 20\nrelease escape\nset scrollX 400\nwait 3000\ndump\n";
    const RunResult r = play("wait 200\n" + loseTheShipBehindTheQuestion +
                             "answer no\nwait 1000\ndump\ncontrol diblabel5\n"
                             "set lives 1\nset score 500\nclick diblabel5\nwait 200\n" +
                             loseTheShipBehindTheQuestion +
                             "answer yes\nwait 20\ndump\ncontrol dxContainer2\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 6u) << r.out;
    EXPECT_EQ(jsonValue(out[0], "lives"), "2") << "the loss was booked behind the question";
    EXPECT_EQ(jsonValue(out[1], "lives"), "2") << "and only once";
    EXPECT_EQ(jsonValue(out[1], "timers"), timersJson(false, false, false, false));
    EXPECT_EQ(jsonValue(out[2], "Visible"), "true") << "the briefing stays up";
    EXPECT_EQ(jsonValue(out[3], "menuMode"), "true") << "the game ended behind the question";
    EXPECT_EQ(jsonValue(out[3], "modal"), "\"Abandon current game ?\"");
    EXPECT_EQ(jsonValue(out[4], "modal"), "null");
    EXPECT_EQ(jsonValue(out[4], "missionNumber"), "1") << "the mission stays on the record";
    EXPECT_EQ(jsonValue(out[4], "score"), "500");
    EXPECT_EQ(jsonValue(out[5], "Visible"), "true") << "the upload panel stays open";
}

// Control was let go while the question was open: the bomb step after the
// question looks at the keys as they are then, and drops nothing.
TEST(PlayScenario, TheStepsAfterTheQuestionLookAtTheKeysAsTheyAreWhenItCloses) {
    const RunResult r = play(
        "wait 200\npress ctrl\npress escape\nwait 20\nrelease ctrl\nrelease escape\n"
        "answer no\nwait 20\ndump\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(jsonValue(r.out, "modal"), "null");
    EXPECT_EQ(jsonValue(r.out, "bombFlying"), "false");
}

TEST(PlayScenario, AScriptErrorInsideTheQuestionEndsTheRunWithItsLine) {
    const RunResult r = play("wait 100\npress escape\nwait 20\nfly away\ndump\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("line 10: unknown command: fly"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
}

// Pause freezes a countdown; resuming continues it and starts the flight
// ticks the loss had stopped, as the game always did.
TEST(PlayScenario, PauseFreezesTheCountdownAndResumeContinuesIt) {
    const RunResult r = play(
        "wait 100\nset scrollX 400\nwait 300\npress p\nrelease p\nwait 10\ndump\ncontrol pauseg\n"
        "wait 2000\ndump\npress p\nrelease p\nwait 3000\ndump\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(jsonValue(out[0], "paused"), "true");
    EXPECT_EQ(jsonValue(out[1], "Visible"), "true");
    EXPECT_EQ(jsonValue(out[1], "FontColor"), "255");
    EXPECT_EQ(jsonValue(out[2], "endTicks"), jsonValue(out[0], "endTicks")) << "frozen";
    EXPECT_EQ(jsonValue(out[3], "paused"), "false");
    EXPECT_EQ(jsonValue(out[3], "lives"), "2") << "the countdown ran out after the pause";
    EXPECT_EQ(jsonValue(out[3], "missionNumber"), "1");
}

// A game whose archive lacks mission 1's picture: both "Start game" and
// "Start Mission" report it and return to the title, with no timer left
// running behind a still screen.
TEST(PlayScenario, ALevelPictureThatCannotBeLoadedReturnsToTheTitle) {
    TemporaryFolder program;
    TemporaryFolder data;
    const std::filesystem::path shipped = std::filesystem::path(TARNWICK_SIM_PATH).parent_path();
    const std::filesystem::path pack = program.path() / "pack";
    std::filesystem::create_directories(pack);
    for (const char* name : {"level_Main.jpg", "Level_hs.jpg"})
        testfiles::writeFile(pack / name, testfiles::encodeJpeg(64, 48));
    for (const char* name : {"engine1.wav", "Pelwyn-Skyrush 2k4_64.wma"})
        std::filesystem::copy_file(shipped / name, program.path() / name);
    ASSERT_TRUE(packLevelArchive(pack, "*.jpg"));
    const std::string stopped = timersJson(false, false, false, false);
    const RunResult r = runSim(data.folder(),
                               "start\nwait 300\nclick DIBFadeLabel1\nwait 10\ndump\nanswer ok\n"
                               "set menuMode false\nset missionNumber 1\nclick DIBFadeLabel1\n"
                               "wait 10\nclick diblabel5\nwait 10\ndump\n",
                               program.folder());
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 2u);
    for (const std::string& dump : out) {
        EXPECT_NE(jsonValue(dump, "modal").find("level0_big.jpg"), std::string::npos) << dump;
        EXPECT_EQ(jsonValue(dump, "menuMode"), "true");
        EXPECT_EQ(jsonValue(dump, "missionNumber"), "0");
        EXPECT_EQ(jsonValue(dump, "timers"), stopped);
    }
}

}  // namespace
