// The level archive as shipped (built from assets/levels by assetgen) and
// the validator that guards it. The archive tests read the level.zip of this
// build; the validator tests feed it levels with a deliberate fault.
#include <gtest/gtest.h>
#include <zip.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

#include "app/LevelArchive.h"
#include "app/PictureFile.h"
#include "core/ArchivePassword.h"
#include "levels/BombWear.h"
#include "levels/DistanceField.h"
#include "levels/JpegWriter.h"
#include "levels/LevelSource.h"
#include "levels/LevelsStep.h"
#include "levels/Painter.h"
#include "levels/Reachability.h"
#include "levels/Terrain.h"
#include "levels/Validator.h"
#include "tests/app/TestFiles.h"

namespace {

namespace fs = std::filesystem;
using assetgen::levels::Findings;
using assetgen::levels::Ground;
using assetgen::levels::LevelSource;
using assetgen::levels::TerrainMap;
using testfiles::readFile;
using testfiles::TemporaryFolder;

const std::string kSources = TARNWICK_LEVEL_SOURCES;
const std::string kArchive = TARNWICK_LEVEL_ARCHIVE;
const std::string kPassword(core::kLevelArchivePassword);

const std::vector<std::string> kPictures{"level0_big.jpg", "level1_big.jpg", "level2_big.jpg",
                                         "level3_big.jpg", "level4_big.jpg", "level5_big.jpg",
                                         "level6_big.jpg", "level7_big.jpg", "level8_big.jpg",
                                         "level9_big.jpg", "level_Main.jpg", "Level_hs.jpg"};

std::string sourceText(const std::string& file) {
    return readFile(fs::path(kSources) / file);
}

LevelSource parse(const std::string& text) {
    return assetgen::levels::parseLevelSource(text, "test.level");
}

// The level's rock in one plain colour: the validator's checks of placement
// and reachability need no texture, and this is much quicker to make.
core::Bitmap flatPicture(const TerrainMap& terrain) {
    core::Bitmap picture(terrain.width(), terrain.height());
    for (int y = 0; y < terrain.height(); ++y)
        for (int x = 0; x < terrain.width(); ++x)
            if (terrain.at(x, y) != Ground::Open)
                picture.setPixel(x, y, core::PixelWord::rgb(0x80, 0x60, 0x48));
    return picture;
}

Findings validateFlat(const std::string& text) {
    const LevelSource source = parse(text);
    const TerrainMap terrain = assetgen::levels::carveTerrain(source);
    return assetgen::levels::validatePicture(source, terrain, flatPicture(terrain));
}

bool mentions(const Findings& findings, const std::string& phrase) {
    return std::any_of(findings.errors.begin(), findings.errors.end(),
                       [&](const std::string& e) { return e.find(phrase) != std::string::npos; });
}

std::string allErrors(const Findings& findings) {
    std::string text;
    for (const std::string& error : findings.errors) text += error + "\n";
    return text;
}

std::string run(const std::string& command) {
    std::string output;
    std::unique_ptr<FILE, decltype(&pclose)> pipe(popen((command + " 2>&1").c_str(), "r"), &pclose);
    if (!pipe) return output;
    std::array<char, 4096> buffer;
    while (fgets(buffer.data(), buffer.size(), pipe.get()) != nullptr) output += buffer.data();
    return output;
}

// The shipped archive, unpacked once with the game's own code.
class ShippedLevels : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        unpacked_ = new TemporaryFolder;
        app::extractLevelArchive(kArchive, core::kLevelArchivePassword, unpacked_->folder(), {});
    }
    static void TearDownTestSuite() {
        delete unpacked_;
        unpacked_ = nullptr;
    }
    static std::string unpacked(const std::string& name) { return unpacked_->folder() + name; }

  private:
    static TemporaryFolder* unpacked_;
};
TemporaryFolder* ShippedLevels::unpacked_ = nullptr;

TEST_F(ShippedLevels, HoldsExactlyTheTwelvePicturesDeflatedAndAesEncrypted) {
    int error = 0;
    std::unique_ptr<zip_t, decltype(&zip_discard)> archive(
        zip_open(kArchive.c_str(), ZIP_RDONLY, &error), &zip_discard);
    ASSERT_NE(archive, nullptr);
    std::vector<std::string> names;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive.get(), 0); ++i) {
        zip_stat_t stat;
        ASSERT_EQ(zip_stat_index(archive.get(), static_cast<zip_uint64_t>(i), 0, &stat), 0);
        names.push_back(stat.name);
        EXPECT_EQ(stat.encryption_method, ZIP_EM_AES_256) << stat.name;
        EXPECT_EQ(stat.comp_method, ZIP_CM_DEFLATE) << stat.name;
    }
    EXPECT_EQ(names, kPictures);
    for (const std::string& name : kPictures) EXPECT_TRUE(fs::exists(unpacked(name))) << name;
}

TEST_F(ShippedLevels, OpensOnlyWithTheGamesPassword) {
    TemporaryFolder folder;
    EXPECT_THROW(app::extractLevelArchive(kArchive, "wrong-pw", folder.folder(), {}),
                 app::ArchiveError);
}

TEST_F(ShippedLevels, EveryPictureDecodesAtItsSize) {
    for (const std::string& name : kPictures) {
        const core::Bitmap picture = app::LoadPictureFile(unpacked(name));
        if (name == "Level_hs.jpg") {
            EXPECT_FALSE(picture.empty());
        } else {
            EXPECT_EQ(picture.width(), 1280) << name;
            EXPECT_EQ(picture.height(), 1280) << name;
        }
    }
}

// Halved colour planes would smear rock colour into the open space beside
// it; every component must be sampled at full resolution.
TEST_F(ShippedLevels, PicturesKeepFullResolutionColour) {
    for (const std::string& name : kPictures) {
        const std::string bytes = readFile(unpacked(name));
        jpeg_decompress_struct info{};
        jpeg_error_mgr errors{};
        info.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                     static_cast<unsigned long>(bytes.size()));
        ASSERT_EQ(jpeg_read_header(&info, TRUE), JPEG_HEADER_OK) << name;
        ASSERT_EQ(info.num_components, 3) << name;
        for (int c = 0; c < info.num_components; ++c) {
            EXPECT_EQ(info.comp_info[c].h_samp_factor, 1) << name;
            EXPECT_EQ(info.comp_info[c].v_samp_factor, 1) << name;
        }
        jpeg_destroy_decompress(&info);
    }
}

// The check mode runs the whole validator over the shipped archive, reading
// it as the game does.
TEST_F(ShippedLevels, PassTheValidator) {
    EXPECT_EQ(assetgen::runLevels({"--check", "--sources", kSources, "--out",
                                   fs::path(kArchive).parent_path().string()}),
              0);
}

// The archive is made from the sources in this tree, and drawing is
// deterministic: a fresh drawing of the first mission gives the same bytes.
TEST_F(ShippedLevels, MatchAFreshDrawingOfTheirSources) {
    const LevelSource source = assetgen::levels::loadLevelSource(kSources + "/level01.level");
    const core::Bitmap drawn =
        assetgen::levels::paintPicture(source, assetgen::levels::carveTerrain(source));
    const std::vector<uint8_t> encoded =
        assetgen::levels::encodeJpeg(drawn, assetgen::levels::kLevelJpegQuality);
    EXPECT_EQ(std::string(encoded.begin(), encoded.end()), readFile(unpacked("level0_big.jpg")));
}

// 7-Zip, the archiver players have, lists the entries as AES-256 and
// unpacks the same bytes as the game.
TEST_F(ShippedLevels, SevenZipListsAndExtractsThem) {
    const std::string listing = run("7z l -slt -p" + kPassword + " '" + kArchive + "'");
    for (const std::string& name : kPictures)
        EXPECT_NE(listing.find("Path = " + name + "\n"), std::string::npos) << name;
    size_t aesEntries = 0;
    for (size_t at = listing.find("Method = AES-256"); at != std::string::npos;
         at = listing.find("Method = AES-256", at + 1))
        ++aesEntries;
    EXPECT_EQ(aesEntries, kPictures.size()) << listing;

    TemporaryFolder out;
    const std::string extracting =
        run("7z x -y -p" + kPassword + " -o'" + out.path().string() + "' '" + kArchive + "'");
    EXPECT_NE(extracting.find("Everything is Ok"), std::string::npos) << extracting;
    for (const std::string& name : kPictures)
        EXPECT_EQ(readFile(out.path() / name), readFile(unpacked(name))) << name;
}

TEST(LevelsStep, RejectsAnArchiveThatLacksAPicture) {
    TemporaryFolder out;
    int error = 0;
    zip_t* archive = zip_open((out.path() / "level.zip").c_str(), ZIP_CREATE, &error);
    ASSERT_NE(archive, nullptr);
    const std::string bytes = "not a picture";
    zip_source_t* data = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
    const zip_int64_t at = zip_file_add(archive, "level0_big.jpg", data, 0);
    ASSERT_GE(at, 0);
    zip_file_set_encryption(archive, static_cast<zip_uint64_t>(at), ZIP_EM_AES_256,
                            kPassword.c_str());
    ASSERT_EQ(zip_close(archive), 0);
    EXPECT_EQ(assetgen::runLevels({"--check", "--sources", kSources, "--out", out.folder()}), 1);
    EXPECT_EQ(assetgen::runLevels({"--sources", kSources}), 2);
}

TEST(LevelSource, ReportsTheLineOfAnError) {
    auto errorOf = [](const std::string& text) {
        try {
            parse(text);
        } catch (const assetgen::levels::SourceError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(errorOf("picture a.jpg\nopen circle 1 2\n"),
              "test.level:2: 'circle' takes 3 numbers");
    EXPECT_EQ(errorOf("picture a.jpg\n\n# note\nstone 123456 12345G 000000\n"),
              "test.level:4: '12345G' is not a colour (six hexadecimal digits RRGGBB)");
    EXPECT_EQ(errorOf("picture a.jpg\nmission 11\n"),
              "test.level:2: expected a whole number from 1 to 10");
    EXPECT_EQ(errorOf("picture a.jpg\nwall spikes 1 9 5 5 2\n"),
              "test.level:2: spikes are rock or open space, not a bomb wall");
    // A pack's cave is named by its pack, not by a picture statement.
    EXPECT_EQ(errorOf("open rect 1 1 5 5\n"), "no error");
}

TEST(LevelSource, RejectsShapesWithTheWrongNumberOfValues) {
    EXPECT_THROW(parse("picture a.jpg\nopen poly 1 1 5 5 9\n"), assetgen::levels::SourceError);
    EXPECT_THROW(parse("picture a.jpg\nopen tunnel 5 1 1\n"), assetgen::levels::SourceError);
    EXPECT_THROW(parse("picture a.jpg\nexact stone rect 1 1 2 2\n"), assetgen::levels::SourceError);
    EXPECT_THROW(parse("picture a.jpg\nopen rect 1 1 2 x\n"), assetgen::levels::SourceError);
    EXPECT_THROW(parse("picture a.jpg\nmission 2\nbackdrop\n"), assetgen::levels::SourceError);
    EXPECT_NO_THROW(parse("picture a.jpg\nopen tunnel 5 1 1 9 9 # a comment\n"));
}

TEST(LevelSource, CarvesShapesInOrderAndWallsOnlyIntoOpenSpace) {
    const TerrainMap terrain = assetgen::levels::carveTerrain(
        parse("picture t.jpg\nsize 40 40\nexact open rect 5 5 20 20\nexact rock rect 10 10 4 4\n"
              "exact wall rect 1 20 40 2\n"));
    EXPECT_EQ(terrain.atWorld(6, 6), Ground::Open);
    EXPECT_EQ(terrain.atWorld(11, 11), Ground::Rock);  // put back after the carving
    EXPECT_EQ(terrain.atWorld(12, 20), Ground::Wall);  // across the open space
    EXPECT_EQ(terrain.atWorld(30, 20), Ground::Rock);  // not into the rock beside it
    EXPECT_EQ(terrain.atWorld(0, 0), Ground::Open);    // outside the picture
}

TEST(LevelSource, GrowsSpikesFromTheRockAboveAndBelow) {
    const TerrainMap terrain = assetgen::levels::carveTerrain(
        parse("picture t.jpg\nsize 100 100\nexact open rect 1 30 100 40\n"
              "rock spikes 40 60 50 18 1\nrock spikes 40 60 50 -18 1\n"));
    // Each spike is rooted in the rock and reaches at least a quarter of
    // its length into the open space: down from the ceiling at 30, up from
    // the floor at 70.
    auto rockInRows = [&](int top, int bottom) {
        for (int y = top; y <= bottom; ++y)
            for (int x = 40; x <= 60; ++x)
                if (terrain.atWorld(x, y) == Ground::Rock) return true;
        return false;
    };
    EXPECT_TRUE(rockInRows(30, 34));
    EXPECT_TRUE(rockInRows(65, 69));
    EXPECT_FALSE(rockInRows(49, 51));  // neither reaches the middle
}

TEST(Painter, KeepsOpenSpaceBlackAndRockInsideTheSafeBlueBand) {
    const LevelSource source = parse(
        "picture t.jpg\nsize 96 96\nseed 5\nrough 4 20\nstone 101010 FFFFFF FFFFFF\n"
        "accent 00FFFF\nopen ellipse 48 48 30 24\ncrystal 48 10 8\nveins 4\n");
    const TerrainMap terrain = assetgen::levels::carveTerrain(source);
    const core::Bitmap picture = assetgen::levels::paintPicture(source, terrain);
    for (int y = 0; y < 96; ++y) {
        for (int x = 0; x < 96; ++x) {
            const core::PixelWord p = picture.pixel(x, y);
            if (terrain.at(x, y) == Ground::Open) {
                ASSERT_EQ(p.value, 0u) << x << "," << y;
            } else {
                ASSERT_GE(p.blue(), assetgen::levels::kRockBlueLow) << x << "," << y;
                ASSERT_LE(p.blue(), assetgen::levels::kRockBlueHigh) << x << "," << y;
            }
        }
    }
}

// A small world whose colours are then broken one pixel at a time.
class ColourRules : public testing::Test {
  protected:
    ColourRules()
        : source_(parse("picture t.jpg\nsize 64 64\nexact open rect 10 10 44 44\n")),
          terrain_(assetgen::levels::carveTerrain(source_)),
          picture_(flatPicture(terrain_)) {}

    Findings check() { return assetgen::levels::validatePicture(source_, terrain_, picture_); }

    LevelSource source_;
    TerrainMap terrain_;
    core::Bitmap picture_;
};

TEST_F(ColourRules, AcceptTheIntendedPicture) {
    EXPECT_TRUE(check().passed()) << allErrors(check());
}

TEST_F(ColourRules, CatchRockThatWouldBeAHole) {
    picture_.setPixel(2, 2, core::PixelWord::rgb(0x80, 0x60, 0x88));
    EXPECT_TRUE(
        mentions(check(), "1 pixels where rock fails the rock test, the first at world (3, 3)"));
}

TEST_F(ColourRules, CatchOpenSpaceThatWouldBeRock) {
    picture_.setPixel(10, 20, core::PixelWord::rgb(0x00, 0x00, 0x12));
    EXPECT_TRUE(mentions(check(), "open space passes the rock test"));
}

TEST_F(ColourRules, CatchAFaintSpeckFarFromRock) {
    // Not rock, but open space this far from rock must decode to black.
    picture_.setPixel(31, 31, core::PixelWord::rgb(0x01, 0x00, 0x00));
    EXPECT_TRUE(mentions(check(), "open space far from rock is not black"));
    picture_.setPixel(31, 31, core::PixelWord{});
    picture_.setPixel(10, 31, core::PixelWord::rgb(0x01, 0x00, 0x00));  // 1 px from rock
    EXPECT_TRUE(check().passed());
}

TEST(BackdropRules, CatchABackdropTooBrightForText) {
    const std::string text = "picture b.jpg\nsize 32 32\nbackdrop\nexact open rect 1 1 8 8\n";
    const LevelSource source = parse(text);
    const TerrainMap terrain = assetgen::levels::carveTerrain(source);
    core::Bitmap picture(32, 32, core::PixelWord::rgb(0x20, 0x20, 0x20));
    EXPECT_TRUE(assetgen::levels::validatePicture(source, terrain, picture).passed());
    picture.setPixel(20, 20, core::PixelWord::rgb(0xFF, 0xFF, 0xFF));
    EXPECT_TRUE(mentions(assetgen::levels::validatePicture(source, terrain, picture),
                         "would fight the text"));
}

TEST(MissionRules, AcceptTheShippedMissionTwo) {
    const Findings findings = validateFlat(sourceText("level02.level"));
    EXPECT_TRUE(findings.passed()) << allErrors(findings);
    ASSERT_EQ(findings.legs.size(), 3u);
}

TEST(MissionRules, CatchACargoSealedInRock) {
    // A rock shell around the cargo's mound, open only inside.
    const Findings findings = validateFlat(sourceText("level02.level") +
                                           "exact rock rect 360 220 160 130\n"
                                           "exact open rect 380 240 120 58\n");
    EXPECT_TRUE(mentions(findings, "the ship cannot reach the cargo")) << allErrors(findings);
}

TEST(MissionRules, CatchAnEnemyThatCannotBeBombed) {
    // A roof over the beamer: no bomb reaches it, its beam stays and closes
    // the only way down to the exit.
    const Findings findings =
        validateFlat(sourceText("level02.level") + "exact rock rect 196 300 60 70\n");
    EXPECT_TRUE(mentions(findings, "the ship cannot reach the exit")) << allErrors(findings);
}

TEST(MissionRules, CatchAPassageAroundTheBombWall) {
    const Findings findings =
        validateFlat(sourceText("level03.level") + "open tunnel 14 230 540 230 640 110 640\n");
    EXPECT_TRUE(mentions(findings, "can be finished without blasting a bomb wall"))
        << allErrors(findings);
}

TEST(MissionRules, CatchABombWallInAMissionWithoutBombs) {
    const Findings findings =
        validateFlat(sourceText("level01.level") + "wall rect 560 280 60 40\n");
    EXPECT_TRUE(mentions(findings, "is meant to be flown without bombs")) << allErrors(findings);
}

TEST(MissionRules, CatchACollectorWithNothingToStandOn) {
    const Findings findings =
        validateFlat(sourceText("level01.level") + "exact open rect 262 514 116 30\n");
    EXPECT_TRUE(mentions(findings, "has no rock to stand on")) << allErrors(findings);
}

TEST(Reachability, LetsTheShipScrapeRockWithOneProbeButNotTwo) {
    assetgen::levels::SolidMap rock(40, 40);
    rock.set(14, 10, true);  // under the probe at (-6, -10) of a ship at (20, 20)
    EXPECT_TRUE(assetgen::levels::shipFits(rock, 20, 20));
    rock.set(30, 25, true);  // under the probe at (+10, +5)
    EXPECT_FALSE(assetgen::levels::shipFits(rock, 20, 20));
    EXPECT_TRUE(assetgen::levels::shipFits(rock, 21, 20));  // a pixel aside, both miss
}

TEST(Reachability, FloodsOnlyThroughAllowedNeighbours) {
    assetgen::levels::PositionSet allowed(10, 10);
    for (int x = 1; x <= 10; ++x) {
        allowed.add(x, 2);
        allowed.add(x, 8);
    }
    allowed.add(5, 5);  // an island: allowed, but not connected
    assetgen::levels::PositionSet seeds(10, 10);
    seeds.add(3, 2);
    const assetgen::levels::PositionSet reached = assetgen::levels::flood(allowed, seeds);
    EXPECT_EQ(reached.count(), 10u);
    EXPECT_FALSE(reached.has(5, 5));
    EXPECT_FALSE(reached.has(3, 8));
    EXPECT_TRUE(reached.touchesEdge());
}

TEST(Reachability, HangsTheCargoOnTheSideGravityPulls) {
    // A ceiling just above the ship: a cargo hanging below it fits, one
    // floating above it (upward gravity) does not.
    assetgen::levels::SolidMap rock(120, 120);
    for (int y = 1; y <= 40; ++y)
        for (int x = 1; x <= 120; ++x) rock.set(x, y, true);
    const int x = 60;
    const int y = 60;
    EXPECT_TRUE(assetgen::levels::towRoom(rock, 0.1, assetgen::levels::kExpertSlack).has(x, y));
    EXPECT_FALSE(assetgen::levels::towRoom(rock, -0.01, assetgen::levels::kExpertSlack).has(x, y));
    EXPECT_TRUE(assetgen::levels::towRoom(rock, -0.01, assetgen::levels::kBeginnerSlack).has(x, y));
}

TEST(DistanceField, MeasuresChessboardAndStraightLineDistances) {
    std::vector<uint8_t> seeds(9 * 9, 0);
    seeds[4 * 9 + 4] = 1;  // the centre
    const std::vector<float> chess = assetgen::levels::distanceField(9, 9, seeds, 1.0f, 100.0f);
    const std::vector<float> euclid = assetgen::levels::distanceField(9, 9, seeds, 1.4142f, 100.0f);
    EXPECT_FLOAT_EQ(chess[0], 4.0f);  // corner, four diagonal steps
    EXPECT_NEAR(euclid[0], 4 * 1.4142f, 1e-4);
    EXPECT_FLOAT_EQ(chess[4 * 9 + 8], 4.0f);  // straight right
    EXPECT_FLOAT_EQ(
        assetgen::levels::distanceField(3, 3, std::vector<uint8_t>(9, 0), 1.0f, 7.0f)[4],
        7.0f);  // no seed at all
}

TEST(JpegWriter, RoundTripsClosely) {
    core::Bitmap picture(24, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x)
            picture.setPixel(x, y,
                             core::PixelWord::rgb(static_cast<uint8_t>(x * 10), 0x40,
                                                  static_cast<uint8_t>(y * 12)));
    const std::vector<uint8_t> bytes = assetgen::levels::encodeJpeg(picture, 97);
    EXPECT_EQ(bytes, assetgen::levels::encodeJpeg(picture, 97));
    TemporaryFolder folder;
    const fs::path file = folder.path() / "round.jpg";
    testfiles::writeFile(file, std::string(bytes.begin(), bytes.end()));
    const core::Bitmap decoded = app::LoadPictureFile(file.string());
    ASSERT_EQ(decoded.width(), 24);
    ASSERT_EQ(decoded.height(), 16);
    int worst = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 24; ++x) {
            const core::PixelWord a = picture.pixel(x, y);
            const core::PixelWord b = decoded.pixel(x, y);
            worst = std::max({worst, std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                              std::abs(a.blue() - b.blue())});
        }
    }
    EXPECT_LE(worst, 6);
}

// A shaft through rock, closed by a floor of the given thickness at rows
// 100 .. 100 + thickness - 1.
core::Bitmap shaftWithFloor(int thickness, assetgen::levels::WallBox& wall) {
    core::Bitmap picture(200, 260, core::PixelWord::rgb(0x80, 0x60, 0x48));
    picture.fillRect(70, 0, 60, 260, core::PixelWord{});
    picture.fillRect(70, 99, 60, thickness, core::PixelWord::rgb(0x90, 0x70, 0x50));
    wall = {71, 100, 130, 99 + thickness};
    return picture;
}

TEST(BombWear, AThinFloorOpensWithinThreeBombs) {
    assetgen::levels::WallBox wall;
    const core::Bitmap picture = shaftWithFloor(12, wall);
    const assetgen::levels::BombTrial trial = assetgen::levels::dropBombs(picture, wall, 3);
    EXPECT_TRUE(trial.closedBefore);
    EXPECT_GE(trial.bombsNeeded, 1);
    EXPECT_LE(trial.bombsNeeded, 3);
}

TEST(BombWear, AFloorWithAGapDoesNotCloseItsShaft) {
    assetgen::levels::WallBox wall;
    core::Bitmap picture = shaftWithFloor(12, wall);
    picture.fillRect(100, 99, 20, 12, core::PixelWord{});
    EXPECT_FALSE(assetgen::levels::dropBombs(picture, wall, 3).closedBefore);
}

TEST(BombWear, AThickFloorHoldsAgainstThreeBombs) {
    assetgen::levels::WallBox wall;
    const core::Bitmap picture = shaftWithFloor(70, wall);
    const assetgen::levels::BombTrial trial = assetgen::levels::dropBombs(picture, wall, 3);
    EXPECT_TRUE(trial.closedBefore);
    EXPECT_EQ(trial.bombsNeeded, 0);
}

}  // namespace
