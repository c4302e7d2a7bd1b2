// A game flown through a mission pack instead of the built-in missions: the
// pack's rows, briefings and caves, the fuel and lives of the same rules by
// the mission's place in the pack, and no upload at the end but the score
// left on the menu. A pack that cannot be read leaves the built-in game.
#include <gtest/gtest.h>

#include <filesystem>

#include "SimRunner.h"
#include "app/packs/PackDigest.h"
#include "app/packs/RecordedPacks.h"

namespace {

using namespace simtest;
using testfiles::TemporaryFolder;
namespace fs = std::filesystem;


// The shipped caves the game unpacks into `data`, made a pack in `pack`.
void makeTwoCavePack(const TemporaryFolder& data, const fs::path& pack) {
    ASSERT_EQ(runSim(data.folder(), "start\n", "").status, 0);
    fs::create_directories(pack / "caves");
    fs::copy_file(data.path() / "level0_big.jpg", pack / "first.jpg");
    fs::copy_file(data.path() / "level8_big.jpg", pack / "caves" / "second.jpg");
    fs::copy_file(TARNWICK_PACKS_DIR "/two-shipped-caves.toml", pack / "pack.toml");
}

TEST(PackScenario, APackGameFliesThePacksMissionsAndEndsWithItsScoreOnTheMenu) {
    TemporaryFolder data;
    TemporaryFolder pack;
    makeTwoCavePack(data, pack.path());

    const RunResult r = runSim(
        data.folder(),
        "start\nwait 300\ncontrol PackChoice\nclick DIBFadeLabel1\nwait 100\ncontrol Label4\n"
        "click diblabel5\nwait 100\ndump\ncontrol PackName\n" +
            kSkip + "control Label8\ncontrol Label4\nclick diblabel5\nwait 100\ndump\n" + kSkip +
            "click diblabel5\nwait 100\ndump\ncontrol dxContainer2\ncontrol scorelabel\n"
            "control Label7\n",
        "", "", "--pack '" + pack.folder() + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 11u) << r.out;
    EXPECT_EQ(jsonValue(out[0], "Caption"), "\"Pack : Two Shipped Caves\"") << "on the title";
    EXPECT_EQ(jsonValue(out[0], "Visible"), "true");
    EXPECT_NE(jsonValue(out[1], "Caption").find("Fly it like the first"), std::string::npos);
    EXPECT_EQ(jsonValue(out[2], "gravity"), "0.05");
    EXPECT_EQ(jsonValue(out[2], "fuel"), "1400") << "1 x 1 x 400 + 1000";
    EXPECT_EQ(jsonValue(out[2], "enemyGone"), "true") << "no enemy";
    EXPECT_EQ(jsonValue(out[3], "Visible"), "false") << "no name over the flight";
    EXPECT_EQ(jsonValue(out[4], "Caption"), "\"Level 2\"");
    EXPECT_NE(jsonValue(out[5], "Caption").find("Spawn Point    : Up top"), std::string::npos);
    EXPECT_EQ(jsonValue(out[6], "gravity"), "-0.02");
    EXPECT_EQ(jsonValue(out[6], "fuel"), "1800") << "1 x 2 x 400 + 1000";
    EXPECT_EQ(jsonValue(out[6], "enemyX"), "36");
    EXPECT_EQ(jsonValue(out[6], "beamLength"), "200");
    EXPECT_EQ(jsonValue(out[6], "scrollX"), "144");
    // After the pack's last mission its "Start Mission" ends the game.
    EXPECT_EQ(jsonValue(out[7], "menuMode"), "true");
    EXPECT_EQ(jsonValue(out[7], "missionNumber"), "3");
    EXPECT_EQ(jsonValue(out[7], "score"), "30000") << "three lives at Beginner";
    EXPECT_EQ(jsonValue(out[8], "Visible"), "false") << "no upload for a pack's game";
    EXPECT_EQ(jsonValue(out[9], "Visible"), "true");
    EXPECT_EQ(jsonValue(out[9], "Caption"), "\"30000\"");
    EXPECT_EQ(jsonValue(out[10], "Visible"), "true") << "the score's caption";
}

TEST(PackScenario, APackThatCannotBeReadShowsItsBoxAndTheBuiltInGameGoesOn) {
    TemporaryFolder data;
    const RunResult r = runSim(data.folder(),
                               "start\nwait 100\ndump\nanswer ok\nclick DIBFadeLabel1\nwait 100\n"
                               "control Label4\n",
                               "", "", "--pack '" + data.folder() + "absent.tarnwick'");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 2u) << r.out;
    EXPECT_NE(jsonValue(out[0], "modal").find("The pack \\\"absent.tarnwick\\\": there is no such"),
              std::string::npos)
        << out[0];
    EXPECT_NE(jsonValue(out[1], "Caption").find("No special info for"), std::string::npos);
}

// Packs installed in the packs folder are chosen at the title, each click
// the next: a good one, one that is no pack (its box, and back to the
// game's own missions), then round again through the game's own.
TEST(PackScenario, TheTitleChoosesAmongTheInstalledPacks) {
    TemporaryFolder data;
    makeTwoCavePack(data, data.path() / "packs" / "caves");
    testfiles::writeFile(data.path() / "packs" / "zz-broken.tarnwick", "no zip");
    testfiles::writeFile(data.path() / "packs" / "notes.txt", "not a pack");
    const RunResult r = runSim(data.folder(),
                               "start\nwait 100\ncontrol PackChoice\nclick PackChoice\n"
                               "control PackChoice\nclick PackChoice\nwait 10\ndump\nanswer ok\n"
                               "control PackChoice\nclick PackChoice\nclick PackChoice\n"
                               "click DIBFadeLabel1\n"
                               "wait 100\ncontrol PackName\ncontrol PackChoice\n",
                               "");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 6u) << r.out;
    EXPECT_EQ(jsonValue(out[0], "Caption"), "\"Pack : none\"");
    EXPECT_EQ(jsonValue(out[0], "Visible"), "true");
    EXPECT_EQ(jsonValue(out[1], "Caption"), "\"Pack : Two Shipped Caves\"");
    EXPECT_NE(jsonValue(out[2], "modal").find("zz-broken.tarnwick"), std::string::npos) << out[2];
    EXPECT_EQ(jsonValue(out[3], "Caption"), "\"Pack : none\"");
    EXPECT_EQ(jsonValue(out[4], "Caption"), "\"Two Shipped Caves\"") << "named on the briefing";
    EXPECT_EQ(jsonValue(out[4], "Visible"), "true");
    EXPECT_EQ(jsonValue(out[5], "Visible"), "false") << "chosen on the title only";
}

// A recording names the packs the game was offered by their digests; the
// replay finds them among --pack and the packs folder and offers the same,
// in the same order, and refuses a pack the recording does not name.
TEST(PackScenario, ARecordingNamesItsPacksAndTheReplayOffersTheSameOnes) {
    TemporaryFolder data;
    const fs::path folder = data.path() / "packs" / "caves";
    makeTwoCavePack(data, folder);
    const std::string zipped = data.folder() + "caves.tarnwick";
    ASSERT_EQ(std::system(("cd '" + folder.string() + "' && zip -qr '" + zipped + "' .").c_str()), 0);
    // The digest of a pack file is its file's SHA-256, as sha256sum gives it.
    ASSERT_EQ(std::system(("sha256sum '" + zipped + "' | cut -c1-64 > '" + data.folder() +
                           "sum.txt'")
                              .c_str()),
              0);
    const std::string digest = app::packs::PackDigest(zipped);
    EXPECT_EQ(digest + "\n", testfiles::readFile(data.path() / "sum.txt"));

    std::string setup;
    for (const std::string& line :
         app::packs::RecordedPackLines(zipped, {folder.string(), data.folder() + "absent"}))
        setup += line + "\n";
    EXPECT_EQ(setup.find("pack given " + digest + " " + zipped + "\n"), 0u) << setup;
    EXPECT_NE(setup.find("pack installed - absent\n"), std::string::npos) << setup;
    const std::string script = setup + "start\nwait 100\ncontrol PackChoice\nclick PackChoice\n"
                               "control PackChoice\n";
    const std::string withPack = "--pack '" + zipped + "'";
    const RunResult replayed = runSim(data.folder(), script, "", "", withPack);
    ASSERT_EQ(replayed.status, 0) << replayed.err;
    const auto out = lines(replayed.out);
    ASSERT_EQ(out.size(), 2u) << replayed.out;
    EXPECT_EQ(jsonValue(out[0], "Caption"), "\"Pack : Two Shipped Caves\"") << "given, chosen";
    EXPECT_EQ(jsonValue(out[1], "Caption"), "\"Pack : Two Shipped Caves\"")
        << "the installed copy, found by its digest in the packs folder";

    const RunResult withoutIt = runSim(data.folder(), script, "");
    EXPECT_EQ(withoutIt.status, 2);
    EXPECT_NE(withoutIt.err.find("line 1: the recording flies the pack " + zipped), std::string::npos)
        << withoutIt.err;
    testfiles::writeFile(data.path() / "other.tarnwick", "another pack");
    const RunResult another =
        runSim(data.folder(), script, "", "", withPack + " --pack '" + data.folder() + "other.tarnwick'");
    EXPECT_EQ(another.status, 2);
    EXPECT_NE(another.err.find("other.tarnwick is not a pack this recording flies"),
              std::string::npos)
        << another.err;
}

}  // namespace
