#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "TestFiles.h"
#include "app/CommandLine.h"
#include "app/DataFolder.h"
#include "app/ProgramFolder.h"

namespace {

namespace fs = std::filesystem;
using testfiles::EnvironmentOverride;
using testfiles::TemporaryFolder;

// `tarnwick [--record FILE] PACK`, as a file manager starts it: one pack
// and one recording; what else is given is told, not followed, and the first
// pack stays.
TEST(CommandLine, OnePackAndARecordingAreTakenAndEverythingElseIsTold) {
    const char* none[] = {"tarnwick"};
    EXPECT_EQ(app::ParseCommandLine(1, none).pack, std::nullopt);
    EXPECT_EQ(app::ParseCommandLine(1, none).record, std::nullopt);
    const char* many[] = {"tarnwick", "-x", "caves.tarnwick", "--record", "game.tws",
                          "more.tarnwick", "-"};
    const app::CommandLine line = app::ParseCommandLine(7, many);
    EXPECT_EQ(line.pack, "caves.tarnwick");
    EXPECT_EQ(line.record, "game.tws");
    EXPECT_EQ(line.problem,
              "Tarnwick has no option -x: it takes --record FILE and one mission pack.\r\n"
              "Tarnwick flies one mission pack at a time: more.tarnwick is left out.\r\n"
              "Tarnwick flies one mission pack at a time: - is left out.");
    const char* bare[] = {"tarnwick", "--record"};
    EXPECT_EQ(app::ParseCommandLine(2, bare).problem,
              "--record needs the file to write the recording into.");
}

TEST(ProgramFolder, KeepsEverythingUpToAndIncludingTheLastSeparator) {
    EXPECT_EQ(app::programFolderOf("/usr/games/tarnwick"), "/usr/games/");
    EXPECT_EQ(app::programFolderOf("/opt/Tarnwick 2.0/bin.d/tarnwick"), "/opt/Tarnwick 2.0/bin.d/");
    EXPECT_EQ(app::programFolderOf("/tarnwick"), "/");
    EXPECT_EQ(app::programFolderOf("build/bin/"), "build/bin/");
    EXPECT_EQ(app::programFolderOf("tarnwick"), "./");
}

TEST(ProgramFolder, ExecutablePathIsTheRunningProgramWhateverTheWorkingFolder) {
    TemporaryFolder elsewhere;
    const fs::path before = fs::current_path();
    fs::current_path(elsewhere.path());
    const std::string path = app::executablePath();
    fs::current_path(before);

    EXPECT_EQ(path.front(), '/');
    EXPECT_TRUE(fs::equivalent(path, "/proc/self/exe"));
}

// Each test controls every variable the choice reads.
class DataFolderChoice : public ::testing::Test {
  protected:
    TemporaryFolder root;
    EnvironmentOverride override{"TARNWICK_DATA_DIR", std::nullopt};
    EnvironmentOverride xdg{"XDG_DATA_HOME", std::nullopt};
    EnvironmentOverride home{"HOME", std::nullopt};
    std::string problem;

    // Tests run as root, so permissions cannot make a folder unwritable; a
    // path below a regular file cannot be created by anyone.
    std::string unusableFolder() {
        testfiles::writeFile(root.path() / "plain-file", "x");
        return (root.path() / "plain-file" / "folder").string() + "/";
    }
};

TEST_F(DataFolderChoice, WritableProgramFolderIsUsedAndTheProbeLeavesNothingBehind) {
    const fs::path program = root.path() / "game";
    fs::create_directory(program);
    EnvironmentOverride xdgSet("XDG_DATA_HOME", (root.path() / "xdg").string());

    EXPECT_EQ(app::chooseDataFolder(program.string() + "/", problem), program.string() + "/");
    EXPECT_EQ(app::chooseDataFolder(program.string(), problem), program.string() + "/");
    EXPECT_TRUE(fs::is_empty(program));
    EXPECT_FALSE(fs::exists(root.path() / "xdg"));
}

TEST_F(DataFolderChoice, OverrideWinsAndIsCreatedWithItsParents) {
    const fs::path program = root.path() / "game";
    fs::create_directory(program);
    const fs::path chosen = root.path() / "custom" / "deeper";
    EnvironmentOverride set("TARNWICK_DATA_DIR", chosen.string());

    EXPECT_EQ(app::chooseDataFolder(program.string() + "/", problem), chosen.string() + "/");
    EXPECT_TRUE(fs::is_directory(chosen));
    EXPECT_TRUE(fs::is_empty(chosen));
}

TEST_F(DataFolderChoice, AnUnusableOverrideIsReportedAndTheProgramFolderIsStillProbed) {
    const std::string bad = unusableFolder();
    EnvironmentOverride set("TARNWICK_DATA_DIR", bad);
    const fs::path xdgHome = root.path() / "share";
    EnvironmentOverride xdgSet("XDG_DATA_HOME", xdgHome.string());

    // An unwritable program folder after a bad override: the XDG folder, as without one.
    EXPECT_EQ(app::chooseDataFolder(unusableFolder(), problem), xdgHome.string() + "/tarnwick/");
    EXPECT_NE(problem.find(bad), std::string::npos) << problem;
    EXPECT_NE(problem.find("TARNWICK_DATA_DIR"), std::string::npos) << problem;
}

TEST_F(DataFolderChoice, UnwritableProgramFolderFallsBackToXdgDataHome) {
    const fs::path xdgHome = root.path() / "share";
    EnvironmentOverride xdgSet("XDG_DATA_HOME", xdgHome.string());
    EnvironmentOverride homeSet("HOME", (root.path() / "home").string());

    EXPECT_EQ(app::chooseDataFolder(unusableFolder(), problem), xdgHome.string() + "/tarnwick/");
    EXPECT_TRUE(fs::is_directory(xdgHome / "tarnwick"));
    EXPECT_FALSE(fs::exists(root.path() / "home"));
}

TEST_F(DataFolderChoice, WithoutUsableXdgDataHomeTheFolderIsBelowHome) {
    const fs::path homeFolder = root.path() / "home";
    EnvironmentOverride homeSet("HOME", homeFolder.string());
    const std::string expected = homeFolder.string() + "/.local/share/tarnwick/";

    EXPECT_EQ(app::chooseDataFolder(unusableFolder(), problem), expected);
    EXPECT_TRUE(fs::is_directory(expected));

    // A relative XDG_DATA_HOME is invalid and ignored.
    EnvironmentOverride relative("XDG_DATA_HOME", "relative/share");
    EXPECT_EQ(app::chooseDataFolder(unusableFolder(), problem), expected);
}

TEST_F(DataFolderChoice, NoUsableFolderAtAllIsAnError) {
    const std::string bad = unusableFolder();
    EnvironmentOverride xdgSet("XDG_DATA_HOME", bad);
    EXPECT_THROW(app::chooseDataFolder(bad, problem), std::runtime_error);
}

}  // namespace
