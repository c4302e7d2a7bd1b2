#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "../platform/LoopHarness.h"
#include "platform/Keys.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Memo.h"
#include "ui/Panel.h"
#include "ui/Shape.h"

namespace {

using core::PixelWord;
using platform::Rect;

uint32_t word(core::CanvasColor c) {
    return core::toPixelWord(c).value;
}

template <typename T>
T property(const ui::Control& control, const std::string& name) {
    for (const auto& [key, value] : control.ExtraProperties())
        if (key == name) return std::get<T>(value);
    ADD_FAILURE() << "no property " << name;
    return T{};
}

// A form with nothing on it yet, not shown: controls paint through form.paint().
struct ControlsFixture : ::testing::Test {
    test::LoopHarness h;
    ui::Form form{"Form1", h.loop};
    core::Bitmap frame{200, 120};

    ControlsFixture() { form.SetBounds(0, 0, 200, 120); }

    void paint() { form.paint(frame, Rect{0, 0, 200, 120}); }
    void click(const ui::Control& c) {
        const Rect r = c.BoundsInWindow();
        form.mouseDown(r.left + r.width() / 2, r.top + r.height() / 2);
        form.mouseUp(r.left + r.width() / 2, r.top + r.height() / 2);
    }
    void type(std::u32string text) {
        for (char32_t ch : text) form.keyChar(ch);
    }
    // Pixels of `r` that pass `test`.
    template <typename Test>
    int count(const Rect& r, Test test) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += test(frame.pixel(x, y)) ? 1 : 0;
        return n;
    }
    // Pixels of `r` that are exactly `colour`.
    int count(const Rect& r, uint32_t colour) const {
        return count(r, [colour](PixelWord p) { return p.value == colour; });
    }
};

// ---------------------------------------------------------------- edit

struct EditFixture : ControlsFixture {
    ui::TEdit edit{"Edit1"};
    int changes = 0;

    EditFixture() {
        edit.SetBounds(10, 10, 121, 21);
        edit.SetParent(&form);
        edit.SetMaxLength(15);
        edit.OnChange = [this] { ++changes; };
        click(edit);  // takes the focus
    }
};

TEST_F(EditFixture, TypingStopsAtMaxLengthAndReportsEveryChange) {
    EXPECT_EQ(form.ActiveControl(), &edit);
    type(U"abcdefghijklmnopqrst");
    EXPECT_EQ(edit.Text(), "abcdefghijklmno");
    EXPECT_EQ(changes, 15);
    EXPECT_EQ(property<std::string>(edit, "Text"), "abcdefghijklmno");
    // A full field still takes deletions and then typing again.
    form.keyDown(platform::vk::Back);
    type(U"Z");
    EXPECT_EQ(edit.Text(), "abcdefghijklmnZ");
    EXPECT_EQ(changes, 17);
}

TEST_F(EditFixture, OnlyPrintableCharactersGetIn) {
    type(
        U"A\tB\rC\nD\x7f"
        U"E\x85"
        U"F\x1b");
    EXPECT_EQ(edit.Text(), "ABCDEF");
    EXPECT_EQ(changes, 6);
    type(U"\u00e9\u20ac");  // characters beyond ASCII are printable too
    EXPECT_EQ(edit.Text(), "ABCDEF\xC3\xA9\xE2\x82\xAC");

    // Text set by the program follows the same rules.
    edit.SetText("Ann\tNormal\r\n4\t12345678901234567");
    EXPECT_EQ(edit.Text(), "AnnNormal412345");
    EXPECT_EQ(edit.SelStart(), 15);
}

TEST_F(EditFixture, EditingKeysMoveTheCaretAndChangeTheText) {
    type(U"abcd");
    changes = 0;
    form.keyDown(platform::vk::Left);
    form.keyDown(platform::vk::Left);
    EXPECT_EQ(edit.SelStart(), 2);
    form.keyDown(platform::vk::Back);  // removes "b"
    EXPECT_EQ(edit.Text(), "acd");
    form.keyDown(platform::vk::Right);
    form.keyDown(platform::vk::Delete);  // removes "d"
    EXPECT_EQ(edit.Text(), "ac");
    form.keyDown(platform::vk::Delete);  // at the end: nothing
    form.keyDown(platform::vk::Home);
    form.keyDown(platform::vk::Back);  // at the start: nothing
    type(U"X");
    EXPECT_EQ(edit.Text(), "Xac");
    form.keyDown(platform::vk::End);
    type(U"Y");
    EXPECT_EQ(edit.Text(), "XacY");
    EXPECT_EQ(changes, 4);  // caret moves and refused keys change nothing
}

// ---------------------------------------------------------------- memo

TEST_F(ControlsFixture, MemoKeepsItsLinesAndShowsTheNewestOnes) {
    ui::TMemo memo{"Memo2"};
    memo.SetBounds(0, 0, 180, 50);
    memo.SetParent(&form);
    memo.Add("Connecting to highscore Server....");
    memo.Add("Connected\r\nUploading...");
    EXPECT_EQ(memo.Lines(), (std::vector<std::string>{"Connecting to highscore Server....",
                                                      "Connected", "Uploading..."}));
    EXPECT_EQ(memo.Text(), "Connecting to highscore Server....\r\nConnected\r\nUploading...\r\n");
    EXPECT_EQ(property<std::vector<std::string>>(memo, "Lines").size(), 3u);

    // 50 pixels hold three rows of the default font; further lines scroll up.
    const size_t fit = memo.VisibleRows().size();
    ASSERT_GE(fit, 2u);
    ASSERT_LT(fit, 6u);
    for (int i = 0; i < 6; ++i) memo.Add("line " + std::to_string(i));
    const std::vector<std::string> rows = memo.VisibleRows();
    ASSERT_EQ(rows.size(), fit);
    EXPECT_EQ(rows.back(), "line 5");

    memo.Clear();
    EXPECT_TRUE(memo.Lines().empty());
    EXPECT_TRUE(memo.VisibleRows().empty());
    memo.Add("Ann\tNormal\t4\t12345");
    EXPECT_EQ(memo.VisibleRows(), (std::vector<std::string>{"Ann\tNormal\t4\t12345"}));
}

TEST_F(ControlsFixture, MemoBreaksLongLinesOnScreenOnly) {
    ui::TMemo memo{"Memo2"};
    memo.SetBounds(0, 0, 80, 100);
    memo.Add("Could not Upload to highscore server, Try uploading again.");
    std::string joined;
    for (const auto& row : memo.VisibleRows()) joined += (joined.empty() ? "" : " ") + row;
    EXPECT_GT(memo.VisibleRows().size(), 1u);
    EXPECT_EQ(joined, memo.Lines().at(0));
}

// ---------------------------------------------------------------- button

struct ButtonFixture : ControlsFixture {
    ui::TButton button{"dxButton1"};
    int clicks = 0;

    ButtonFixture() {
        button.SetBounds(20, 20, 105, 25);
        button.SetCaption("Upload Score");
        button.SetParent(&form);
        button.OnClick = [this] { ++clicks; };
    }
    Rect face() const { return Rect{22, 22, 123, 43}; }
};

TEST_F(ButtonFixture, DisabledButtonLooksEngravedAndTakesNoClick) {
    // Text is smoothed, so its pixels are judged by brightness against the face.
    const auto dark = [](PixelWord p) { return std::max({p.red(), p.green(), p.blue()}) < 90; };
    const auto lighterThanFace = [](PixelWord p) { return p.red() > 230 && p.blue() > 230; };
    paint();
    EXPECT_GT(count(face(), dark), 10);
    EXPECT_EQ(count(face(), lighterThanFace), 0);
    EXPECT_EQ(property<std::string>(button, "Caption"), "Upload Score");

    button.SetEnabled(false);
    paint();
    EXPECT_EQ(count(face(), dark), 0);
    EXPECT_GT(count(face(), lighterThanFace), 10);  // the white copy under the grey text

    click(button);
    EXPECT_EQ(clicks, 0);
    button.SetEnabled(true);
    click(button);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonFixture, SinksWhileHeldAndClicksOnlyWhenReleasedOnIt) {
    paint();
    const uint32_t raisedCorner = frame.pixel(20, 20).value;
    EXPECT_EQ(raisedCorner, word(core::colors::white));
    form.mouseDown(50, 30);
    paint();
    EXPECT_EQ(frame.pixel(20, 20).value, word(core::colors::gray));
    form.mouseMove(180, 100);  // dragged off: raised again
    paint();
    EXPECT_EQ(frame.pixel(20, 20).value, raisedCorner);
    form.mouseUp(180, 100);
    EXPECT_EQ(clicks, 0);
}

TEST_F(ButtonFixture, SpaceOrReturnClickTheFocusedButton) {
    click(button);
    EXPECT_EQ(form.ActiveControl(), &button);
    form.keyDown(platform::vk::Space);
    form.keyDown(platform::vk::Return);
    form.keyDown('A');
    EXPECT_EQ(clicks, 3);
}

// ---------------------------------------------------------------- label

TEST_F(ControlsFixture, LabelPaintsItsBackgroundOnlyWhenNotTransparent) {
    ui::TPanel panel{"dxContainer2"};
    panel.SetBounds(0, 0, 200, 120);
    panel.SetColor(core::colors::blue);
    panel.SetParent(&form);
    ui::TLabel label{"Label16"};
    label.SetBounds(10, 10, 150, 30);
    label.SetCaption("High Score Upload");
    ui::TFont font;
    font.Height = 16;
    font.Bold = true;
    font.Color = core::colors::red;
    label.SetFont(font);
    label.SetParent(&panel);
    const Rect area = label.BoundsInWindow();

    // By default the label takes its parent's colour.
    paint();
    const int blue = count(area, word(core::colors::blue));
    EXPECT_GT(count(area, word(core::colors::red)), 20);
    EXPECT_GT(blue, area.width() * area.height() / 2);

    label.SetColor(core::colors::yellow);
    paint();
    EXPECT_EQ(count(area, word(core::colors::blue)), 0);
    EXPECT_EQ(count(area, word(core::colors::yellow)), blue);

    label.SetTransparent(true);
    frame.fill(PixelWord{0x123456});
    form.paint(frame, area);  // only the label's own area: the panel is behind it
    EXPECT_EQ(count(area, word(core::colors::yellow)), 0);
    EXPECT_EQ(count(area, word(core::colors::blue)), blue);
    EXPECT_GT(count(area, word(core::colors::red)), 20);

    EXPECT_EQ(property<int64_t>(label, "FontColor"), 0x0000FF);
    EXPECT_EQ(property<std::string>(label, "Caption"), "High Score Upload");
}

TEST_F(ControlsFixture, LabelTakesTheMouseAndCanSizeItselfToItsCaption) {
    ui::TLabel label{"URL"};
    label.SetBounds(100, 50, 80, 20);
    label.SetParent(&form);
    int clicks = 0;
    label.OnClick = [&] { ++clicks; };
    click(label);
    EXPECT_EQ(clicks, 1);

    label.SetCaption("Go");
    label.SetAlignment(ui::TAlignment::RightJustify);
    label.SetAutoSize(true);
    const platform::Size size = ui::TextDrawing(label.Font(), ui::TextFormat{}).Measure("Go", 0);
    EXPECT_EQ(label.Width(), size.width);
    EXPECT_EQ(label.Height(), size.height);
    EXPECT_EQ(label.Left() + label.Width(), 180);  // the right edge stayed
    label.SetCaption("");
    EXPECT_GT(label.Width(), 0);
}

// ---------------------------------------------------------------- shape, image

TEST_F(ControlsFixture, ShapeOfOnePixelHeightIsALineInThePenColour) {
    ui::TShape shape{"Shape1"};
    shape.SetBounds(10, 30, 150, 1);
    shape.SetPen(ui::Canvas::TPen{core::colors::silver});
    shape.SetParent(&form);
    paint();
    EXPECT_EQ(count(Rect{0, 30, 200, 31}, word(core::colors::silver)), 150);
    EXPECT_EQ(count(Rect{0, 0, 200, 120}, word(core::colors::silver)), 150);
}

TEST_F(ControlsFixture, ImageCanvasDrawsOnThePictureWhichShowsStretched) {
    ui::TImage image{"Image3"};
    image.SetBounds(10, 10, 16, 16);
    image.SetParent(&form);
    image.SetPicture(core::Bitmap(64, 64, PixelWord{0x00808080}));
    image.SetStretch(true);

    ui::Canvas& canvas = image.GetCanvas();
    canvas.Brush.Color = core::CanvasColor{0x00FFFF};  // yellow
    canvas.Rectangle(32, 32, 48, 48);
    EXPECT_EQ(canvas.Pixel(40, 40).value, 0x00FFFF);
    EXPECT_EQ(canvas.Pixel(47, 47).value, 0);         // the pen's black outline
    EXPECT_EQ(canvas.Pixel(48, 48).value, 0x808080);  // untouched
    EXPECT_EQ(canvas.Pixel(64, 0).value, -1);
    EXPECT_EQ(canvas.Pixel(-1, 5).value, -1);
    EXPECT_EQ(image.Picture().pixel(40, 40).value, 0x00FFFF00u);

    paint();  // 64 x 64 shown in 16 x 16: every fourth pixel
    EXPECT_EQ(frame.pixel(10 + 10, 10 + 10).value, 0x00FFFF00u);
    EXPECT_EQ(frame.pixel(10 + 7, 10 + 7).value, 0x00808080u);

    // A new picture keeps the canvas's brush and drops the old marks.
    image.SetPicture(core::Bitmap(8, 8));
    EXPECT_EQ(canvas.Pixel(6, 6).value, 0);
    EXPECT_EQ(canvas.Pixel(8, 8).value, -1);
    canvas.FillRect(Rect{0, 0, 2, 2});
    EXPECT_EQ(canvas.Pixel(1, 1).value, 0x00FFFF);
}

// The form leaves its colour out under controls that cover themselves; an
// image covers only where its picture reaches.
TEST_F(ControlsFixture, FormColourShowsWhereAnImageHasNoPicture) {
    form.SetColor(core::colors::red);
    ui::TImage small{"Image1"};
    small.SetBounds(10, 10, 30, 20);
    small.SetPicture(core::Bitmap(20, 10, PixelWord{0x00FFFFFF}));
    ui::TImage empty{"Image3"};
    empty.SetBounds(50, 10, 10, 10);
    empty.SetStretch(true);
    for (ui::TImage* image : {&small, &empty}) image->SetParent(&form);
    paint();
    EXPECT_EQ(count(small.BoundsInWindow(), word(core::colors::red)), 30 * 20 - 20 * 10);
    EXPECT_EQ(count(empty.BoundsInWindow(), word(core::colors::red)), 10 * 10);
}

// A stretched image redraws only the part of its scaled picture that samples
// what changed; it must still show exactly what a whole stretch shows.
TEST_F(ControlsFixture, StretchedImageShowsWhatAWholeStretchShowsAfterEveryChange) {
    ui::TImage shrunk{"Image3"};  // 97 x 83 into 23 x 19
    shrunk.SetBounds(5, 5, 23, 19);
    ui::TImage grown{"Image4"};  // 10 x 7 into 23 x 19: pixels taken more than once
    grown.SetBounds(40, 5, 23, 19);
    for (ui::TImage* image : {&shrunk, &grown}) {
        image->SetParent(&form);
        image->SetStretch(true);
    }
    const auto pattern = [](int w, int h) {
        core::Bitmap b(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) b.setPixel(x, y, PixelWord{uint32_t(x * 2003 + y * 17)});
        return b;
    };
    shrunk.SetPicture(pattern(97, 83));
    grown.SetPicture(pattern(10, 7));

    const auto expectWholeStretch = [this](const ui::TImage& image, int step) {
        const Rect b = image.BoundsInWindow();
        core::Bitmap whole(b.width(), b.height());
        ui::Canvas(ui::PixelSurface::of(whole))
            .StretchDraw(Rect{0, 0, b.width(), b.height()}, image.Picture());
        int differing = 0;
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x)
                differing += frame.pixel(b.left + x, b.top + y) != whole.pixel(x, y);
        EXPECT_EQ(differing, 0) << image.Name() << " after change " << step;
    };
    const auto change = [](ui::TImage& image, int step) {
        ui::Canvas& c = image.GetCanvas();
        const int w = image.Picture().width();
        const int h = image.Picture().height();
        c.Brush.Color = core::CanvasColor{0x10203 * (step + 1)};
        switch (step % 4) {
            case 0:  // trail squares, some across the edges
                c.Rectangle(step * 7 % w - 3, step * 5 % h - 2, step * 7 % w + 5, step * 5 % h + 6);
                break;
            case 1:
                c.SetPixel(w - 1 - step % w, step % h, core::CanvasColor{0x00FF00});
                break;
            case 2:
                c.MoveTo(0, h - 1);
                c.LineTo(w - 1, step % h);
                break;
            default:  // straight into the pixels
                image.PicturePixels().setPixel(step % w, h - 1, PixelWord{0x123456});
                image.PictureChanged();
        }
    };
    paint();
    for (int step = 0; step < 12; ++step) {
        for (ui::TImage* image : {&shrunk, &grown}) {  // two changes between paints
            change(*image, step);
            change(*image, step + 5);
        }
        paint();
        expectWholeStretch(shrunk, step);
        expectWholeStretch(grown, step);
    }
}

// ---------------------------------------------------------------- hint

struct HintFixture : ::testing::Test {
    test::LoopHarness h;
    ui::Form form{"Form1", h.loop};
    ui::TLabel option{"DIBFadeLabel6"};
    ui::TLabel plain{"DIBFadeLabel5"};

    HintFixture() {
        form.SetBounds(0, 0, 320, 200);
        option.SetBounds(50, 50, 100, 16);
        option.SetParent(&form);
        option.Hint =
            "Show the fly path of the player ship on the minimap.\r\nTurn Off for better game "
            "performance. ";
        option.ShowHint = true;
        plain.SetBounds(50, 100, 100, 16);
        plain.Hint = "no tip: ShowHint is off";
        plain.SetParent(&form);
        form.ShowWindow("Tarnwick");
    }
    void moveTo(int x, int y) {
        h.input(platform::Event{.type = platform::Event::Type::MouseMove, .x = x, .y = y});
    }
};

TEST_F(HintFixture, AppearsAfterTheMouseRestsAndShowsTwoLines) {
    moveTo(60, 55);
    h.wait(499);
    h.then([&] { EXPECT_FALSE(form.Hints().Shown()); });
    h.wait(1);
    h.then([&] {
        ui::HintWindow& hint = form.Hints();
        ASSERT_TRUE(hint.Shown());
        EXPECT_EQ(hint.LineCount(), 2);
        const Rect box = hint.Bounds();
        const int lineHeight = ui::TextDrawing(ui::TFont{"Tahoma"}, ui::TextFormat{}).LineHeight();
        EXPECT_EQ(box.height(), 2 * lineHeight + 4);
        EXPECT_GE(box.top, 55 + ui::HintWindow::kCursorHeight);
        EXPECT_LE(box.right, 320);  // moved left where needed to stay in the window
        EXPECT_LE(box.left, 60);
        // Drawn into the window over everything: pale background, black frame.
        const core::Bitmap& frame = h.loop.frame();
        EXPECT_EQ(frame.pixel(box.left, box.top).value, 0u);
        EXPECT_EQ(frame.pixel(box.right - 2, box.bottom - 2).value, 0x00FFFFE1u);
    });
    moveTo(70, 58);  // moving on the same control keeps it
    h.then([&] { EXPECT_TRUE(form.Hints().Shown()); });
    moveTo(250, 180);  // off the control
    h.then([&] {
        EXPECT_FALSE(form.Hints().Shown());
        EXPECT_NE(h.loop.frame()
                      .pixel(form.Hints().Bounds().right - 2, form.Hints().Bounds().bottom - 2)
                      .value,
                  0x00FFFFE1u);
    });
    h.run();
}

TEST_F(HintFixture, OnlyControlsWithShowHintGetATipAndPressesOrTimeHideIt) {
    moveTo(60, 105);
    h.wait(1000);
    h.then([&] { EXPECT_FALSE(form.Hints().Shown()); });
    moveTo(60, 55);
    h.wait(500);
    h.then([&] { EXPECT_TRUE(form.Hints().Shown()); });
    h.wait(ui::HintWindow::kHidePauseMs);
    h.then([&] { EXPECT_FALSE(form.Hints().Shown()); });
    h.wait(1000);  // it does not come back while the pointer stays
    h.then([&] { EXPECT_FALSE(form.Hints().Shown()); });

    moveTo(60, 105);
    moveTo(60, 55);
    h.wait(500);
    h.then([&] { EXPECT_TRUE(form.Hints().Shown()); });
    h.input(platform::Event{.type = platform::Event::Type::MouseDown, .x = 60, .y = 55});
    h.then([&] { EXPECT_FALSE(form.Hints().Shown()); });
    h.run();
}

TEST_F(HintFixture, ForgetsAControlThatGoesAway) {
    auto doomed = std::make_unique<ui::TButton>("dxButton1");
    doomed->SetBounds(200, 20, 60, 20);
    doomed->Hint = "Upload";
    doomed->ShowHint = true;
    doomed->SetParent(&form);
    moveTo(210, 25);
    h.wait(100);
    h.then([&] { doomed.reset(); });
    h.wait(1000);
    h.then([&] { EXPECT_FALSE(form.Hints().Shown()); });
    h.run();
}

}  // namespace
