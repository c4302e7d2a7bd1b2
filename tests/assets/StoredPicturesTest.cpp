#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "assets/StoredPictures.h"

namespace assets {
namespace {

constexpr int32_t black = 0;

struct Expected {
    const char* name;
    int width;
    int height;
    bool transparent;
    bool fixedMode;
    int32_t key;
};

constexpr Expected expectedList[] = {
    {"Shipet", 14, 14, true, true, black},
    {"Boxen", 16, 16, true, false, black},
    {"boxramp", 54, 78, true, false, black},
    {"Mainmenuback", 200, 150, false, false, 394758},
    {"theexit", 71, 77, true, false, black},
    {"Bomb", 6, 10, true, false, black},
    {"Landing", 54, 46, true, false, black},
    {"Enemy", 16, 16, true, false, black},
    {"TDIBImagesItem", 16, 16, false, false, black},
};

enum Index {
    ship = 0,
    collector = 2,
    menuPanel = 3,
    exitGate = 4,
    bomb = 5,
    landingPad = 6,
    beamGun = 7,
    dimmer = 8
};

struct Bgra {
    uint8_t b, g, r, a;
    bool isBlack() const { return b == 0 && g == 0 && r == 0; }
};

int storedWidth(const StoredPicture& p) {
    return p.Data[0] | p.Data[1] << 8;
}
int storedHeight(const StoredPicture& p) {
    return p.Data[2] | p.Data[3] << 8;
}

// The pixel at column x of row y as seen on screen, y = 0 being the top row;
// rows are stored bottom-up.
Bgra onScreen(const StoredPicture& p, int x, int y) {
    const int storedRow = storedHeight(p) - 1 - y;
    const size_t at = 4 + (static_cast<size_t>(storedRow) * static_cast<size_t>(storedWidth(p)) +
                           static_cast<size_t>(x)) *
                              4;
    return {p.Data[at], p.Data[at + 1], p.Data[at + 2], p.Data[at + 3]};
}

Bgra firstStored(const StoredPicture& p) {
    return {p.Data[4], p.Data[5], p.Data[6], p.Data[7]};
}

int drawnInRow(const StoredPicture& p, int y) {
    int drawn = 0;
    for (int x = 0; x < storedWidth(p); ++x) drawn += onScreen(p, x, y).isBlack() ? 0 : 1;
    return drawn;
}

// An entry by its list number; a short list fails the test instead of reading past its end.
const StoredPicture& entry(int index) {
    const auto list = storedPictures();
    if (static_cast<size_t>(index) >= list.size())
        throw std::out_of_range("the list has no entry " + std::to_string(index));
    return list[static_cast<size_t>(index)];
}

TEST(StoredPictures, ListHoldsTheNineEntriesWithTheirSizesAndKeys) {
    const auto list = storedPictures();
    ASSERT_EQ(list.size(), std::size(expectedList));
    for (size_t i = 0; i < list.size(); ++i) {
        const Expected& want = expectedList[i];
        const StoredPicture& got = list[i];
        SCOPED_TRACE(want.name);
        EXPECT_EQ(got.DisplayName, want.name);
        EXPECT_EQ(got.Transparent, want.transparent);
        EXPECT_EQ(got.TransparentModeFixed, want.fixedMode);
        EXPECT_EQ(got.TransparentColor, want.key);
        ASSERT_GE(got.Data.size(), 4u);
        EXPECT_EQ(storedWidth(got), want.width);
        EXPECT_EQ(storedHeight(got), want.height);
        EXPECT_EQ(got.Data.size(),
                  static_cast<size_t>(want.width) * static_cast<size_t>(want.height) * 4 + 4);
    }
}

TEST(StoredPictures, EveryPixelIsOpaque) {
    for (const StoredPicture& p : storedPictures()) {
        SCOPED_TRACE(std::string(p.DisplayName));
        for (size_t at = 7; at < p.Data.size(); at += 4)
            ASSERT_EQ(p.Data[at], 255) << "byte " << at;
    }
}

// With the automatic mode the key in force is the first stored pixel, so
// it must be the black that the list reports for the sprites.
TEST(StoredPictures, AutomaticallyKeyedPicturesStartWithABlackPixel) {
    for (const StoredPicture& p : storedPictures()) {
        if (p.TransparentModeFixed) continue;
        SCOPED_TRACE(std::string(p.DisplayName));
        EXPECT_TRUE(firstStored(p).isBlack());
    }
}

TEST(StoredPictures, ShipStandsOnALightGreyFootAndPointsUp) {
    const StoredPicture& p = entry(ship);
    const Bgra foot = firstStored(p);
    EXPECT_EQ(foot.b, 0xB1);
    EXPECT_EQ(foot.g, 0xA8);
    EXPECT_EQ(foot.r, 0xA8);
    EXPECT_EQ(foot.a, 0xFF);
    // Both feet in the bottom corners on screen.
    EXPECT_FALSE(onScreen(p, 0, 13).isBlack());
    EXPECT_FALSE(onScreen(p, 13, 13).isBlack());
    // The nose: the top row on screen (the last stored row) is drawn only in
    // the middle, and the hull beneath it widens.
    int topDrawn = 0;
    for (int x = 0; x < 14; ++x) {
        if (onScreen(p, x, 0).isBlack()) continue;
        ++topDrawn;
        EXPECT_GE(x, 5) << "nose pixel off centre";
        EXPECT_LE(x, 8) << "nose pixel off centre";
    }
    EXPECT_GT(topDrawn, 0);
    EXPECT_GT(drawnInRow(p, 5), topDrawn);
}

// Pictures stored upside down would still pass a size check; these look for
// each figure's top and bottom where the game shows them.
TEST(StoredPictures, FiguresStandTheRightWayUp) {
    {
        SCOPED_TRACE("collector: an open rim near the top, feet on the bottom row");
        const StoredPicture& p = entry(collector);
        int widestNearTop = 0;
        for (int y = 0; y < 12; ++y) widestNearTop = std::max(widestNearTop, drawnInRow(p, y));
        EXPECT_GE(widestNearTop, 44);
        // The opening: a see-through middle below the rim's back edge.
        EXPECT_TRUE(onScreen(p, 27, 9).isBlack());
        EXPECT_FALSE(onScreen(p, 4, 77).isBlack());
        EXPECT_FALSE(onScreen(p, 49, 77).isBlack());
        EXPECT_TRUE(onScreen(p, 27, 77).isBlack());
    }
    {
        SCOPED_TRACE("landing pad: a deck across the upper part, feet on the bottom row");
        const StoredPicture& p = entry(landingPad);
        int widestNearTop = 0;
        for (int y = 0; y < 16; ++y) widestNearTop = std::max(widestNearTop, drawnInRow(p, y));
        EXPECT_GE(widestNearTop, 50);
        EXPECT_FALSE(onScreen(p, 4, 45).isBlack());
        EXPECT_TRUE(onScreen(p, 27, 45).isBlack());
    }
    {
        SCOPED_TRACE("bomb: fins spread at the top, body narrowing to a point at the bottom");
        const StoredPicture& p = entry(bomb);
        EXPECT_FALSE(onScreen(p, 0, 0).isBlack());
        EXPECT_FALSE(onScreen(p, 5, 0).isBlack());
        EXPECT_LT(drawnInRow(p, 9), drawnInRow(p, 6));
        EXPECT_TRUE(onScreen(p, 0, 9).isBlack());
        EXPECT_TRUE(onScreen(p, 5, 9).isBlack());
    }
}

// The frame tick draws the beam from the gun's right edge, rows 5 to 10 of
// the sprite; the muzzle must be there, or the beam floats in the air.
TEST(StoredPictures, BeamGunMuzzleMeetsTheBeam) {
    const StoredPicture& p = entry(beamGun);
    for (int y = 5; y <= 10; ++y) EXPECT_FALSE(onScreen(p, 15, y).isBlack()) << "row " << y;
    for (int y : {0, 1, 14, 15}) EXPECT_TRUE(onScreen(p, 15, y).isBlack()) << "row " << y;
}

TEST(StoredPictures, ExitIsAFourPointedStarWithAGlowingMiddle) {
    const StoredPicture& p = entry(exitGate);
    for (auto [x, y] : {std::pair{35, 1}, {35, 75}, {1, 38}, {69, 38}})
        EXPECT_FALSE(onScreen(p, x, y).isBlack()) << "point at " << x << "," << y;
    for (auto [x, y] : {std::pair{0, 0}, {70, 0}, {0, 76}, {70, 76}, {12, 12}, {58, 64}})
        EXPECT_TRUE(onScreen(p, x, y).isBlack()) << "between the points at " << x << "," << y;
    const Bgra middle = onScreen(p, 35, 38);
    EXPECT_GE(middle.r, 240);
    EXPECT_GE(middle.g, 200) << "the middle should glow white-hot";
}

// A sprite is a figure on a see-through background: a drawing that came out
// empty, solid, or keyed on the wrong colour fails this.
TEST(StoredPictures, SpritesAreFiguresOnASeeThroughBackground) {
    for (const StoredPicture& p : storedPictures()) {
        if (!p.Transparent) continue;
        SCOPED_TRACE(std::string(p.DisplayName));
        const int w = storedWidth(p), h = storedHeight(p);
        int drawn = 0;
        for (int y = 0; y < h; ++y) drawn += drawnInRow(p, y);
        const double share = static_cast<double>(drawn) / (w * h);
        EXPECT_GT(share, 0.15);
        EXPECT_LT(share, 0.9);
    }
}

TEST(StoredPictures, DimmerIsAllBlack) {
    const StoredPicture& p = entry(dimmer);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_TRUE(onScreen(p, x, y).isBlack()) << x << "," << y;
}

// Lime and yellow menu text sits on the panel: inside its border the panel
// stays dark, and it is opaque, so no part of it may be black-keyed.
TEST(StoredPictures, MenuPanelIsDarkBehindTheText) {
    const StoredPicture& p = entry(menuPanel);
    constexpr int border = 8;
    int brightest = 0;
    for (int y = border; y < 150 - border; ++y) {
        for (int x = border; x < 200 - border; ++x) {
            const Bgra c = onScreen(p, x, y);
            brightest = std::max({brightest, int{c.r}, int{c.g}, int{c.b}});
        }
    }
    EXPECT_LE(brightest, 80);
    EXPECT_GT(brightest, 6) << "the panel should not be a flat black";
}

}  // namespace
}  // namespace assets
