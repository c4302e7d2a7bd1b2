#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/Fonts.h"

namespace platform {
namespace {

const std::string kLiberation = "/usr/share/fonts/truetype/liberation2/";
const std::string kDejaVu = "/usr/share/fonts/truetype/dejavu/";

FontSpec fontRequest(std::string family, int pixelHeight, bool bold = false, bool italic = false,
                     bool underline = false) {
    return FontSpec{std::move(family), pixelHeight, bold, italic, underline};
}

TEST(FontFiles, LayoutNamesMapToTheShippedFaces) {
    EXPECT_EQ(fontFileFor(fontRequest("Arial", 13)), kLiberation + "LiberationSans-Regular.ttf");
    EXPECT_EQ(fontFileFor(fontRequest("MS Sans Serif", 16, true)),
              kLiberation + "LiberationSans-Bold.ttf");
    EXPECT_EQ(fontFileFor(fontRequest("arial", 13, false, true)),
              kLiberation + "LiberationSans-Italic.ttf");
    EXPECT_EQ(fontFileFor(fontRequest("Tahoma", 11, true, true)),
              kLiberation + "LiberationSans-BoldItalic.ttf");
    EXPECT_EQ(fontFileFor(fontRequest("Verdana", 11)), kLiberation + "LiberationSans-Regular.ttf");
    EXPECT_EQ(fontFileFor(fontRequest("Times New Roman", 14)),
              kLiberation + "LiberationSerif-Regular.ttf");
    EXPECT_EQ(fontFileFor(fontRequest("Courier New", 12, true)),
              kLiberation + "LiberationMono-Bold.ttf");
    EXPECT_EQ(fontFileFor(fontRequest("Decorative Serif", 40)), kDejaVu + "DejaVuSerif.ttf");
    EXPECT_EQ(fontFileFor(fontRequest("Decorative Serif", 40, true)),
              kDejaVu + "DejaVuSerif-Bold.ttf");
    // A small system font the table does not list is drawn in the plain sans face.
    EXPECT_EQ(fontFileFor(fontRequest("Small Fonts", 7)),
              kLiberation + "LiberationSans-Regular.ttf");
    // Underline is drawn by the renderer, not a face of its own.
    EXPECT_EQ(fontFileFor(fontRequest("Arial", 13, false, false, true)),
              kLiberation + "LiberationSans-Regular.ttf");
}

TEST(Font, OneOpenedFontPerSpec) {
    const auto first = Font::get(fontRequest("Arial", 13));
    EXPECT_EQ(Font::get(fontRequest("Arial", 13)), first);
    EXPECT_NE(Font::get(fontRequest("Arial", 14)), first);
    EXPECT_NE(Font::get(fontRequest("Arial", 13, true)), first);
    EXPECT_EQ(first->request(), fontRequest("Arial", 13));
    EXPECT_THROW(Font::get(fontRequest("Arial", 0)), std::runtime_error);
}

TEST(Font, SizeIsTheCharacterHeightInPixels) {
    for (int pixels : {11, 13, 16, 40}) {
        const auto font = Font::get(fontRequest("MS Sans Serif", pixels));
        // A line is the em height plus a little for accents and descenders;
        // opening at 96 instead of 72 DPI would make it a third larger.
        EXPECT_GE(font->lineHeight(), pixels);
        EXPECT_LE(font->lineHeight(), pixels * 5 / 4 + 1);
        EXPECT_GT(font->ascent(), pixels / 2);
        EXPECT_LT(font->ascent(), font->lineHeight());
    }
}

TEST(Font, MeasuresGrowWithTextSizeAndWeight) {
    const auto small = Font::get(fontRequest("Arial", 13));
    const auto large = Font::get(fontRequest("Arial", 26));
    const auto bold = Font::get(fontRequest("Arial", 13, true));

    EXPECT_EQ(small->measure(""), (Size{0, small->lineHeight()}));
    EXPECT_EQ(small->measure("Tarnwick").height, small->lineHeight());
    EXPECT_GT(small->measure("Start game").width, small->measure("Start").width);
    EXPECT_GT(large->measure("Start").width, small->measure("Start").width);
    EXPECT_GT(large->measure("Start").height, small->measure("Start").height);
    EXPECT_GT(bold->measure("Start game").width, small->measure("Start game").width);
}

// The colour a pixel gets when a glyph covers `coverage`/255 of it; a pixel
// the text changes loses its alpha byte.
uint32_t blended(core::PixelWord under, core::PixelWord color, uint32_t coverage) {
    auto channel = [&](uint32_t over, uint32_t below) {
        return (over * coverage + below * (255 - coverage) + 127) / 255;
    };
    return channel(color.red(), under.red()) << 16 | channel(color.green(), under.green()) << 8 |
           channel(color.blue(), under.blue());
}

bool isBlendOf(uint32_t pixel, core::PixelWord under, core::PixelWord color) {
    for (uint32_t coverage = 0; coverage <= 255; ++coverage)
        if (blended(under, color, coverage) == pixel) return true;
    return false;
}

TEST(FontDrawing, TouchesOnlyTheClipAndBlendsTheRequestedColour) {
    const core::PixelWord background = core::PixelWord::rgb(10, 20, 30, 0x5A);
    const core::PixelWord color = core::PixelWord::rgb(200, 100, 250);
    core::Bitmap target(80, 40, background);
    const Rect clip{6, 4, 50, 25};
    Font::get(fontRequest("Arial", 28, true))->draw(target, 0, 0, "WMW|", color, clip);

    int changed = 0;
    int fullyCovered = 0;
    for (int y = 0; y < target.height(); ++y) {
        for (int x = 0; x < target.width(); ++x) {
            const uint32_t pixel = target.pixel(x, y).value;
            if (!clip.contains(x, y)) {
                ASSERT_EQ(pixel, background.value) << "outside the clip at " << x << "," << y;
                continue;
            }
            ASSERT_TRUE(pixel == background.value || isBlendOf(pixel, background, color))
                << std::hex << pixel << " at " << x << "," << y;
            changed += pixel != background.value;
            fullyCovered += pixel == (color.value & 0xFFFFFFu);
        }
    }
    EXPECT_GT(changed, 50);
    EXPECT_GT(fullyCovered, 20);
}

TEST(FontDrawing, TextCrossingTheTargetEdgesIsCut) {
    const auto font = Font::get(fontRequest("Times New Roman", 30));
    core::Bitmap target(20, 20, core::PixelWord::rgb(0, 0, 0));
    const Rect everywhere{-1000, -1000, 1000, 1000};
    font->draw(target, -15, 8, "Wide text", core::PixelWord::rgb(255, 255, 255), everywhere);
    font->draw(target, 12, -12, "Wide text", core::PixelWord::rgb(255, 255, 255), everywhere);
    int lit = 0;
    for (int y = 0; y < target.height(); ++y)
        for (int x = 0; x < target.width(); ++x) lit += target.pixel(x, y).value != 0;
    EXPECT_GT(lit, 0);

    core::Bitmap untouched(20, 20, core::PixelWord::rgb(1, 2, 3));
    const core::Bitmap before = untouched;
    font->draw(untouched, 0, 0, "Wide text", core::PixelWord::rgb(255, 255, 255),
               Rect{5, 5, 5, 15});
    font->draw(untouched, 5000, 5000, "Wide text", core::PixelWord::rgb(255, 255, 255), everywhere);
    font->draw(untouched, 0, 0, "", core::PixelWord::rgb(255, 255, 255), everywhere);
    EXPECT_TRUE(std::equal(before.data(), before.data() + 400, untouched.data()));
}

// True when one row of `picture` is lit across nearly the whole text width:
// the underline, since no row of "nn" is lit across the gap between the letters.
bool hasFullWidthRow(const core::Bitmap& picture, int width) {
    for (int y = 0; y < picture.height(); ++y) {
        int lit = 0;
        for (int x = 0; x < width; ++x) lit += picture.pixel(x, y).red() > 128;
        if (lit * 10 >= width * 9) return true;
    }
    return false;
}

TEST(FontDrawing, UnderlineIsPartOfTheDrawing) {
    const auto plain = Font::get(fontRequest("Arial", 20));
    const auto underlined = Font::get(fontRequest("Arial", 20, false, false, true));
    const int width = plain->measure("nn").width;
    ASSERT_EQ(underlined->measure("nn").width, width);

    core::Bitmap withoutLine(width, 30);
    core::Bitmap withLine(width, 30);
    const Rect all{0, 0, width, 30};
    plain->draw(withoutLine, 0, 0, "nn", core::PixelWord::rgb(255, 255, 255), all);
    underlined->draw(withLine, 0, 0, "nn", core::PixelWord::rgb(255, 255, 255), all);
    EXPECT_FALSE(hasFullWidthRow(withoutLine, width));
    EXPECT_TRUE(hasFullWidthRow(withLine, width));
}

}  // namespace
}  // namespace platform
