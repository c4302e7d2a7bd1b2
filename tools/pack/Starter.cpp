#include "Starter.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/PictureFile.h"
#include "levels/LevelSource.h"
#include "levels/Painter.h"
#include "levels/Terrain.h"

namespace pack {
namespace {

namespace fs = std::filesystem;

constexpr const char* kStarterToml = R"(# A Tarnwick mission pack. Fly it as it is with "tarnwick THIS-FOLDER", have the
# autopilot fly it with "tarnwick-pack fly THIS-FOLDER", and make it one file to
# share with "tarnwick-pack build THIS-FOLDER NAME.tarnwick". The README's
# "Make your own caves" tells every rule.

name = "My Caves"          # at most 32 characters, shown on the title
author = "Me"              # at most 40
version = "1.0"            # at most 16

# One [[missions]] table a mission, 1 to 30 of them, flown in this order.
[[missions]]
# The cave: a PNG or JPEG picture of exactly 1280 x 1280 pixels. Rock is any
# colour whose blue lies from 18 to 135; black and blue of 136 or more is
# open space. Paint over cave.png, or describe the cave in the cave language
# (cave.level) and write  source = "cave.level"  instead of the picture:
# "tarnwick-pack build" then draws it.
picture = "cave.png"
gravity = 0.03             # -0.5 to 0.8 pixels a tick; negative pulls upwards
# World points, x to the right and y down; the picture lies at (1, 1).
ship = [86, 60]            # where the ship starts
cargo = [500, 150]         # the cargo ball's top-left corner, resting on rock
collector = [300, 456]     # the collector's top-left corner, on a floor
exit = [455, 330]          # the exit's top-left corner
enemy = "none"             # or the beamer's top-left corner, [x, y] ...
# beam = 150               # ... and its beam's length, 17 to 1280

# What the briefing box says: four words of at most 19 characters each, and
# two lines of details that fit the box.
[missions.briefing]
spawn = "Inside cave"
gravity = "Very Light"
bombs = "No"
level = "Easy"
details = ["A hall to learn in:", "hook, tow, deliver, leave"]
)";

constexpr const char* kStarterLevel = R"(# The starter cave: one wide hall under very light gravity. The cargo waits
# on a ledge of the east wall, the collector stands on a low platform on the
# floor, and the exit sits on a shelf in between. The statements are told in
# the README's "Make your own caves".
seed 7
rough 8 60
stone 4E3A30 8C6A44 C8A070
accent E0B850
moss 8AA048
shadow 3A3030
strata 0.3 22
crystals 20

# The hall and the bay the ship starts in.
open ellipse 330 290 300 240
open ellipse 135 85 110 58
open ellipse 520 130 105 62

# The cargo's ledge: its top lies 2 px under the resting ball.
exact rock poly 462 168 660 168 660 262 600 250 540 214 484 186
# The shelf the exit stands on.
exact rock poly 440 396 660 396 660 470 590 456 520 426 458 412
# The collector's platform: its legs stand at y 514.
exact rock poly 262 514 378 514 392 548 250 548

rock spikes 190 430 120 40 7
)";

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

void New(const std::string& folder) {
    std::error_code error;
    if (fs::exists(folder, error) && !fs::is_empty(folder, error))
        throw std::runtime_error(folder + " already holds files: choose a new folder");
    fs::create_directories(folder, error);
    if (error) throw std::runtime_error("cannot make " + folder + ": " + error.message());
    writeText(fs::path(folder) / "pack.toml", kStarterToml);
    writeText(fs::path(folder) / "cave.level", kStarterLevel);
    const assetgen::levels::LevelSource source =
        assetgen::levels::parseLevelSource(kStarterLevel, "cave.level");
    const std::vector<uint8_t> png = app::EncodePng(
        assetgen::levels::paintPicture(source, assetgen::levels::carveTerrain(source)), "cave.png");
    writeText(fs::path(folder) / "cave.png", std::string(png.begin(), png.end()));
    std::printf("%s: a pack of one mission, ready to fly with \"tarnwick %s\"\n", folder.c_str(),
                folder.c_str());
}

}  // namespace pack
