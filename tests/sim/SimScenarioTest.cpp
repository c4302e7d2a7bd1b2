// Scenario tests: whole scripts played through tarnwick-sim, the way
// reviewers and later tests drive the game.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "../app/TestFiles.h"
#include "../app/TestJpeg.h"
#include "SimRunner.h"
#include "core/ArchivePassword.h"

namespace {

using namespace simtest;
using testfiles::TemporaryFolder;

// A level archive holding the upload panel's picture, as the asset build makes it.
void writeArchive(const TemporaryFolder& folder) {
    testfiles::writeFile(folder.path() / "pack" / "Level_hs.jpg", testfiles::encodeJpeg(64, 48));
    ASSERT_TRUE(packLevelArchive(folder.path() / "pack", "Level_hs.jpg"));
}

TEST(SimScenario, FreshStartShowsTheInitialStateAndTheMissingArchive) {
    TemporaryFolder folder;
    const RunResult r = runSim(folder.folder(), "start\nwait 100\ndump\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 1u);
    const std::string& dump = out[0];
    EXPECT_EQ(jsonValue(dump, "scrollX"), "0");
    EXPECT_EQ(jsonValue(dump, "scrollY"), "0");
    EXPECT_EQ(jsonValue(dump, "effectPreset"), "255");
    EXPECT_EQ(jsonValue(dump, "difficulty"), "1");
    EXPECT_EQ(jsonValue(dump, "towSlack"), "4");
    EXPECT_EQ(jsonValue(dump, "towCargoPull"), "1.1");
    EXPECT_EQ(jsonValue(dump, "towShipPull"), "0.2");
    EXPECT_EQ(jsonValue(dump, "minimapTrail"), "true");
    EXPECT_EQ(jsonValue(dump, "menuMode"), "true");
    EXPECT_EQ(jsonValue(dump, "particles"), "0");
    EXPECT_EQ(jsonValue(dump, "timers"), timersJson(false, false, false, true, 250));
    const std::string modal = jsonValue(dump, "modal");
    EXPECT_NE(modal.find("level.zip"), std::string::npos) << modal;
}

TEST(SimScenario, AGoodArchiveUnpacksAndOnlyTheMissingMusicIsReported) {
    TemporaryFolder folder;
    writeArchive(folder);
    // Without music the Music option meets a player with nothing open.
    const RunResult r =
        runSim(folder.folder(),
               "start\nwait 10\ndump\nanswer ok\nwait 10\ndump\nsounds\nclick DIBFadeLabel5\n"
               "wait 10\ndump\ncontrol DIBFadeLabel5\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 5u);
    EXPECT_EQ(jsonValue(out[0], "modal"), "\"MP3 file \\r\\n" + folder.folder() +
                                              "Pelwyn-Skyrush 2k4_64.wma\\r\\ndoes not exist!\"");
    EXPECT_EQ(jsonValue(out[1], "modal"), "null");
    EXPECT_EQ(out[2], "[]");
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "Level_hs.jpg"));
    EXPECT_EQ(jsonValue(out[3], "modal"), "\"No MCI device open\"");
    EXPECT_EQ(jsonValue(out[4], "Caption"), "\"Music : On\"") << "the caption is the state";
}

TEST(SimScenario, StartUpErrorsQueueOneBoxAfterAnother) {
    TemporaryFolder folder;
    writeArchive(folder);
    std::filesystem::remove(folder.path() / "pack" / "Level_hs.jpg");
    // An archive whose only entry is not the picture: the picture load fails.
    testfiles::writeFile(folder.path() / "pack" / "other.txt", "x");
    std::filesystem::remove(folder.path() / "level.zip");
    ASSERT_TRUE(packLevelArchive(folder.path() / "pack", "other.txt"));
    const RunResult r = runSim(folder.folder(), "start\ndump\nanswer ok\ndump\nanswer ok\ndump\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_NE(jsonValue(out[0], "modal").find("Level_hs.jpg"), std::string::npos) << out[0];
    EXPECT_NE(jsonValue(out[1], "modal").find("MP3 file"), std::string::npos) << out[1];
    EXPECT_EQ(jsonValue(out[2], "modal"), "null");
}

TEST(SimScenario, SetEffectAndShotActOnTheRunningGame) {
    TemporaryFolder folder;
    const std::string shot = folder.folder() + "window.png";
    const RunResult r =
        runSim(folder.folder(),
               "clock 01:02:03.004\nstart\nset fuel 1234\nset towCargoPull 0.5\nset paused true\n"
               "effect 11\nwait 1\ndump\nshot " +
                   shot + "\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(jsonValue(out[0], "fuel"), "1234");
    EXPECT_EQ(jsonValue(out[0], "towCargoPull"), "0.5");
    EXPECT_EQ(jsonValue(out[0], "paused"), "true");
    EXPECT_EQ(jsonValue(out[0], "particleCap"), "501");
    EXPECT_EQ(jsonValue(out[0], "particles"), "1");
    EXPECT_EQ(jsonValue(out[0], "effectsReady"), "true");
    // A PNG of the whole client area: width and height sit in the IHDR chunk.
    const std::string png = testfiles::readFile(shot);
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    auto be32 = [&](size_t at) {
        return (static_cast<unsigned char>(png[at]) << 24) |
               (static_cast<unsigned char>(png[at + 1]) << 16) |
               (static_cast<unsigned char>(png[at + 2]) << 8) |
               static_cast<unsigned char>(png[at + 3]);
    };
    EXPECT_EQ(be32(16), 646);
    EXPECT_EQ(be32(20), 585);
}

TEST(SimScenario, TheSameScriptPrintsTheSameOutput) {
    TemporaryFolder folder;
    const std::string script =
        "clock 23:59:59.990\nstart\neffect 4\neffect 9\nwait 500\ndump\nsounds\nquit\n";
    const RunResult first = runSim(folder.folder(), script);
    const RunResult second = runSim(folder.folder(), script);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, second.out);
    EXPECT_NE(jsonValue(lines(first.out)[0], "particles"), "0");
}

TEST(SimScenario, ScriptErrorsEndWithStatusTwoAndNameTheLine) {
    TemporaryFolder folder;
    const struct {
        const char* script;
        const char* message;
    } cases[] = {
        {"start\nwait 10\n# a comment\nfly\n", "line 4: unknown command: fly"},
        {"start\nanswer ok\nanswer ok\nanswer ok\n", "line 4: no box is open"},
        {"dump\n", "line 1: the script must start the program before dump"},
        {"start\nclick NoSuchControl\n", "line 2: no control named NoSuchControl"},
        {"start\nset nosuch 1\n", "line 2: no game-state variable named nosuch"},
        {"start\nset fuel lots\n", "line 2: not a whole number: lots"},
        {"start\npress F1\n", "line 2: unknown key: F1"},
        {"clock 25:00:00.000\nstart\n", "line 1: clock takes HH:MM:SS.mmm"},
        {"clock 12:00:00.5\nstart\n", "line 1: clock takes HH:MM:SS.mmm"},
        {"clock 1:2:3.4\nstart\n", "line 1: clock takes HH:MM:SS.mmm"},
        {"start\nset difficulty 0\n", "line 2: 0 is out of range (1 to 3)"},
        {"start\nset effectPreset 300\n", "line 2: 300 is out of range (0 to 255)"},
        {"start\nset lives -1\n", "line 2: -1 is out of range"},
        {"start\nset fuel 99999999999\n", "line 2: 99999999999 is out of range"},
        {"start\nset scrollVelX nan\n", "line 2: not a finite number: nan"},
        {"start\neffect 300\n", "line 2: 300 is out of range"},
        {"start\nwait 86400001\n", "line 2: wait takes 0 to 86400000 ms"},
        {"start\ntick 5 16\n", "line 2: out of step with the recording: no timer is due at 5"},
        {"start\ntick 300 16\n", "line 2: out of step with the recording: the timer due at 300"},
        {"start\nwait 100\nat 50\n", "line 3: at 50 lies before the present time 100"},
        {"start\nkeydown space again\n", "line 2: keydown takes a key and optionally repeat"},
    };
    for (const auto& c : cases) {
        const RunResult r = runSim(folder.folder(), c.script);
        EXPECT_EQ(r.status, 2) << c.script;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.script << " gave: " << r.err;
    }
}

TEST(SimScenario, EndsCleanlyWithABoxStillOpenOrAfterQuit) {
    TemporaryFolder folder;
    EXPECT_EQ(runSim(folder.folder(), "start\nwait 50\n").status, 0);
    const RunResult quit = runSim(folder.folder(), "start\nquit\nwait 100\ndump\n");
    EXPECT_EQ(quit.status, 0) << quit.err;
    EXPECT_EQ(quit.out, "") << "nothing runs after the window closed";
    const RunResult exitGame = runSim(
        folder.folder(), "start\nanswer ok\nanswer ok\nclick DIBFadeLabel3\nwait 100\ndump\n");
    EXPECT_EQ(exitGame.status, 0) << exitGame.err;
    EXPECT_EQ(exitGame.out, "") << "\"Exit Game\" ends the program";
}

TEST(SimScenario, WithTheShippedFilesTheTitleTickBringsInTheWorldAndItsBursts) {
    TemporaryFolder data;
    const RunResult r = runSim(
        data.folder(),
        "start\nwait 249\ndump\nwait 1\ndump\nsounds\nwait 4000\ndump\ncontrol DIBImage8\n", "");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 5u);
    EXPECT_EQ(jsonValue(out[0], "modal"), "null") << "the shipped files start without a complaint";
    EXPECT_EQ(jsonValue(out[0], "effectsReady"), "false");
    // A quarter second in: the first burst of 200 and the title world.
    EXPECT_EQ(jsonValue(out[1], "effectsReady"), "true");
    EXPECT_EQ(jsonValue(out[1], "particleCap"), "700");
    EXPECT_EQ(jsonValue(out[1], "particles"), "200");
    EXPECT_EQ(jsonValue(out[1], "timers"), timersJson(true, false, false, true));
    EXPECT_EQ(out[2], "[\"music:play\"]");
    EXPECT_TRUE(std::filesystem::exists(data.path() / "level_Main.jpg"));
    // Four seconds later a second burst has come; the first ones have worn out.
    EXPECT_NE(jsonValue(out[3], "particles"), "200");
    // 53 frame ticks from 255 down by 5 to 5, then up again: 20 and rising.
    EXPECT_EQ(jsonValue(out[3], "backdropFadingOut"), "false");
    EXPECT_EQ(jsonValue(out[4], "Opacity"), "20");
}

TEST(SimScenario, EveryCommandIsCarriedOutAndTheScriptGoesOn) {
    TemporaryFolder folder;
    const std::string shot = folder.folder() + "s.png";
    // Commands that give the game neither input nor time must not end the run.
    const std::string commands[] = {"wait 0",  "wait 20",        "press space",  "release space",
                                    "type",    "type abc",       "click Label8", "hover Label8",
                                    "unhover", "answer ok",      "set fuel 5",   "effect 3",
                                    "dump",    "control Label8", "sounds",       "shot " + shot};
    for (const std::string& command : commands) {
        const RunResult r =
            runSim(folder.folder(), "start\nwait 0\n" + command + "\nwait 0\ndump\n");
        ASSERT_EQ(r.status, 0) << command << ": " << r.err;
        const auto out = lines(r.out);
        ASSERT_FALSE(out.empty()) << command;
        EXPECT_NE(jsonValue(out.back(), "menuMode"), "(missing)") << command << " dropped the dump";
    }
}

TEST(SimScenario, WithoutTheTitleWorldTheTitleRunsOnAndItsBurstsExpire) {
    TemporaryFolder folder;
    const RunResult r = runSim(folder.folder(),
                               "start\nanswer ok\nanswer ok\nwait 300\ndump\nanswer ok\n"
                               "wait 20000\ndump\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_NE(jsonValue(out[0], "modal").find("level_Main.jpg"), std::string::npos) << out[0];
    EXPECT_EQ(jsonValue(out[1], "modal"), "null") << "the failed load is reported once";
    EXPECT_EQ(jsonValue(out[1], "timers"), timersJson(true, false, false, true));
    EXPECT_LT(std::stoi(jsonValue(out[1], "particles")), 1000) << "the bursts wear out as usual";
}

TEST(SimScenario, MusicThatCameInTheArchiveIsFoundInTheDataFolder) {
    TemporaryFolder program;
    TemporaryFolder data;
    const std::filesystem::path shipped =
        std::filesystem::path(TARNWICK_SIM_PATH).parent_path() / "Pelwyn-Skyrush 2k4_64.wma";
    std::filesystem::create_directories(program.path() / "pack");
    std::filesystem::copy_file(shipped, program.path() / "pack" / shipped.filename());
    testfiles::writeFile(program.path() / "pack" / "Level_hs.jpg", testfiles::encodeJpeg(64, 48));
    ASSERT_TRUE(
        packLevelArchive(program.path() / "pack", "Level_hs.jpg 'Pelwyn-Skyrush 2k4_64.wma'"));
    const RunResult r = runSim(data.folder(), "start\nwait 10\ndump\nsounds\n", program.folder());
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(jsonValue(out[0], "modal"), "null");
    EXPECT_EQ(out[1], "[\"music:play\"]");
}

// The key help's two columns never run together: on every line the key name
// ends before its description begins, so the three pixel columns just left
// of the descriptions show only the dark panel (the text is silver).
TEST(SimScenario, EveryKeyNameOfTheHelpEndsBeforeItsDescription) {
    TemporaryFolder data;
    const RunResult layout =
        runSim(data.folder(), "start\ncontrol DIBContainer1\ncontrol Label9\ncontrol Label11\n");
    ASSERT_EQ(layout.status, 0) << layout.err;
    const auto boxes = lines(layout.out);
    ASSERT_EQ(boxes.size(), 3u);
    const auto number = [](const std::string& json, const char* key) {
        return std::stoi(jsonValue(json, key));
    };
    const int left = number(boxes[0], "Left") + number(boxes[2], "Left");
    const int top = number(boxes[0], "Top") + number(boxes[1], "Top");
    std::string script = "start\nwait 600\n";
    for (int y = top; y < top + number(boxes[1], "Height"); ++y)
        for (int x = left - 3; x < left; ++x)
            script += "pixel " + std::to_string(x) + " " + std::to_string(y) + "\n";
    const RunResult r = runSim(data.folder(), script);
    ASSERT_EQ(r.status, 0) << r.err;
    int brightest = 0;
    for (const std::string& line : lines(r.out)) {
        const int rgb = number(line, "rgb");
        brightest = std::max(brightest, (rgb >> 16) + (rgb >> 8 & 0xFF) + (rgb & 0xFF));
    }
    EXPECT_LT(brightest, 3 * 0x60) << "a key name reaches into its description";
}

// The title screen as a player sees it, three seconds after the start.
TEST(SimScenario, TheTitleScreenMatchesItsGoldenFrame) {
    expectGoldenFrame("title", "clock 12:00:00.000\nstart\nwait 3000\n");
}

}  // namespace
