#include "dib/cDIBImage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace {

using core::CanvasColor;
using core::PixelWord;
using dib::EDIBError;
using dib::TDIBSize;
using dib::TMemoryDIB;
using dib::TTransferRule;
using dib::TWinDIB;

// The pixel at screen (x, y) of a numbered picture: all different, none black.
uint32_t numberedValue(int x, int y) {
    return 0xFF000000u + static_cast<uint32_t>(100 * y + x + 1);
}

void number(dib::TAbstractSuperDIB& image) {
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            image.SetPixel(x, y, PixelWord{numberedValue(x, y)});
}

// Every pixel of the image in screen order, row by row.
std::vector<uint32_t> pixels(const dib::TAbstractSuperDIB& image) {
    std::vector<uint32_t> result;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) result.push_back(image.Pixel(x, y).value);
    return result;
}

// ---------------------------------------------------------------- settings

TEST(DIBSettings, AngleIsBroughtIntoOneTurn) {
    TMemoryDIB image(1, 1);
    const std::pair<double, double> cases[] = {{-90, 270},      {720, 0},      {359.9996, 359.9996},
                                               {-720.5, 359.5}, {INFINITY, 0}, {NAN, 0}};
    for (const auto& [set, read] : cases) {
        image.SetAngle(set);
        EXPECT_EQ(image.Angle(), read) << set;
    }
    image.SetAngle(1e12 + 90);  // cut down at once, not in billions of turns
    EXPECT_NEAR(image.Angle(), 10, 1e-3);
}

TEST(DIBSettings, MaskedAndTransparentExcludeEachOtherAndSelectTheRule) {
    TMemoryDIB image(1, 1);
    image.SetTransparent(true);
    image.SetMasked(true);
    EXPECT_FALSE(image.Transparent());
    image.SetTransparent(true);
    EXPECT_FALSE(image.Masked());

    const struct {
        uint8_t opacity;
        bool masked, transparent;
        TTransferRule rule;
    } table[] = {{255, false, false, TTransferRule::Copy},
                 {255, true, false, TTransferRule::AlphaBlend},
                 {255, false, true, TTransferRule::ColorKey},
                 {254, false, false, TTransferRule::OpacityBlend},
                 {0, true, false, TTransferRule::AlphaOpacityBlend},
                 {254, false, true, TTransferRule::ColorKeyOpacity}};
    image.SetTransparentColor(CanvasColor::rgb(1, 2, 3));
    for (const auto& row : table) {
        image.SetOpacity(row.opacity);
        image.SetMasked(row.masked);
        image.SetTransparent(row.transparent);
        EXPECT_EQ(image.Transfer().rule, row.rule) << int(row.opacity) << row.masked;
        EXPECT_EQ(image.Transfer().opacity, row.opacity);
        EXPECT_EQ(image.Transfer().key, 0x00010203u);
    }
    image.SetScale(50);
    image.SetAngle(10);
    image.ResetProperties();
    EXPECT_EQ(image.Transfer().rule, TTransferRule::Copy);
    EXPECT_EQ((std::pair{image.ScaleX(), image.ScaleY()}), (std::pair{100.0, 100.0}));
    EXPECT_EQ(image.Angle(), 0);
}

TEST(DIBSettings, ChangesNotifyOnceAndNotWhileUpdating) {
    TMemoryDIB image(2, 2);
    int notified = 0;
    image.OnChange = [&] { ++notified; };
    image.SetOpacity(255);  // all unchanged
    image.SetAngle(360);
    image.SetScale(100);
    image.SetWidth(2);
    EXPECT_EQ(notified, 0);
    image.SetScaleY(50);
    image.SetWidth(3);
    EXPECT_EQ(notified, 2);

    image.BeginUpdate();
    image.BeginUpdate();
    image.SetOpacity(10);
    image.SetMasked(true);
    image.EndUpdate();
    EXPECT_EQ(notified, 2);
    EXPECT_EQ(image.Transfer().rule, TTransferRule::AlphaOpacityBlend);  // re-selected meanwhile
    image.EndUpdate();
    EXPECT_EQ(notified, 3);
    try {
        image.EndUpdate();
        FAIL() << "EndUpdate without BeginUpdate was accepted";
    } catch (const EDIBError& e) {
        EXPECT_STREQ(e.what(), "EndUpdate without BeginUpdate");
    }
}

TEST(DIBSettings, AutoModeReportsTheFirstStoredPixelAsKey) {
    TMemoryDIB image(3, 2);
    image.SetPixel(0, 1, PixelWord{0xFF112233});  // bottom left: first stored pixel
    image.SetTransparentColor(CanvasColor::rgb(9, 9, 9));
    EXPECT_EQ(image.TransparentColor(), CanvasColor::rgb(0x11, 0x22, 0x33));
    image.SetTransparentMode(dib::tmFixed);
    EXPECT_EQ(image.TransparentColor(), CanvasColor::rgb(9, 9, 9));
}

// ------------------------------------------------------- size and storage

TEST(DIBStorage, SizesBelowOneBecomeOneAndOversizeIsRefused) {
    TWinDIB image;
    EXPECT_FALSE(image.HasPixels());
    image.SetSize(3, 0);
    EXPECT_EQ((TDIBSize{image.Width(), image.Height()}), (TDIBSize{3, 1}));
    image.Fill(core::colors::white);
    image.SetSize(2, 2);
    EXPECT_EQ(pixels(image), std::vector<uint32_t>(4, 0));  // fresh pixels are zero

    image.SetPixel(1, 1, PixelWord{5});
    EXPECT_THROW(image.SetSize(70000, 1), EDIBError);
    EXPECT_THROW(image.SetSize(8193, 8192), EDIBError);
    EXPECT_EQ(image.Pixel(1, 1).value, 5u);  // unchanged by the refusal
    image.SetSize(65535, 1);
    EXPECT_EQ(image.Width(), 65535);
}

TEST(DIBStorage, RowsAreStoredBottomUpAndFillsStoreAlphaZero) {
    TMemoryDIB image(4, 3);
    image.SetPixel(2, 0, PixelWord{7});  // top row on screen
    EXPECT_EQ(image.StoredRow(2)[2], 7u);
    ui::PixelSurface surface = image.Surface();
    EXPECT_EQ(surface.stride, -4);
    EXPECT_EQ(surface.row(0)[2], 7u);
    surface.row(2)[0] = 9;  // bottom row on screen
    EXPECT_EQ(image.StoredRow(0)[0], 9u);

    image.Fill(CanvasColor::rgb(0xFF, 0, 0));
    image.FillRect(CanvasColor::rgb(0x10, 0x20, 0x30), -1, 1, 3, 5);  // x 0..1, y 1..2
    image.FillRect(core::colors::white, 2, 0, 0, 3);                  // empty
    const uint32_t r = 0x00FF0000, f = 0x00102030;
    EXPECT_EQ(pixels(image), (std::vector<uint32_t>{r, r, r, r, f, f, r, r, f, f, r, r}));
}

TEST(DIBStorage, ClipRectIsOrderedClampedAndResetBySize) {
    TWinDIB image(10, 8);
    EXPECT_EQ(image.ClipRect(), (dib::TClipRect{0, 0, 9, 7}));
    image.SetClipRect(12, 5, -3, 2);
    EXPECT_EQ(image.ClipRect(), (dib::TClipRect{0, 2, 9, 5}));
    image.SetSize(4, 4);
    EXPECT_EQ(image.ClipRect(), (dib::TClipRect{0, 0, 3, 3}));
}

TEST(DIBStorage, LinkToSharesPixelsAndOutlivesTheSourcesResize) {
    TMemoryDIB source(3, 2);
    number(source);
    source.SetTransparent(true);
    source.SetOpacity(100);
    source.SetAngle(30);
    source.SetTransparentMode(dib::tmFixed);
    TMemoryDIB lent;
    lent.LinkTo(source);
    EXPECT_EQ((TDIBSize{lent.Width(), lent.Height()}), (TDIBSize{3, 2}));
    EXPECT_EQ(lent.Opacity(), 100);
    EXPECT_EQ(lent.Angle(), 30);
    EXPECT_EQ(lent.TransparentMode(), dib::tmFixed);
    EXPECT_EQ(lent.Transfer().rule, TTransferRule::ColorKeyOpacity);
    EXPECT_EQ(lent.StoredRow(0), source.StoredRow(0));  // the same memory

    lent.SetAngle(90);
    EXPECT_EQ(source.Angle(), 30);
    source.SetSize(5, 5);  // the source lets go, the borrower keeps the block
    EXPECT_EQ(lent.Pixel(2, 1).value, numberedValue(2, 1));
}

// --------------------------------------------------------------- transfers

struct Settings {
    uint8_t opacity = 255;
    bool masked = false;
    bool transparent = false;
};

// Lays source pixel s over target pixel d.
uint32_t layOver(Settings settings, uint32_t s, uint32_t d) {
    TMemoryDIB src(1, 1);
    src.SetOpacity(settings.opacity);
    src.SetMasked(settings.masked);
    src.SetTransparent(settings.transparent);
    src.SetTransparentColor(CanvasColor::rgb(0, 0, 0xFF));  // pixel word 0x000000FF
    TWinDIB target(1, 1);
    src.SetPixel(0, 0, PixelWord{s});
    target.SetPixel(0, 0, PixelWord{d});
    src.Draw(0, 0, 0, 0, target, 1, 1);
    return target.Pixel(0, 0).value;
}

TEST(DIBTransfer, EachRuleToTheByte) {
    const struct {
        Settings settings;
        uint32_t s, d, expected;
    } cases[] = {
        {{}, 0x12345678, 0xFFFFFFFF, 0x12345678},
        // (200 * 128 + 100 * 127 + 255) >> 8 = 150, (255 * 127 + 255) >> 8 = 127;
        // alpha the larger of the two
        {{128}, 0x10C8C800, 0x806464FF, 0x8096967F},
        {{128}, 0x90C8C800, 0x206464FF, 0x9096967F},
        // alpha 64: (255 * 64 + 255) >> 8 = 64, (255 * 191 + 255) >> 8 = 191
        {{255, true}, 0x40FF0000, 0x8000FFFF, 0x8040BFBF},
        {{255, true}, 0xFF808080, 0x00123456, 0xFF808080},
        {{255, true}, 0x00FFFFFF, 0x10203040, 0x10203040},
        // a = (200 * 128) >> 8 = 100: 100 and 155; alpha of the bytes as they were
        {{128, true}, 0xC8FF0000, 0x1000FF00, 0xC8649B00},
        {{128, true}, 0x10000000, 0x20000000, 0x20000000},
        // a = (255 * 254) >> 8 = 253, not 254
        {{254, true}, 0xFFFF0000, 0x00000000, 0xFFFD0000},
        // key 0x0000FF: skipped whatever its alpha; others copied with alpha 0
        {{255, false, true}, 0x770000FF, 0x55555555, 0x55555555},
        {{255, false, true}, 0xFFA0B0C0, 0x55555555, 0x00A0B0C0},
        {{255, false, true}, 0x7F0000FE, 0x55555555, 0x000000FE},
        // key with opacity: blended, alpha taken from the source
        {{128, false, true}, 0x11C8C800, 0xEE6464FF, 0x1196967F},
        {{128, false, true}, 0x110000FF, 0xEE6464FF, 0xEE6464FF},
    };
    for (const auto& c : cases)
        EXPECT_EQ(layOver(c.settings, c.s, c.d), c.expected)
            << std::hex << c.s << " over " << c.d << " opacity " << std::dec
            << int(c.settings.opacity);
}

TEST(DIBTransfer, ZeroOpacityKeepsAndFullAlphaReplacesEveryByteValue) {
    // Source column x carries byte x, target row y byte y, in every channel.
    TMemoryDIB src(256, 256);
    TWinDIB target(256, 256);
    auto grey = [](uint32_t alpha, uint32_t v) { return alpha << 24 | v << 16 | v << 8 | v; };
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) src.SetPixel(x, y, PixelWord{grey(0x40, x)});
    auto fillTarget = [&] {
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) target.SetPixel(x, y, PixelWord{grey(0x80, y)});
    };

    fillTarget();
    src.SetOpacity(0);
    src.Draw(0, 0, 0, 0, target, 256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            ASSERT_EQ(target.Pixel(x, y).value, grey(0x80, y)) << x << "," << y;

    fillTarget();
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) src.SetPixel(x, y, PixelWord{grey(0xFF, x)});
    src.SetOpacity(255);
    src.SetMasked(true);
    src.Draw(0, 0, 0, 0, target, 256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            ASSERT_EQ(target.Pixel(x, y).value, grey(0xFF, x)) << x << "," << y;
}

TEST(DIBTransfer, ColourKeyComparesTheKeyThatWasSetInEitherMode) {
    TMemoryDIB src(2, 1);
    src.SetPixel(0, 0, PixelWord{0xFFFF0000});  // red first stored pixel: the reported key
    src.SetTransparent(true);                   // the key set stays black
    TWinDIB target(2, 1);
    target.Fill(core::colors::white);
    src.Draw(0, 0, 0, 0, target, 2, 1);
    EXPECT_EQ(pixels(target), (std::vector<uint32_t>{0x00FF0000, 0x00FFFFFF}));
}

// ------------------------------------------------------- untransformed draw

TEST(DIBDraw, ClipTargetAndSourceCutTheRegionAndKeepItAligned) {
    TMemoryDIB src(4, 4);
    number(src);
    auto drawn = [&](int x, int y, int srcX, int srcY, dib::TClipRect clip) {
        TWinDIB target(6, 6);
        target.SetClipRect(clip.Left, clip.Top, clip.Right, clip.Bottom);
        int changes = 0;
        target.OnChange = [&] { ++changes; };
        src.Draw(x, y, srcX, srcY, target, 4, 4);
        std::vector<uint32_t> result = pixels(target);
        result.push_back(static_cast<uint32_t>(changes));
        return result;
    };
    // What a target pixel shows when (x, y) - (dx, dy) lies in the source
    // region that remains.
    auto expected = [&](int dx, int dy, int left, int top, int right, int bottom) {
        std::vector<uint32_t> result;
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 6; ++x)
                result.push_back(x >= left && x <= right && y >= top && y <= bottom
                                     ? numberedValue(x - dx, y - dy)
                                     : 0u);
        result.push_back(1);
        return result;
    };
    const dib::TClipRect all{0, 0, 5, 5};
    // Cut by the clip rectangle, the source moving along at the left and top.
    EXPECT_EQ(drawn(1, 1, 0, 0, {2, 2, 4, 4}), expected(1, 1, 2, 2, 4, 4));
    // Overhanging the target on each side.
    EXPECT_EQ(drawn(-2, -1, 0, 0, all), expected(-2, -1, 0, 0, 1, 2));
    EXPECT_EQ(drawn(4, 5, 0, 0, all), expected(4, 5, 4, 5, 5, 5));
    // A region cut by the source's size, and one reaching before it.
    EXPECT_EQ(drawn(0, 0, 3, 2, all), expected(-3, -2, 0, 0, 0, 1));
    EXPECT_EQ(drawn(1, 1, -1, -2, all), expected(2, 3, 2, 3, 4, 4));
}

TEST(DIBDraw, WhollyOutsideDrawsNothing) {
    TMemoryDIB src(4, 4);
    number(src);
    TWinDIB target(6, 6);
    target.SetClipRect(1, 1, 3, 3);
    int changes = 0;
    target.OnChange = [&] { ++changes; };
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{
             {6, 0}, {0, 6}, {-4, 0}, {0, -4}, {4, 0}, {-3, -3}, {INT32_MAX, 0}, {INT32_MIN, 0}})
        src.Draw(x, y, 0, 0, target, 4, 4);
    src.Draw(0, 0, 4, 0, target, 4, 4);  // region starts past the source
    src.Draw(0, 0, 0, 0, target, 0, 4);  // empty region
    TMemoryDIB empty;                    // no pixels, turned or not
    empty.Draw(0, 0, 0, 0, target, 4, 4);
    empty.SetAngle(30);
    empty.Draw(0, 0, 0, 0, target, 4, 4);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(pixels(target), std::vector<uint32_t>(36, 0));
}

// ---------------------------------------------------------------- turning

TEST(DIBRotate, RotatedSizeOfTheGamesPictures) {
    EXPECT_EQ(dib::RotatedSize(14, 14, 100, 100, 0), (TDIBSize{14, 14}));
    EXPECT_EQ(dib::RotatedSize(14, 14, 100, 100, 45), (TDIBSize{20, 20}));
    EXPECT_EQ(dib::RotatedSize(16, 16, 100, 100, 45), (TDIBSize{22, 22}));
    EXPECT_EQ(dib::RotatedSize(71, 77, 100, 100, 0), (TDIBSize{70, 76}));
    EXPECT_EQ(dib::RotatedSize(54, 78, 75, 75, 0), (TDIBSize{40, 58}));  // 40.5 x 58.5
    EXPECT_EQ(dib::RotatedSize(20, 10, 100, 100, 90), (TDIBSize{10, 20}));
    // Quarter turns are exact: odd sizes lose their odd pixel as at 0 degrees.
    EXPECT_EQ(dib::RotatedSize(15, 15, 100, 100, 180), (TDIBSize{14, 14}));
    EXPECT_EQ(dib::RotatedSize(71, 77, 100, 100, 180), (TDIBSize{70, 76}));
    EXPECT_EQ(dib::RotatedSize(71, 77, 100, 100, 270), (TDIBSize{76, 70}));
    EXPECT_EQ(dib::RotatedSize(71, 77, 100, 100, -90), (TDIBSize{76, 70}));
    EXPECT_EQ(dib::ScaledSize(16, 16, 3850, 2993.75), (TDIBSize{616, 479}));
}

TEST(DIBRotate, TurnsAreClockwiseAndMapPixelForPixel) {
    // Worked out by hand from the fixed-point tables: which source pixel
    // (screen x, y) each target pixel shows, o for the fill. A quarter turn
    // moves the source's top row (y = 0) to the right-hand column; the sine
    // of the half turn rounds up to 1/65536, which shifts part of the
    // picture by one pixel.
    using Mapping = std::vector<std::vector<std::pair<int, int>>>;
    constexpr std::pair<int, int> o{-1, -1};
    auto expectMapping = [](const TWinDIB& target, const Mapping& from) {
        for (int y = 0; y < target.Height(); ++y)
            for (int x = 0; x < target.Width(); ++x) {
                const auto [sx, sy] = from[y][x];
                EXPECT_EQ(target.Pixel(x, y).value, sx < 0 ? 0u : numberedValue(sx, sy))
                    << x << "," << y;
            }
    };
    TMemoryDIB image(4, 4);
    number(image);
    image.SetAngle(90);
    TWinDIB square(4, 4);
    image.RotateInto(square);
    expectMapping(square, {{o, {1, 2}, {1, 1}, {1, 0}},
                           {o, {2, 2}, {2, 1}, {2, 0}},
                           {o, o, {3, 2}, {3, 1}},
                           {o, o, o, o}});
    image.SetAngle(30);
    TWinDIB odd(5, 5);  // centred on its middle pixel
    image.RotateInto(odd);
    expectMapping(odd, {{o, o, {1, 0}, o, o},
                        {o, o, {1, 1}, {2, 0}, {3, 0}},
                        {o, {1, 2}, {2, 1}, {2, 1}, {3, 0}},
                        {o, o, {2, 2}, {3, 2}, o},
                        {o, o, o, o, o}});
}

TEST(DIBRotate, EdgeRowsAndColumnsNeverShowAndUnmappedPixelsGetTheFill) {
    constexpr uint32_t kEdge = 0xFF00FF00;
    for (const int size : {14, 15}) {
        TMemoryDIB image(size, size);
        number(image);
        // First stored row and column; for an odd size also the last ones.
        for (int i = 0; i < size; ++i) {
            image.StoredRow(0)[i] = image.StoredRow(i)[0] = kEdge;
            if (size % 2 != 0) image.StoredRow(size - 1)[i] = image.StoredRow(i)[size - 1] = kEdge;
        }
        image.SetTransparentColor(CanvasColor::rgb(0x12, 0x34, 0x56));
        for (const double angle :
             {0.001, 1.0, 30.0, 45.0, 90.0, 135.0, 180.0, 200.5, 270.0, 359.999})
            for (const bool masked : {false, true}) {
                image.SetAngle(angle);
                image.SetMasked(masked);
                const uint32_t fill = masked ? 0u : 0x00123456u;
                const TDIBSize turned = dib::RotatedSize(size, size, 100, 100, angle);
                TWinDIB target(turned.Width + 4, turned.Height + 4);
                image.RotateInto(target);
                int fills = 0, shown = 0;
                for (const uint32_t p : pixels(target)) {
                    ASSERT_NE(p, kEdge) << size << " at " << angle;
                    (p == fill ? fills : shown) += 1;
                }
                EXPECT_GT(fills, 0) << angle;
                EXPECT_GT(shown, (size - 3) * (size - 3) / 2) << angle;
            }
    }
    TMemoryDIB flat(4, 4);  // scaled to nothing: the target stays as it was
    flat.SetAngle(10);
    flat.SetScaleX(0);
    TWinDIB target(4, 4);
    target.Fill(core::colors::white);
    flat.RotateInto(target);
    flat.Draw(0, 0, 0, 0, target, 4, 4);
    EXPECT_EQ(pixels(target), std::vector<uint32_t>(16, 0x00FFFFFF));
}

TEST(DIBScale, ScaleIntoTakesTheNearestPixelAtEachStep) {
    TMemoryDIB small(2, 2);
    number(small);
    TWinDIB big(4, 4);
    small.ScaleInto(big);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(big.Pixel(x, y).value, numberedValue(x / 2, y / 2));

    // Shrinking steps from stored row 0, which is the bottom: screen rows 1
    // and 3 of four remain.
    TMemoryDIB large(4, 4);
    number(large);
    TWinDIB half(2, 2);
    large.ScaleInto(half);
    EXPECT_EQ(pixels(half), (std::vector<uint32_t>{numberedValue(0, 1), numberedValue(2, 1),
                                                   numberedValue(0, 3), numberedValue(2, 3)}));
    TMemoryDIB three(3, 1);  // step 1.5: columns 0 and 1
    number(three);
    TWinDIB two(2, 1);
    three.ScaleInto(two);
    EXPECT_EQ(pixels(two), (std::vector<uint32_t>{numberedValue(0, 0), numberedValue(1, 0)}));
}

// -------------------------------------------------------- transformed draw

TEST(DIBDrawTransformed, TurnedKeyedPictureLeavesTheBackgroundAroundIt) {
    TMemoryDIB ship(14, 14);
    ship.FillRect(CanvasColor::rgb(200, 200, 200), 1, 1, 12, 12);  // black frame: the key
    ship.SetTransparent(true);
    ship.SetAutoSize(true);
    ship.SetAngle(45);
    TWinDIB target(20, 20);
    target.Fill(CanvasColor::rgb(50, 60, 70));
    ship.Draw(0, 0, 7, 7, target, 14, 14);  // srcX, srcY play no part when turned
    constexpr uint32_t kBackground = 0x00323C46, kShip = 0x00C8C8C8;
    EXPECT_EQ(target.Pixel(0, 0).value, kBackground);
    EXPECT_EQ(target.Pixel(19, 19).value, kBackground);
    EXPECT_EQ(target.Pixel(10, 10).value, kShip);
    EXPECT_EQ(target.Pixel(10, 1).value, kShip);  // a corner now points up
    EXPECT_EQ(target.Pixel(10, 0).value, kBackground);
    EXPECT_EQ(target.Pixel(9, 1).value, kBackground);
    EXPECT_EQ(target.Pixel(2, 9).value, kShip);  // and one left
    EXPECT_EQ(target.Pixel(1, 9).value, kBackground);
}

TEST(DIBDrawTransformed, AutoSizeDecidesTheSizeOfTheRenderedPicture) {
    TMemoryDIB image(4, 4);
    number(image);
    image.SetScale(200);
    TWinDIB plain(8, 8);
    image.Draw(0, 0, 0, 0, plain, 4, 4);  // rendered at the region's 4 x 4
    EXPECT_EQ(plain.Pixel(3, 3).value, numberedValue(3, 3));
    EXPECT_EQ(plain.Pixel(4, 4).value, 0u);

    image.SetAutoSize(true);
    TWinDIB doubled(8, 8);
    image.Draw(0, 0, 0, 0, doubled, 4, 4);  // rendered at 8 x 8
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(doubled.Pixel(x, y).value, numberedValue(x / 2, y / 2));
}

TEST(DIBDrawTransformed, TheRenderedPictureIsLaidWithThisImagesKeyAndOpacity) {
    // Reported key red (first stored pixel, tmAuto), key set black.
    TMemoryDIB image(4, 4);
    image.Fill(core::colors::red);
    image.SetPixel(1, 1, PixelWord{0xFF000000});
    image.SetTransparent(true);
    image.SetAngle(180);
    TWinDIB target(4, 4);
    target.Fill(core::colors::white);
    image.Draw(0, 0, 0, 0, target, 4, 4);
    int red = 0, white = 0;
    for (const uint32_t p : pixels(target)) {
        ASSERT_TRUE(p == 0x00FF0000u || p == 0x00FFFFFFu) << std::hex << p;
        (p == 0x00FF0000u ? red : white) += 1;
    }
    EXPECT_EQ(red, 8);    // the visible 3 x 3 less the black pixel
    EXPECT_EQ(white, 8);  // the black pixel and the fill

    image.SetOpacity(0);
    TWinDIB untouched(4, 4);
    untouched.Fill(CanvasColor::rgb(1, 2, 3));
    image.Draw(0, 0, 0, 0, untouched, 4, 4);
    EXPECT_EQ(pixels(untouched), std::vector<uint32_t>(16, 0x00010203));
}

TEST(DIBDrawTransformed, AScaledCopyLandsInPlaceWhetherWholeClippedOrOverItself) {
    TMemoryDIB image(2, 2);
    number(image);
    image.SetAutoSize(true);
    image.SetScale(200);
    constexpr uint32_t kFill = 0x00010203;
    // The 4 x 4 rendering at (2, 1), whole and then cut by a clip rectangle.
    for (const int clipRight : {6, 3}) {
        TWinDIB target(7, 7);
        target.Fill(CanvasColor::rgb(1, 2, 3));
        target.SetClipRect(0, 0, clipRight, 6);
        image.Draw(2, 1, 0, 0, target, 2, 2);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 7; ++x) {
                const bool covered = x >= 2 && x < 6 && y >= 1 && y < 5 && x <= clipRight;
                EXPECT_EQ(target.Pixel(x, y).value,
                          covered ? numberedValue((x - 2) / 2, (y - 1) / 2) : kFill)
                    << x << "," << y << " clip right " << clipRight;
            }
    }
    // Narrowed onto itself one column to the right: each column read is
    // still the picture's own, not the one just written there.
    TMemoryDIB self(4, 4);
    number(self);
    self.SetScale(50);
    self.Draw(1, 0, 0, 0, self, 3, 4);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(self.Pixel(x, 2).value, numberedValue(x == 0 ? 0 : x - 1, 2)) << x;
}

}  // namespace
