// tarnwick-pack as a maker runs it: a new pack flown by the autopilot, then
// its cave given as a source in the cave language and built into a pack file
// the game reads, the cave drawn losslessly. A build that fails leaves no
// pack behind.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "../app/TestFiles.h"
#include "app/PictureFile.h"
#include "app/packs/Pack.h"
#include "levels/LevelSource.h"
#include "levels/Painter.h"
#include "levels/Terrain.h"

namespace {

namespace fs = std::filesystem;

using ToolRun = testfiles::CommandRun;

ToolRun run(const std::string& arguments) {
    return testfiles::runCommand("'" TARNWICK_PACK_TOOL "' " + arguments + " 2>&1");
}

// From `new` to a shared pack: the starter folder flies as it is; its cave
// moved into a folder and named by its source, `build` draws it.
TEST(PackTool, ANewPackFliesAndBuildDrawsItsSourceCave) {
    const fs::path scratch = fs::temp_directory_path() / ("pack-tool-" + std::to_string(getpid()));
    const fs::path folder = scratch / "caves";
    const ToolRun made = run("new '" + folder.string() + "'");
    ASSERT_EQ(made.status, 0) << made.out;
    EXPECT_EQ(run("new '" + folder.string() + "'").status, 1) << "a folder with files is refused";
    const ToolRun flownNew = run("fly '" + folder.string() + "'");
    EXPECT_EQ(flownNew.status, 0) << flownNew.out;
    EXPECT_NE(flownNew.out.find("| 1 | Beginner | yes |"), std::string::npos) << flownNew.out;

    fs::create_directories(folder / "caves");
    fs::rename(folder / "cave.level", folder / "caves" / "first.level");
    fs::remove(folder / "cave.png");
    std::string toml = testfiles::readFile(folder / "pack.toml");
    toml.replace(toml.find("picture = \"cave.png\""), 20, "source = \"caves/first.level\"");
    testfiles::writeFile(folder / "pack.toml", toml);
    const std::string level = (folder / "caves" / "first.level").string();

    const std::string out = (scratch / "caves.tarnwick").string();
    const ToolRun built = run("build '" + folder.string() + "' '" + out + "'");
    ASSERT_EQ(built.status, 0) << built.out;
    EXPECT_NE(built.out.find("1 missions, 1 caves drawn"), std::string::npos) << built.out;
    const app::packs::Pack pack = app::packs::Pack::Read(out);
    ASSERT_EQ(pack.manifest().missions.size(), 1u);
    EXPECT_EQ(pack.manifest().missions[0].picture, "caves/first.png");
    EXPECT_EQ(pack.manifest().missions[0].row.gravity, 0.03);
    const auto source = assetgen::levels::loadLevelSource(level);
    const core::Bitmap painted =
        assetgen::levels::paintPicture(source, assetgen::levels::carveTerrain(source));
    const core::Bitmap cave = pack.Cave(1);
    ASSERT_EQ(cave.width(), painted.width());
    bool same = true;
    for (int y = 0; y < cave.height() && same; ++y)
        for (int x = 0; x < cave.width() && same; ++x)
            same = (cave.pixel(x, y).value & 0xFFFFFF) == (painted.pixel(x, y).value & 0xFFFFFF);
    EXPECT_TRUE(same) << "the drawn cave is the painted one, colour for colour";
}

// `check` holds a pack's caves to the game's level checks: the starter pack
// passes and its preview is written; a collector moved into the rock fails
// with its coordinates; a thin wall across the hall blocks the way to the
// cargo unless the mission's briefing says bombs are used.
TEST(PackTool, CheckFindsWhatStandsInAMissionsWay) {
    const fs::path scratch = fs::temp_directory_path() / ("pack-check-" + std::to_string(getpid()));
    const fs::path folder = scratch / "caves";
    ASSERT_EQ(run("new '" + folder.string() + "'").status, 0);
    const ToolRun checked =
        run("check '" + folder.string() + "' --preview '" + (scratch / "preview").string() + "'");
    EXPECT_EQ(checked.status, 0) << checked.out;
    EXPECT_NE(checked.out.find("mission 1 (cave.png, pack.toml line 11): ok"), std::string::npos)
        << checked.out;
    EXPECT_TRUE(fs::exists(scratch / "preview" / "mission1.png"));

    const std::string toml = testfiles::readFile(folder / "pack.toml");
    std::string inRock = toml;
    inRock.replace(inRock.find("collector = [300, 456]"), 22, "collector = [300, 600]");
    testfiles::writeFile(folder / "pack.toml", inRock);
    const ToolRun buried = run("check '" + folder.string() + "'");
    EXPECT_EQ(buried.status, 1);
    EXPECT_NE(buried.out.find("mission 1: the collector at (300, 600) is drawn over rock"),
              std::string::npos)
        << buried.out;

    std::ofstream(folder / "cave.level", std::ios::app) << "rock rect 400 0 16 600\n";
    std::string walled = toml;
    walled.replace(walled.find("picture = \"cave.png\""), 20, "source = \"cave.level\"");
    for (const char* bombs : {"No", "Yes"}) {
        std::string text = walled;
        text.replace(text.find("bombs = \"No\""), 12, std::string("bombs = \"") + bombs + "\"");
        testfiles::writeFile(folder / "pack.toml", text);
        const std::string out = (scratch / (std::string(bombs) + ".tarnwick")).string();
        ASSERT_EQ(run("build '" + folder.string() + "' '" + out + "'").status, 0);
        const ToolRun result = run("check '" + out + "'");
        EXPECT_EQ(result.status, bombs[0] == 'N' ? 1 : 0) << bombs << "\n" << result.out;
        EXPECT_EQ(result.out.find("the ship cannot reach the cargo") != std::string::npos,
                  bombs[0] == 'N')
            << result.out;
    }
    fs::remove_all(scratch);
}

TEST(PackTool, ABuildThatFailsLeavesNoPack) {
    const fs::path scratch = fs::temp_directory_path() / ("pack-fail-" + std::to_string(getpid()));
    const fs::path folder = scratch / "caves";
    ASSERT_EQ(run("new '" + folder.string() + "'").status, 0);
    std::string toml = testfiles::readFile(folder / "pack.toml");
    toml.replace(toml.find("picture = \"cave.png\""), 20, "source = \"caves/first.level\"");
    testfiles::writeFile(folder / "pack.toml", toml);
    const std::string out = (scratch / "caves.tarnwick").string();

    // A source that is not there, and one that is no cave: nothing is written.
    const ToolRun missing = run("build '" + folder.string() + "' '" + out + "'");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.out.find("\"caves/first.level\" is not in the pack"), std::string::npos)
        << missing.out;
    testfiles::writeFile(folder / "caves" / "first.level", "tunnel of love\n");
    const ToolRun broken = run("build '" + folder.string() + "' '" + out + "'");
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.out.find("caves/first.level"), std::string::npos) << broken.out;
    EXPECT_FALSE(fs::exists(out));
    EXPECT_FALSE(fs::exists(out + ".part"));
    EXPECT_EQ(run("").status, 2);
    fs::remove_all(scratch);
}

}  // namespace
