#include "ui/Canvas.h"

#include <gtest/gtest.h>

#include <vector>

#include "ui/TextDrawing.h"

namespace {

using core::CanvasColor;
using core::PixelWord;
using platform::Rect;

// A background with alpha set, so that writes can be seen to clear it.
constexpr uint32_t kBackground = 0xFF102030u;

core::Bitmap backgroundBitmap(int w, int h) {
    return core::Bitmap(w, h, PixelWord{kBackground});
}

uint32_t at(const core::Bitmap& b, int x, int y) {
    return b.pixel(x, y).value;
}

// The pixels of one row that differ from the background, as x positions.
std::vector<int> changedInRow(const core::Bitmap& b, int y) {
    std::vector<int> xs;
    for (int x = 0; x < b.width(); ++x)
        if (at(b, x, y) != kBackground) xs.push_back(x);
    return xs;
}

// Smallest rectangle holding every pixel that is not `background`.
Rect inkBounds(const core::Bitmap& b, uint32_t background) {
    Rect r{b.width(), b.height(), 0, 0};
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (at(b, x, y) != background)
                r = Rect{std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1),
                         std::max(r.bottom, y + 1)};
    return r;
}

TEST(CanvasTest, RectangleLeavesOutRightAndBottomEdgesAndWritesOpaqueWords) {
    core::Bitmap b = backgroundBitmap(12, 12);
    ui::Canvas c(ui::PixelSurface::of(b));
    c.Pen.Color = core::colors::red;
    c.Brush.Color = core::colors::yellow;
    c.Rectangle(2, 3, 8, 9);
    EXPECT_EQ(at(b, 2, 3), 0x00FF0000u);  // pen, red as a pixel word, alpha 0
    EXPECT_EQ(at(b, 7, 8), 0x00FF0000u);  // last covered corner
    EXPECT_EQ(at(b, 4, 5), 0x00FFFF00u);  // brush inside
    EXPECT_EQ(at(b, 8, 5), kBackground);  // x2 is not covered
    EXPECT_EQ(at(b, 5, 9), kBackground);  // nor y2
    EXPECT_EQ(at(b, 1, 5), kBackground);

    // Swapped corners make the same rectangle; a clear brush leaves the inside alone.
    core::Bitmap swapped = backgroundBitmap(12, 12);
    ui::Canvas s(ui::PixelSurface::of(swapped));
    s.Pen.Color = core::colors::red;
    s.Brush.Style = ui::Canvas::TBrushStyle::Clear;
    s.Rectangle(8, 9, 2, 3);
    EXPECT_EQ(at(swapped, 7, 8), 0x00FF0000u);
    EXPECT_EQ(at(swapped, 4, 5), kBackground);
    EXPECT_EQ(at(swapped, 8, 9), kBackground);
}

TEST(CanvasTest, LineToLeavesOutTheEndPointInEveryDirection) {
    core::Bitmap b = backgroundBitmap(12, 12);
    ui::Canvas c(ui::PixelSurface::of(b));
    c.Pen.Color = core::colors::lime;
    c.MoveTo(2, 1);
    c.LineTo(8, 1);
    EXPECT_EQ(changedInRow(b, 1), (std::vector<int>{2, 3, 4, 5, 6, 7}));

    c.MoveTo(8, 3);  // leftwards: starts at 8, stops before 2
    c.LineTo(2, 3);
    EXPECT_EQ(changedInRow(b, 3), (std::vector<int>{3, 4, 5, 6, 7, 8}));

    c.MoveTo(10, 4);  // downwards
    c.LineTo(10, 8);
    for (int y = 4; y < 8; ++y) EXPECT_EQ(at(b, 10, y), 0x0000FF00u) << y;
    EXPECT_EQ(at(b, 10, 8), kBackground);

    core::Bitmap d = backgroundBitmap(8, 8);
    ui::Canvas diagonal(ui::PixelSurface::of(d));
    diagonal.MoveTo(0, 0);
    diagonal.LineTo(5, 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(at(d, i, i), 0u) << i;
    EXPECT_EQ(at(d, 5, 5), kBackground);
    EXPECT_EQ(changedInRow(d, 2), (std::vector<int>{2}));

    // The pen position moves on: a second LineTo starts where the first ended,
    // drawing the point the first one left out.
    diagonal.LineTo(5, 7);
    EXPECT_EQ(at(d, 5, 5), 0u);
    EXPECT_EQ(at(d, 5, 6), 0u);
    EXPECT_EQ(at(d, 5, 7), kBackground);
}

TEST(CanvasTest, ShallowLinesTakeOnePixelPerColumnAndStayNearTheExactLine) {
    core::Bitmap b = backgroundBitmap(20, 6);
    ui::Canvas c(ui::PixelSurface::of(b));
    c.MoveTo(0, 1);
    c.LineTo(15, 4);  // a beam-like slant
    for (int x = 0; x < 20; ++x) {
        int hits = 0;
        int hitY = -1;
        for (int y = 0; y < 6; ++y)
            if (at(b, x, y) != kBackground) {
                ++hits;
                hitY = y;
            }
        if (x >= 15) {
            EXPECT_EQ(hits, 0) << x;
            continue;
        }
        ASSERT_EQ(hits, 1) << x;
        const double exact = 1 + 3.0 * x / 15;
        EXPECT_LE(std::abs(hitY - exact), 0.5) << x;
    }
}

TEST(CanvasTest, RoundRectCutsItsCornersAndKeepsItsEdges) {
    core::Bitmap b = backgroundBitmap(14, 10);
    ui::Canvas c(ui::PixelSurface::of(b));
    c.Pen.Color = core::colors::black;
    c.Brush.Color = core::colors::white;
    c.RoundRect(1, 1, 13, 9, 5, 5);
    for (auto [x, y] : {std::pair{1, 1}, {12, 1}, {1, 8}, {12, 8}})
        EXPECT_EQ(at(b, x, y), kBackground) << x << "," << y;
    EXPECT_EQ(at(b, 2, 1), 0u);  // the edge starts right after the corner
    EXPECT_EQ(at(b, 1, 2), 0u);
    EXPECT_EQ(at(b, 7, 1), 0u);
    EXPECT_EQ(at(b, 12, 5), 0u);
    EXPECT_EQ(at(b, 7, 8), 0u);
    EXPECT_EQ(at(b, 7, 5), 0x00FFFFFFu);
    EXPECT_EQ(at(b, 2, 2), 0x00FFFFFFu);  // inside the rounded corner
    EXPECT_EQ(at(b, 13, 5), kBackground);
    EXPECT_EQ(at(b, 7, 9), kBackground);
}

TEST(CanvasTest, NothingOutsideTheClipOrTheSurfaceIsTouched) {
    core::Bitmap b = backgroundBitmap(20, 20);
    ui::Canvas c(ui::PixelSurface::of(b), 2, 3, Rect{5, 5, 10, 10});
    EXPECT_EQ(c.ClipRect(), (Rect{3, 2, 8, 7}));
    c.Brush.Color = core::colors::red;
    c.FillRect(Rect{-100, -100, 100, 100});
    c.MoveTo(-50, 4);
    c.LineTo(1000000, 4);
    c.Rectangle(-10, -10, 40, 40);
    c.RoundRect(-10, -10, 40, 40, 5, 5);
    c.Font.Height = 16;
    c.TextOut(0, 0, "WWWWWWWWWW");
    c.SetPixel(-3, -3, core::colors::white);
    const Rect ink = inkBounds(b, kBackground);
    EXPECT_EQ(ink, (Rect{5, 5, 10, 10}));

    // Only the clip is read back; everything else is "outside".
    EXPECT_EQ(c.Pixel(3, 2), core::colors::red);
    EXPECT_EQ(c.Pixel(2, 2), CanvasColor::outside());
    EXPECT_EQ(c.Pixel(8, 2), CanvasColor::outside());
    EXPECT_EQ(c.Pixel(-2, -3).value, -1);
}

TEST(CanvasTest, PixelsReadAndWriteInCanvasColourForm) {
    core::Bitmap b = backgroundBitmap(4, 4);
    ui::Canvas c(ui::PixelSurface::of(b));
    // The word 0xAARRGGBB reads back as 0x00BBGGRR, its alpha dropped.
    EXPECT_EQ(c.Pixel(1, 1).value, 0x302010);
    c.SetPixel(2, 2, CanvasColor{0x0000FF});  // red in canvas form
    EXPECT_EQ(at(b, 2, 2), 0x00FF0000u);
    EXPECT_EQ(c.Pixel(2, 2).value, 0x0000FF);
    EXPECT_EQ(c.Pixel(4, 0).value, -1);
    EXPECT_EQ(c.Pixel(0, -1).value, -1);
}

TEST(CanvasTest, DrawsIntoBottomUpSurfacesAsSeenOnScreen) {
    // Rows stored bottom-up: the top row on screen is the last one in memory.
    const int w = 60;
    const int h = 24;
    core::Bitmap stored = backgroundBitmap(w, h);
    ui::PixelSurface bottomUp{stored.row(h - 1), -static_cast<ptrdiff_t>(w), w, h};
    core::Bitmap plain = backgroundBitmap(w, h);
    for (ui::Canvas c : {ui::Canvas(bottomUp), ui::Canvas(ui::PixelSurface::of(plain))}) {
        c.Pen.Color = core::colors::red;
        c.Rectangle(1, 1, 5, 3);
        c.Font.Height = 14;
        c.Font.Color = core::colors::white;
        c.Brush.Style = ui::Canvas::TBrushStyle::Clear;
        c.TextOut(10, 2, "Tg");
    }
    EXPECT_EQ(at(stored, 1, h - 2), 0x00FF0000u);  // screen row 1
    EXPECT_EQ(at(stored, 1, h - 1), kBackground);  // screen row 0
    bool textDrawn = false;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            ASSERT_EQ(at(stored, x, h - 1 - y), at(plain, x, y)) << x << "," << y;
            textDrawn = textDrawn || (x >= 10 && at(plain, x, y) != kBackground);
        }
    EXPECT_TRUE(textDrawn);
}

TEST(CanvasTest, TextOutPaintsTheBrushBehindTheTextUnlessItIsClear) {
    core::Bitmap b = backgroundBitmap(80, 50);
    ui::Canvas c(ui::PixelSurface::of(b));
    c.Brush.Color = core::colors::blue;
    const platform::Size extent = c.TextExtent("Hi");
    c.TextOut(3, 4, "Hi");
    EXPECT_EQ(at(b, 3 + extent.width - 1, 4 + extent.height - 1), 0x000000FFu);
    EXPECT_EQ(at(b, 3 + extent.width, 4), kBackground);

    c.Brush.Style = ui::Canvas::TBrushStyle::Clear;
    c.Font.Color = core::colors::white;
    c.TextOut(3, 25, "Hi");
    EXPECT_EQ(at(b, 3 + extent.width - 1, 25 + extent.height - 1), kBackground);
    EXPECT_FALSE(inkBounds(b, kBackground).intersected(Rect{0, 25, 80, 50}).empty());
}

TEST(CanvasTest, DrawAndStretchDrawCopyPicturesWithNearestPixels) {
    core::Bitmap picture(4, 2);
    for (int x = 0; x < 4; ++x) {
        picture.setPixel(x, 0, PixelWord{0xFF000000u | static_cast<uint32_t>(x + 1)});
        picture.setPixel(x, 1, PixelWord{0xFF000000u | static_cast<uint32_t>(x + 11)});
    }
    core::Bitmap b = backgroundBitmap(10, 10);
    ui::Canvas c(ui::PixelSurface::of(b), 1, 1, Rect{0, 0, 10, 10});
    c.Draw(7, 0, picture);  // cut at the surface's edge; alpha cleared
    EXPECT_EQ(at(b, 8, 1), 1u);
    EXPECT_EQ(at(b, 9, 2), 12u);

    c.StretchDraw(Rect{0, 2, 2, 6}, picture);  // 4 x 2 into 2 x 4
    EXPECT_EQ(at(b, 1, 3), 1u);
    EXPECT_EQ(at(b, 2, 3), 3u);
    EXPECT_EQ(at(b, 1, 4), 1u);
    EXPECT_EQ(at(b, 1, 5), 11u);
    EXPECT_EQ(at(b, 2, 6), 13u);
    EXPECT_EQ(at(b, 3, 3), kBackground);
}

TEST(CanvasTest, ChangesAreReported) {
    core::Bitmap b = backgroundBitmap(4, 4);
    ui::Canvas c(ui::PixelSurface::of(b));
    int changes = 0;
    c.OnChange = [&] { ++changes; };
    c.MoveTo(0, 0);
    c.LineTo(3, 3);
    c.Rectangle(0, 0, 2, 2);
    c.SetPixel(1, 1, core::colors::white);
    EXPECT_EQ(changes, 3);
}

// ---------------------------------------------------------------- text layout

struct TextFixture : ::testing::Test {
    ui::TFont font;
    TextFixture() { font.Height = 14; }

    int width(const char* text) const { return font.Open()->measure(text).width; }

    // Draws `text` in white onto black and returns the picture.
    core::Bitmap render(const char* text, const ui::TextFormat& format, int w = 120,
                        int h = 60) const {
        core::Bitmap b(w, h);
        ui::Canvas c(ui::PixelSurface::of(b));
        c.Font = font;
        c.Font.Color = core::colors::white;
        c.DrawText(Rect{0, 0, w, h}, text, format);
        return b;
    }
};

TEST_F(TextFixture, LinesBreakAtLineEndsAndWithWordWrapBetweenWords) {
    ui::TextFormat plain;
    const ui::TextDrawing unwrapped(font, plain);
    const auto lines = unwrapped.Lines("one\r\ntwo\nthree four", 10);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].text, "three four");  // too wide, but nothing wraps it

    ui::TextFormat wrapping;
    wrapping.WordWrap = true;
    const ui::TextDrawing wrapped(font, wrapping);
    const int fits = width("one two");
    auto rows = wrapped.Lines("one two three", fits);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].text, "one two");
    EXPECT_EQ(rows[0].width, fits);
    EXPECT_EQ(rows[1].text, "three");  // the blank at the break is dropped

    rows = wrapped.Lines("one two three", fits - 1);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].text, "two");

    // A word wider than the rectangle keeps a line of its own.
    rows = wrapped.Lines("a extraordinarily b", width("a b"));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].text, "extraordinarily");

    // Explicit line ends still count, and blanks between lines vanish.
    rows = wrapped.Lines("alpha   \r\nbeta", 1000);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].text, "beta");
}

TEST_F(TextFixture, AcceleratorMarksAndTabs) {
    ui::TextFormat accel;
    accel.ShowAccelChar = true;
    const ui::TextDrawing drawing(font, accel);
    auto lines = drawing.Lines("&File && Edit", 100);
    EXPECT_EQ(lines[0].text, "File & Edit");
    EXPECT_EQ(lines[0].underlined, (std::vector<size_t>{0}));
    lines = drawing.Lines("Save &\xC3\xA4s", 100);  // a two-byte accelerator letter
    EXPECT_EQ(lines[0].underlined, (std::vector<size_t>{5}));

    const ui::TextDrawing literal(font, ui::TextFormat{});
    EXPECT_EQ(literal.Lines("&File", 100)[0].text, "&File");

    // A TAB jumps to the next stop, eight average characters from the line's start.
    const int stop = 8 * width("x");
    EXPECT_EQ(literal.Lines("a\tb", 100)[0].width, stop + width("b"));
    EXPECT_EQ(literal.Lines("\t\tb", 100)[0].width, 2 * stop + width("b"));

    // An empty caption, or a lone mark, is measured as one blank.
    EXPECT_EQ(drawing.Measure("", 100), (platform::Size{width(" "), drawing.LineHeight()}));
    EXPECT_EQ(drawing.Measure("&", 100).width, width(" "));
    EXPECT_EQ(drawing.Measure("a\r\nbb", 100),
              (platform::Size{width("bb"), 2 * drawing.LineHeight()}));
}

TEST_F(TextFixture, AlignmentPlacesEachLine) {
    ui::TextFormat format;
    const int textWidth = width("Mm");
    Rect ink = inkBounds(render("Mm", format), 0);
    EXPECT_LE(ink.left, 2);

    format.Alignment = ui::TAlignment::RightJustify;
    ink = inkBounds(render("Mm", format), 0);
    EXPECT_GE(ink.right, 116);
    EXPECT_GE(ink.left, 120 - textWidth - 1);

    format.Alignment = ui::TAlignment::Center;
    ink = inkBounds(render("Mm", format), 0);
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 60, 2.0);
}

TEST_F(TextFixture, LayoutMeasuresFirstToCentreOrBottomTheBlock) {
    ui::TextFormat format;
    const int lineHeight = ui::TextDrawing(font, format).LineHeight();
    Rect ink = inkBounds(render("H\r\nH", format), 0);
    EXPECT_LT(ink.bottom, 2 * lineHeight);

    format.Layout = ui::TTextLayout::Bottom;
    ink = inkBounds(render("H\r\nH", format), 0);
    EXPECT_GT(ink.top, 60 - 2 * lineHeight - 1);
    EXPECT_LE(ink.bottom, 60);

    format.Layout = ui::TTextLayout::Center;
    const Rect centred = inkBounds(render("H\r\nH", format), 0);
    const Rect top = inkBounds(render("H\r\nH", ui::TextFormat{}), 0);
    EXPECT_EQ(centred.top - top.top, (60 - 2 * lineHeight) / 2);
}

TEST_F(TextFixture, AcceleratorLetterIsUnderlinedOnlyWhenAsked) {
    ui::TextFormat accel;
    accel.ShowAccelChar = true;
    const core::Bitmap marked = render("&MA", accel);
    const core::Bitmap plain = render("MA", accel);
    int extra = 0;
    for (int y = 0; y < marked.height(); ++y)
        for (int x = 0; x < marked.width(); ++x)
            if (at(marked, x, y) != at(plain, x, y)) {
                ++extra;
                EXPECT_LT(x, width("M") + 1);  // under the M only
            }
    EXPECT_GE(extra, width("M") - 2);

    const core::Bitmap literal = render("&MA", ui::TextFormat{});
    EXPECT_GT(inkBounds(literal, 0).right, inkBounds(plain, 0).right + 2);  // the mark is drawn
}

}  // namespace
