#include "dib/cDIBControl.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "../platform/LoopHarness.h"
#include "dib/cDIBContainer.h"
#include "dib/cDIBImageList.h"
#include "ui/Form.h"
#include "ui/Panel.h"

namespace {

using core::CanvasColor;
using core::PixelWord;
using dib::TDIBImage;
using platform::Rect;

constexpr uint32_t kColourBits = 0x00FFFFFF;
constexpr CanvasColor kBackground = CanvasColor::rgb(0, 0, 200);
constexpr CanvasColor kFormColor = CanvasColor::rgb(0, 90, 0);
constexpr uint32_t kMarker = 0x00123456;

uint32_t rgb(uint8_t r, uint8_t g, uint8_t b) {
    return PixelWord::rgb(r, g, b).value;
}

uint32_t word(CanvasColor c) {
    return core::toPixelWord(c).value;
}

// The pixel of a numbered picture at screen (x, y): all different, none black.
uint32_t numbered(int x, int y) {
    return 0xFF000000u | rgb(static_cast<uint8_t>(10 + x), static_cast<uint8_t>(10 + y), 77);
}

// A form 80 x 60 with the container at (8, 4), 64 x 48, and an image list.
// The form is never shown: painting goes through form.paint() into `frame`.
struct Composition : ::testing::Test {
    test::LoopHarness h;
    ui::Form form{"Form1", h.loop};
    dib::TDIBContainer container{"DIBContainer1"};
    dib::TDIBImageList list;
    core::Bitmap frame{80, 60};
    std::vector<std::unique_ptr<TDIBImage>> sprites;

    Composition() {
        form.SetBounds(0, 0, 80, 60);
        form.SetColor(kFormColor);
        container.SetBounds(8, 4, 64, 48);
        container.SetColor(kBackground);
        container.SetParent(&form);
    }

    // Adds a picture whose pixel at screen (x, y) is pixel(x, y), with or
    // without black as its colour key; returns its number.
    int addPicture(int w, int h, const std::function<uint32_t(int, int)>& pixel, bool transparent) {
        dib::TDIBImagesItem& item = list.Add();
        dib::TMemoryDIB& picture = item.DIB();
        picture.SetSize(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) picture.SetPixel(x, y, PixelWord{pixel(x, y)});
        picture.SetTransparentMode(dib::tmFixed);
        picture.SetTransparent(transparent);
        return list.Count() - 1;
    }
    int addSolid(int w, int h, uint32_t colour) {
        return addPicture(
            w, h, [colour](int, int) { return 0xFF000000u | colour; }, false);
    }

    TDIBImage& addSprite(int left, int top, int width, int height, int picture) {
        sprites.push_back(
            std::make_unique<TDIBImage>("sprite" + std::to_string(sprites.size()), &form));
        TDIBImage& sprite = *sprites.back();
        sprite.SetBounds(left, top, width, height);
        sprite.SetDIBImageList(&list);
        sprite.IndexMain().SetDIBIndex(picture);
        sprite.SetParent(&container);
        return sprite;
    }

    void paint(const Rect& area = Rect{0, 0, 80, 60}) { form.paint(frame, area); }
    // Colour of the composed pixel at container point (x, y).
    uint32_t at(int x, int y) const { return frame.pixel(8 + x, 4 + y).value & kColourBits; }
};

// ------------------------------------------------------- stacking and opacity

TEST_F(Composition, OpacityLaysTheSpriteOverWhatIsBelowWhereverItStands) {
    addSprite(10, 10, 8, 8, addSolid(8, 8, rgb(0, 200, 0)));
    TDIBImage& sprite = addSprite(14, 10, 8, 8, addSolid(8, 8, rgb(200, 0, 0)));
    paint();
    EXPECT_EQ(at(15, 12), rgb(200, 0, 0));
    EXPECT_EQ(at(9, 12), word(kBackground));

    sprite.SetOpacity(128);
    paint();
    // (200 * 128 + 0 * 127 + 255) >> 8 = 100 and (0 * 128 + 200 * 127 + 255) >> 8 = 100
    EXPECT_EQ(at(15, 12), rgb(100, 100, 0));
    EXPECT_EQ(at(20, 12), rgb(100, 0, 100));

    sprite.SetOpacity(0);  // gone from sight, though still on top of the green one
    paint();
    EXPECT_EQ(at(15, 12), rgb(0, 200, 0));
    EXPECT_EQ(at(20, 12), word(kBackground));
    EXPECT_EQ(std::get<int64_t>(sprite.ExtraProperties().front().second), 0);
}

TEST_F(Composition, ChangesReachTheScreenAtTheNextRepaint) {
    TDIBImage& sprite = addSprite(10, 10, 8, 8, addSolid(8, 8, rgb(200, 0, 0)));
    form.ShowWindow("Tarnwick");
    const auto shown = [&](int x, int y) {
        return h.loop.frame().pixel(8 + x, 4 + y).value & kColourBits;
    };
    std::vector<uint32_t> seen;
    h.then([&] {
        seen.push_back(shown(12, 12));
        sprite.SetOpacity(0);
    });
    h.then([&] {
        seen.push_back(shown(12, 12));
        sprite.SetOpacity(255);
        sprite.SetLeft(30);
    });
    h.then([&] {
        seen.push_back(shown(12, 12));
        seen.push_back(shown(32, 12));
    });
    h.run();
    EXPECT_EQ(seen, (std::vector<uint32_t>{rgb(200, 0, 0), word(kBackground), word(kBackground),
                                           rgb(200, 0, 0)}));
}

TEST_F(Composition, AStretchedVeilDarkensEverythingBelowIt) {
    addSprite(0, 0, 64, 48, addSolid(8, 8, rgb(200, 100, 50)));
    TDIBImage& veil = addSprite(0, 0, 64, 48, addSolid(16, 16, 0));
    veil.SetStretch(true);
    veil.SetOpacity(100);
    paint();
    // Every channel d becomes (0 * 100 + d * 155 + 255) >> 8 where the
    // lower sprite lies, and the background likewise elsewhere.
    EXPECT_EQ(at(3, 3), rgb(122, 61, 31));
    EXPECT_EQ(at(30, 30), rgb(0, 0, 122));
    EXPECT_EQ(at(63, 47), rgb(0, 0, 122));

    // Moved half out of the container, it darkens only what it still covers.
    veil.SetLeft(32);
    paint();
    EXPECT_EQ(at(3, 3), rgb(200, 100, 50));
    EXPECT_EQ(at(31, 30), word(kBackground));
    EXPECT_EQ(at(32, 30), rgb(0, 0, 122));
    EXPECT_EQ(frame.pixel(72, 30).value & kColourBits, word(kFormColor)) << "nothing beyond it";
}

TEST_F(Composition, PartsOutsideTheContainerOrTheWindowAreCutAndTheRestStaysInPlace) {
    TDIBImage& sprite = addSprite(-3, -2, 8, 8, addPicture(8, 8, numbered, false));
    paint();
    EXPECT_EQ(at(0, 0), numbered(3, 2) & kColourBits);
    EXPECT_EQ(at(4, 5), numbered(7, 7) & kColourBits);
    EXPECT_EQ(at(5, 0), word(kBackground));
    // Nothing of it lands on the form beside the container.
    EXPECT_EQ(frame.pixel(7, 4).value & kColourBits, word(kFormColor));
    EXPECT_EQ(frame.pixel(8, 3).value & kColourBits, word(kFormColor));

    // Container point (x, y) becomes frame point (x - 4, y - 3).
    container.SetBounds(-4, -3, 64, 48);
    sprite.SetBounds(2, 1, 8, 8);
    paint();
    EXPECT_EQ(frame.pixel(0, 0).value & kColourBits, numbered(2, 2) & kColourBits);
    EXPECT_EQ(frame.pixel(5, 4).value & kColourBits, numbered(7, 6) & kColourBits);
    EXPECT_EQ(frame.pixel(6, 0).value & kColourBits, word(kBackground));
}

TEST_F(Composition, OnlyTheDirtyRectangleIsComposed) {
    addSprite(10, 10, 8, 8, addSolid(8, 8, rgb(200, 0, 0)));
    frame.fill(PixelWord{kMarker});
    // Window (20, 16)..(29, 23) is container (12, 12)..(21, 19).
    paint(Rect{20, 16, 30, 24});
    EXPECT_EQ(at(17, 17), rgb(200, 0, 0));
    EXPECT_EQ(at(21, 19), word(kBackground));
    EXPECT_EQ(at(11, 12), kMarker);  // the sprite, but outside the rectangle
    EXPECT_EQ(at(22, 20), kMarker);
}

TEST_F(Composition, TheBackgroundShowsWhereOpaqueSpritesLeaveAGap) {
    const int grey = addSolid(4, 4, rgb(90, 90, 90));
    TDIBImage& left = addSprite(0, 0, 30, 48, grey);
    TDIBImage& right = addSprite(31, 0, 33, 48, grey);
    left.SetStretch(true);
    right.SetStretch(true);
    std::vector<std::string> calls;
    container.BeforePaint = [&](dib::TDIBContainer&, dib::TWinDIB& backBuffer) {
        calls.push_back("before");
        EXPECT_EQ(backBuffer.Width(), 64);
        EXPECT_EQ(backBuffer.Height(), 48);
        // Whatever was there before must not survive in a gap.
        backBuffer.Fill(CanvasColor{0x563412});
    };
    container.AfterPaint = [&](dib::TDIBContainer&, dib::TWinDIB& backBuffer) {
        calls.push_back("after");
        backBuffer.SetPixel(5, 5, PixelWord{rgb(1, 2, 3)});
    };
    paint();
    EXPECT_EQ(calls, (std::vector<std::string>{"before", "after"}));
    EXPECT_EQ(at(30, 20), word(kBackground));
    EXPECT_EQ(at(29, 20), rgb(90, 90, 90));
    EXPECT_EQ(at(31, 20), rgb(90, 90, 90));
    EXPECT_EQ(at(5, 5), rgb(1, 2, 3));  // after the children

    right.SetLeft(30);  // now the two together cover everything
    paint();
    EXPECT_EQ(at(30, 20), rgb(90, 90, 90));
    // No longer opaque: the background comes back under it, and shows in
    // blue as (90 * 254 + 200 * 1 + 255) >> 8 = 91.
    right.SetOpacity(254);
    paint();
    EXPECT_EQ(at(40, 20), rgb(90, 90, 91));
}

TEST_F(Composition, BringToFrontPaintsTheShipOverEveryOtherChild) {
    TDIBImage& ship = addSprite(10, 10, 8, 8, addSolid(8, 8, rgb(0, 200, 0)));
    addSprite(12, 12, 8, 8, addSolid(8, 8, rgb(200, 0, 0)));
    addSprite(8, 8, 4, 4, addSolid(4, 4, rgb(200, 200, 0)));
    paint();
    EXPECT_EQ(at(13, 13), rgb(200, 0, 0));
    EXPECT_EQ(at(10, 10), rgb(200, 200, 0));
    ship.BringToFront();
    paint();
    EXPECT_EQ(at(13, 13), rgb(0, 200, 0));
    EXPECT_EQ(at(10, 10), rgb(0, 200, 0));
}

// ------------------------------------------------------------------ pictures

TEST_F(Composition, TheShipTurnsAboutTheCentreOfItsControlAndIsCutToIt) {
    const int shipPicture = addPicture(14, 14, numbered, true);
    TDIBImage& ship = addSprite(20, 10, 16, 16, shipPicture);
    ship.SetCenter(true);
    paint();
    EXPECT_EQ(at(20, 10), word(kBackground));  // centred: one pixel of margin
    EXPECT_EQ(at(21, 11), numbered(0, 0) & kColourBits);
    EXPECT_EQ(at(34, 24), numbered(13, 13) & kColourBits);

    ship.SetAngle(45);
    paint();
    EXPECT_EQ(ship.Width(), 16);
    EXPECT_EQ(ship.Height(), 16);
    // The turned picture is 20 x 20 and lies two pixels up and left of the control.
    dib::TMemoryDIB source(14, 14);
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 14; ++x) source.SetPixel(x, y, PixelWord{numbered(x, y)});
    source.SetAngle(45);
    dib::TWinDIB turned(20, 20);
    source.RotateInto(turned);
    int pictured = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const uint32_t expected = turned.Pixel(x + 2, y + 2).value & kColourBits;
            // Black is the picture's key: the background shows there.
            EXPECT_EQ(at(20 + x, 10 + y), expected == 0 ? word(kBackground) : expected)
                << x << "," << y;
            pictured += expected != 0;
        }
    EXPECT_GT(pictured, 150);
    // The corners of the turned picture that lie beyond the control are cut.
    EXPECT_EQ(at(19, 17), word(kBackground));
    EXPECT_EQ(at(36, 17), word(kBackground));
}

TEST_F(Composition, AnAutoSizedSpriteGrowsWithItsTurnedPictureKeepingItsCorner) {
    TDIBImage& box = addSprite(30, 20, 16, 16, addPicture(16, 16, numbered, true));
    box.SetCenter(true);
    box.SetAutoSize(true);
    EXPECT_EQ(box.Width(), 16);
    box.SetAngle(45);
    EXPECT_EQ(box.Left(), 30);
    EXPECT_EQ(box.Top(), 20);
    EXPECT_EQ(box.Width(), 22);
    EXPECT_EQ(box.Height(), 22);
    box.SetAngle(-270);  // a quarter turn: square again
    EXPECT_EQ(std::get<double>(box.ExtraProperties().at(1).second), 90);
    EXPECT_EQ(box.Width(), 16);

    // The collector's picture at 75 %: 40.5 x 58.5 rounds up to odd sizes,
    // which are made even.
    box.IndexMain().SetDIBIndex(addPicture(54, 78, numbered, true));
    box.SetAngle(0);
    box.SetScale(75);
    EXPECT_EQ(box.Width(), 40);
    EXPECT_EQ(box.Height(), 58);
}

TEST_F(Composition, ASpriteWithoutAPictureShowsWhatIsBelow) {
    addSprite(10, 10, 8, 8, addSolid(8, 8, rgb(200, 0, 0)));
    const int green = addSolid(8, 8, rgb(0, 200, 0));
    TDIBImage& empty = addSprite(10, 10, 8, 8, green);
    paint();
    EXPECT_EQ(at(12, 12), rgb(0, 200, 0));
    empty.IndexMain().SetDIBIndex(-1);
    paint();
    EXPECT_EQ(at(12, 12), rgb(200, 0, 0));
    // An entry removed from the list takes the picture away too.
    empty.IndexMain().SetDIBIndex(green);
    list.Delete(green);
    EXPECT_EQ(empty.IndexMain().DIBIndex(), -1);
    paint();
    EXPECT_EQ(at(12, 12), rgb(200, 0, 0));
}

// -------------------------------------------------------------------- failures

TEST_F(Composition, ASpriteNeedsAnOwnerAndAContainer) {
    try {
        TDIBImage orphan("orphan", nullptr);
        FAIL() << "made without an owner";
    } catch (const dib::EDIBError& e) {
        EXPECT_STREQ(e.what(), "Owner cannot be nil");
    }

    ui::Form bare("Form2", h.loop);
    ui::TPanel panel("Panel1");
    panel.SetParent(&bare);
    TDIBImage sprite("sprite", &form);
    try {
        sprite.SetParent(&bare);
        FAIL() << "placed outside a container";
    } catch (const dib::EDIBError& e) {
        EXPECT_STREQ(e.what(), "Parent must be a TDIBContainer");
    }
    EXPECT_EQ(sprite.Parent(), nullptr);

    // Given a control that holds a container, the sprite goes into it.
    dib::TDIBContainer inner("DIBContainer2");
    inner.SetParent(&panel);
    sprite.SetParent(&bare);
    EXPECT_EQ(sprite.Parent(), &inner);
    sprite.SetParent(&form);
    EXPECT_EQ(sprite.Parent(), &container);
}

// ------------------------------------------------------- the back buffer view

TEST(BackBufferView, DrawsIntoTheViewedPixelsOnly) {
    core::Bitmap frame(10, 8, PixelWord{kMarker});
    // The part (2, 3)..(6, 6) of the frame, seen as a 5 x 4 picture.
    dib::TWinDIB view(ui::PixelSurface{frame.row(3) + 2, frame.width(), 5, 4});
    EXPECT_EQ(view.Width(), 5);
    EXPECT_EQ(view.Height(), 4);
    EXPECT_EQ(view.StoredRow(0), frame.row(6) + 2);  // the bottom row comes first

    dib::TMemoryDIB picture(3, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) picture.SetPixel(x, y, PixelWord{numbered(x, y)});
    picture.Draw(3, 2, 0, 0, view, 3, 3);
    EXPECT_EQ(frame.pixel(5, 5).value, numbered(0, 0));
    EXPECT_EQ(frame.pixel(6, 6).value, numbered(1, 1));
    EXPECT_EQ(frame.pixel(7, 5).value, kMarker);  // cut at the view's right edge

    view.FillRect(CanvasColor::rgb(1, 2, 3), -5, -5, 100, 100);
    view.Fill(CanvasColor::rgb(4, 5, 6));
    int changed = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x) changed += frame.pixel(x, y).value != kMarker;
    EXPECT_EQ(changed, 20);
    EXPECT_EQ(frame.pixel(2, 3).value, rgb(4, 5, 6));

    // Given a size, a view takes pixels of its own and leaves the frame alone.
    view.SetSize(5, 4);
    view.Fill(CanvasColor::rgb(7, 8, 9));
    EXPECT_EQ(frame.pixel(2, 3).value, rgb(4, 5, 6));
}

}  // namespace
