// Whole games through tarnwick-sim: options, lives, the end of a game and a
// second game after it. The hidden skip keys move through the missions.
#include <gtest/gtest.h>

#include "SimRunner.h"

namespace {

using namespace simtest;
using testfiles::TemporaryFolder;

const std::string kStart = "clock 12:00:00.000\nstart\nwait 300\n";
// Flying out of the world's bounds loses the ship 30 frame ticks later.
const std::string kLoseShip = "set scrollX 400\nwait 2400\n";

RunResult playGame(const std::string& script) {
    TemporaryFolder data;
    return runSim(data.folder(), kStart + script, "");
}

TEST(GameFlow, TheDifficultyCyclesThroughItsThreeLevelsAndMusicStopsAndResumes) {
    const RunResult r = playGame(
        "click DIBFadeLabel4\ndump\nclick DIBFadeLabel4\ndump\ncontrol DIBFadeLabel4\n"
        "click DIBFadeLabel4\ndump\ncontrol DIBFadeLabel4\n"
        "sounds\nclick DIBFadeLabel5\ncontrol DIBFadeLabel5\nclick DIBFadeLabel5\n"
        "control DIBFadeLabel5\nsounds\nclick DIBFadeLabel6\ndump\ncontrol DIBFadeLabel6\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 11u) << r.out;
    auto tow = [](const std::string& dump) {
        return jsonValue(dump, "difficulty") + " " + jsonValue(dump, "towSlack") + " " +
               jsonValue(dump, "towCargoPull") + " " + jsonValue(dump, "towShipPull");
    };
    EXPECT_EQ(tow(out[0]), "2 12 0.5 0.3");
    EXPECT_EQ(tow(out[1]), "3 24 0.5 0.5");
    EXPECT_EQ(jsonValue(out[2], "Caption"), "\"Level : Expert\"");
    EXPECT_EQ(tow(out[3]), "1 4 1.1 0.2");
    EXPECT_EQ(jsonValue(out[4], "Caption"), "\"Level : Beginner\"");
    EXPECT_EQ(jsonValue(out[6], "Caption"), "\"Music : Off\"");
    EXPECT_EQ(jsonValue(out[7], "Caption"), "\"Music : On\"");
    EXPECT_EQ(out[8], "[\"music:stop\",\"music:play\"]") << "played on, not loaded again";
    EXPECT_EQ(jsonValue(out[9], "minimapTrail"), "false");
    EXPECT_EQ(jsonValue(out[10], "Caption"), "\"MiniMap ship : Off\"");
}

// A retry of mission 1 keeps the minimap with the last attempt's trail (its
// briefing loads no picture); a retry of mission 4 starts from a clean one.
// (28, 18) and (29, 19) are where the minimap samples the first trail squares
// of missions 1 and 4.
TEST(GameFlow, ALostShipCostsALifeAndOnlyMissionOneKeepsItsTrail) {
    const RunResult r = playGame(
        "click DIBFadeLabel1\nwait 10\nclick diblabel5\ndump\ncontrol DIBImage3\n"
        "control DIBImage4\ncontrol DIBImage5\nwait 500\npixel 28 18\n" +
        kLoseShip + "dump\ncontrol Label8\nclick diblabel5\npixel 28 18\nwait 500\n" + kSkip +
        "click diblabel5\nwait 20\n" + kSkip + "click diblabel5\nwait 20\n" + kSkip +
        "click diblabel5\nwait 500\npixel 29 19\n" + kLoseShip +
        "control Label8\nclick diblabel5\npixel 29 19\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 11u) << r.out;
    constexpr const char* kGreen = "65280";
    EXPECT_EQ(jsonValue(out[0], "lives"), "3");
    EXPECT_EQ(jsonValue(out[1], "Visible"), "true");
    EXPECT_EQ(jsonValue(out[2], "Visible"), "true");
    EXPECT_EQ(jsonValue(out[3], "Visible"), "false") << "two spare ships for three lives";
    EXPECT_EQ(jsonValue(out[4], "rgb"), kGreen) << "the trail shows";
    EXPECT_EQ(jsonValue(out[5], "lives"), "2");
    EXPECT_EQ(jsonValue(out[6], "Caption"), "\"Level 1\"");
    EXPECT_EQ(jsonValue(out[7], "rgb"), kGreen) << "the first attempt's trail is still there";
    EXPECT_EQ(jsonValue(out[8], "rgb"), kGreen);
    EXPECT_EQ(jsonValue(out[9], "Caption"), "\"Level 4\"");
    EXPECT_NE(jsonValue(out[10], "rgb"), kGreen) << "mission 4 loads its picture afresh";
}

// Extra ships for scores passed since the briefing: 50000 exactly gives
// none, 50001 gives one, a mission across two thresholds gives two.
TEST(GameFlow, ExtraLivesComeAtTheExactThresholds) {
    const RunResult r = playGame(
        "click DIBFadeLabel1\nwait 10\nclick diblabel5\nset lastLifeScore 49900\n"
        "set score 50000\nwait 20\n" +
        kSkip +
        "dump\nsounds\n"
        "click diblabel5\nset lastLifeScore 49900\nset score 50001\nwait 20\n" +
        kSkip +
        "dump\nsounds\nclick diblabel5\nset lastLifeScore 49000\nset score 100001\nwait 20\n" +
        kSkip + "dump\nsounds\ncontrol DIBImage7\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 7u) << r.out;
    EXPECT_EQ(jsonValue(out[0], "lives"), "3");
    EXPECT_EQ(out[1].find("DIBWavList2:6"), std::string::npos);
    EXPECT_EQ(jsonValue(out[2], "lives"), "4");
    EXPECT_EQ(jsonValue(out[2], "lastLifeScore"), "50001") << "the next briefing's base";
    EXPECT_NE(out[3].find("\"DIBWavList2:6\""), std::string::npos);
    EXPECT_EQ(jsonValue(out[4], "lives"), "6");
    EXPECT_NE(out[5].find("\"DIBWavList2:6\",\"DIBWavList2:6\""), std::string::npos) << out[5];
    EXPECT_EQ(jsonValue(out[6], "Visible"), "true") << "five spare ships at most, all shown";
}

// The tenth mission won at Expert with two lives: its briefing once more,
// then "Start Mission" ends the game with 2 x 3 x 10000 points, the upload
// panel over the menu with an empty, focused name field that takes a "p"
// as a letter. "Cancel" closes it; a second game starts afresh.
TEST(GameFlow, AGameWonToTheEndPaysItsLivesAndOffersTheUpload) {
    const RunResult r = playGame(
        "click DIBFadeLabel4\nclick DIBFadeLabel4\nclick DIBFadeLabel1\nwait 10\n"
        "set missionNumber 9\nclick diblabel5\nwait 20\n" +
        kSkip + "click diblabel5\nset lives 2\nwait 20\n" + kSkip +
        "dump\ncontrol Label8\nclick diblabel5\nwait 20\ndump\ncontrol dxContainer2\n"
        "control Label_score\ntype p\ncontrol Edit1\ncontrol Label8\ncontrol Shape1\n"
        "click dxButton2\nwait 20\ncontrol dxContainer2\nclick DIBFadeLabel1\nwait 10\ndump\n"
        "control Label8\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 11u) << r.out;
    EXPECT_EQ(jsonValue(out[0], "missionNumber"), "11");
    EXPECT_EQ(jsonValue(out[1], "Caption"), "\"Level 10\"") << "the last briefing once more";
    EXPECT_EQ(jsonValue(out[2], "score"), "60000");
    EXPECT_EQ(jsonValue(out[2], "menuMode"), "true");
    EXPECT_NE(jsonValue(out[2], "timers").find("\"DIBTimer3\":{\"Enabled\":true"),
              std::string::npos)
        << "the game-over menu brings the title's bursts back";
    EXPECT_NE(jsonValue(out[2], "timers").find("\"DIBTimer2\":{\"Enabled\":false"),
              std::string::npos);
    EXPECT_EQ(jsonValue(out[3], "Visible"), "true");
    EXPECT_EQ(jsonValue(out[4], "Caption"), "\"60000\"");
    EXPECT_EQ(jsonValue(out[5], "Text"), "\"p\"");
    EXPECT_EQ(jsonValue(out[6], "Visible"), "false") << "no heading after a game";
    EXPECT_EQ(jsonValue(out[7], "Visible"), "false") << "nor the separator";
    EXPECT_EQ(jsonValue(out[8], "Visible"), "false") << "Cancel closed the panel";
    EXPECT_EQ(jsonValue(out[9], "missionNumber"), "0");
    EXPECT_EQ(jsonValue(out[9], "lives"), "3");
    EXPECT_EQ(jsonValue(out[9], "score"), "0");
    EXPECT_EQ(jsonValue(out[10], "Caption"), "\"Level 1\"");
    EXPECT_EQ(jsonValue(out[9], "paused"), "false");
}

TEST(GameFlow, TheLastShipLostWithoutPointsReturnsToTheStillTitle) {
    const RunResult r = playGame(
        "click DIBFadeLabel1\nwait 10\nclick diblabel5\nset lives 1\n"
        "set score -300\nwait 20\n" +
        kLoseShip + "dump\ncontrol dxContainer2\ncontrol DIBImage8\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 3u) << r.out;
    EXPECT_EQ(jsonValue(out[0], "lives"), "0");
    EXPECT_EQ(jsonValue(out[0], "score"), "-300");
    EXPECT_EQ(jsonValue(out[0], "menuMode"), "true");
    EXPECT_EQ(jsonValue(out[0], "timers"), timersJson(false, false, false, false))
        << "the title after a lost game is still";
    EXPECT_EQ(jsonValue(out[1], "Visible"), "false") << "no upload for a score below 1";
    EXPECT_EQ(jsonValue(out[2], "Visible"), "true") << "the title's veil";
}

}  // namespace
