#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/Colors.h"

// A level's source: a small text file that says which picture it makes and
// how its cave is carved out of solid rock. One statement a line, '#' starts
// a comment, numbers are world coordinates (the picture lies at (1, 1) in
// the world, so world (x, y) is picture pixel (x - 1, y - 1)):
//
//   picture level0_big.jpg      archive entry written from this source (the
//                               game's own caves; a pack's are named by it)
//   size 1280 1280              picture size (default 1280 x 1280)
//   mission 1                   the mission flown in it (1..10)
//   backdrop                    a background under text, not a world to fly
//   seed 7                      seed of every random choice and texture
//   rough 6 48                  edges wander up to 6 px over 48 px features
//   stone 3A2C22 6E5436 A88A5A  dark, middle and light rock colours (RRGGBB)
//   accent 58C0A0               crystals and veins
//   rubble 9A7A58               walls that bombs are meant to open
//   moss 6A8A3A                 tint of floors (rock facing up)
//   shadow 34302E               what rock fades to in its depths and at its very edge
//   brightness 1                overall light, 1 = as given
//   strata 0.3 26               strength and spacing of the rock layers
//   crystals 12 / crystal X Y SIZE / veins 8     rock decorations
//
// Shapes, applied in order, each one optionally preceded by "exact" (keep its
// edge straight, for the floors the game's objects stand on):
//   open|rock|wall rect X Y W H | circle X Y R | ellipse X Y RX RY
//                | poly X Y X Y ... | tunnel R X Y X Y ...
//   open|rock spikes X1 X2 Y LENGTH COUNT
// "open" carves open space, "rock" puts rock back, "wall" turns the open
// space inside the shape into a bomb wall: rock the player is meant to blast.
// "spikes" grows COUNT stalactites between X1 and X2 from the rock straight
// above height Y (or, with a negative LENGTH, stalagmites from the rock
// straight below it), up to LENGTH long.
namespace assetgen::levels {

class SourceError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

enum class Ground : uint8_t { Open = 0, Rock = 1, Wall = 2 };

enum class ShapeKind { Rect, Circle, Ellipse, Polygon, Tunnel, Spikes };

struct Shape {
    Ground fill = Ground::Open;
    ShapeKind kind = ShapeKind::Rect;
    bool exact = false;
    std::vector<double> numbers;
    int line = 0;
};

struct Crystal {
    double x = 0;
    double y = 0;
    double size = 0;
};

struct LevelSource {
    std::string origin;   // file name, for messages
    std::string picture;  // archive entry name
    int width = 1280;
    int height = 1280;
    int mission = 0;  // 0: not a mission's world
    bool backdrop = false;
    uint32_t seed = 1;
    double roughAmplitude = 0;
    double roughScale = 64;
    core::PixelWord stoneDark = core::PixelWord::rgb(0x40, 0x34, 0x30);
    core::PixelWord stoneMid = core::PixelWord::rgb(0x70, 0x5C, 0x48);
    core::PixelWord stoneLight = core::PixelWord::rgb(0xA0, 0x88, 0x60);
    core::PixelWord accent = core::PixelWord::rgb(0x50, 0xC0, 0xA0);
    core::PixelWord rubble = core::PixelWord::rgb(0x9A, 0x7A, 0x58);
    core::PixelWord moss = core::PixelWord::rgb(0x6A, 0x8A, 0x3A);
    core::PixelWord shadow = core::PixelWord::rgb(0x34, 0x30, 0x30);
    double brightness = 1;
    double strataStrength = 0.25;
    double strataSpacing = 24;
    int scatteredCrystals = 0;
    int veins = 0;
    std::vector<Crystal> crystals;
    std::vector<Shape> shapes;
};

// Reads a source text; origin names it in error messages. Throws SourceError
// with the origin and line number for anything it does not understand.
LevelSource parseLevelSource(std::string_view text, const std::string& origin);

// Reads and parses a source file.
LevelSource loadLevelSource(const std::string& path);

}  // namespace assetgen::levels
