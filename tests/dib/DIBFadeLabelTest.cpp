#include "dib/cDIBFadeLabel.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "../platform/LoopHarness.h"
#include "dib/cDIBContainer.h"
#include "ui/Form.h"

namespace {

using core::CanvasColor;
using dib::TDIBFadeLabel;
using platform::Rect;

constexpr uint32_t kColourBits = 0x00FFFFFF;
constexpr CanvasColor kLime = core::colors::lime;
constexpr CanvasColor kWhite = core::colors::white;
constexpr CanvasColor kYellow = core::colors::yellow;

ui::TFont menuFont(CanvasColor color, int height = 16, bool bold = true) {
    ui::TFont font;
    font.Name = "MS Sans Serif";
    font.Height = height;
    font.Bold = bold;
    font.Color = color;
    return font;
}

// A form 400 x 300 filled by a black container; entries are made with the
// game's settings. The form is never shown: painting goes through form.paint().
struct FadeLabels : ::testing::Test {
    test::LoopHarness h;
    ui::Form form{"Form1", h.loop};
    dib::TDIBContainer container{"DIBContainer1"};
    core::Bitmap frame{400, 300};
    std::vector<std::unique_ptr<TDIBFadeLabel>> labels;

    FadeLabels() {
        form.SetBounds(0, 0, 400, 300);
        container.SetBounds(0, 0, 400, 300);
        container.SetColor(core::colors::black);
        container.SetParent(&form);
    }

    TDIBFadeLabel& entry(const std::string& caption, const ui::TFont& font, int left, int top) {
        labels.push_back(
            std::make_unique<TDIBFadeLabel>("entry" + std::to_string(labels.size()), &form));
        TDIBFadeLabel& label = *labels.back();
        label.SetParent(&container);
        label.SetLeft(left);
        label.SetTop(top);
        label.SetFont(font);
        label.SetCaption(caption);
        label.SetAutoSize(true);
        return label;
    }

    void hover(const ui::Control& c) {
        const Rect r = c.BoundsInWindow();
        form.mouseMove(r.left + r.width() / 2, r.top + r.height() / 2);
    }
    void unhover() { form.mouseMove(399, 299); }
    void paint() { form.paint(frame, Rect{0, 0, 400, 300}); }

    // Positions inside `area` whose pixel is exactly `color`.
    std::set<std::pair<int, int>> pixelsOf(CanvasColor color, const Rect& area) const {
        std::set<std::pair<int, int>> found;
        const uint32_t word = core::toPixelWord(color).value;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if ((frame.pixel(x, y).value & kColourBits) == word) found.emplace(x, y);
        return found;
    }
};

int64_t fontColorProperty(const TDIBFadeLabel& label) {
    for (const auto& [key, value] : label.ExtraProperties())
        if (key == "FontColor") return std::get<int64_t>(value);
    ADD_FAILURE() << "no FontColor";
    return -1;
}

// ----------------------------------------------------------------- colours

TEST_F(FadeLabels, TheColourTableStepsFromTheFontColourToTheHighlight) {
    TDIBFadeLabel& label = entry("Start game", menuFont(kLime), 248, 144);
    const std::vector<uint8_t> redAndBlue = {25, 51, 76, 102, 127, 153, 178, 204, 229, 255};
    ASSERT_EQ(label.ColorTable().size(), 10u);
    for (size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(label.ColorTable()[i], CanvasColor::rgb(redAndBlue[i], 255, redAndBlue[i])) << i;
    }

    // Rebuilt by every setting it depends on; channels may also go down.
    label.SetFrameCount(2);
    label.SetColorHighlighted(CanvasColor::rgb(0, 55, 100));
    label.SetFontColor(kYellow);
    EXPECT_EQ(label.ColorTable(), (std::vector<CanvasColor>{CanvasColor::rgb(127, 155, 50),
                                                            CanvasColor::rgb(0, 55, 100)}));
    label.SetFrameCount(1);
    EXPECT_TRUE(label.ColorTable().empty());
}

TEST_F(FadeLabels, TheMouseHighlightsAnEntryAtOnce) {
    TDIBFadeLabel& label = entry("Start game", menuFont(kLime), 248, 144);
    const Rect area = label.BoundsInWindow();
    paint();
    EXPECT_FALSE(pixelsOf(kLime, area).empty());
    EXPECT_TRUE(pixelsOf(kWhite, area).empty());
    EXPECT_EQ(fontColorProperty(label), kLime.value);

    hover(label);
    EXPECT_TRUE(label.Highlighted());
    EXPECT_EQ(label.CurrentColor(), kWhite);
    EXPECT_EQ(fontColorProperty(label), kWhite.value);
    paint();
    EXPECT_FALSE(pixelsOf(kWhite, area).empty());
    EXPECT_TRUE(pixelsOf(kLime, area).empty());
}

TEST_F(FadeLabels, LeavingFadesBackInTimedStepsOnTheLabelsOwnTimer) {
    TDIBFadeLabel& label = entry("Start game", menuFont(kLime), 248, 144);
    std::vector<CanvasColor> justBefore;  // 1 ms before each step is due
    std::vector<CanvasColor> onTime;
    h.then([&] { hover(label); });
    h.then([&] { unhover(); });
    for (int step = 0; step < 11; ++step) {
        h.wait(49);
        h.then([&] { justBefore.push_back(label.CurrentColor()); });
        h.wait(1);
        h.then([&] { onTime.push_back(label.CurrentColor()); });
    }
    h.run();

    const std::vector<CanvasColor>& table = label.ColorTable();
    ASSERT_EQ(onTime.size(), 11u);
    // Entries 9 down to 1, fifty milliseconds apart; entry 9 is the highlight itself.
    for (int k = 0; k < 9; ++k) EXPECT_EQ(onTime[k], table[9 - k]) << "step " << k + 1;
    EXPECT_EQ(onTime[9], kLime);
    EXPECT_EQ(onTime[10], kLime);
    EXPECT_EQ(justBefore[0], kWhite);
    EXPECT_EQ(justBefore[9], table[1]);
    for (int k = 1; k < 11; ++k) EXPECT_EQ(justBefore[k], onTime[k - 1]);
    EXPECT_FALSE(label.Highlighted());
}

TEST_F(FadeLabels, EnteringDuringAFadeHighlightsAtOnceAndStopsTheFade) {
    TDIBFadeLabel& label = entry("Start game", menuFont(kLime), 248, 144);
    CanvasColor duringFade;
    h.then([&] { hover(label); });
    h.then([&] { unhover(); });
    h.wait(160);
    h.then([&] {
        duringFade = label.CurrentColor();
        hover(label);
    });
    h.wait(500);
    h.run();
    EXPECT_EQ(duringFade, label.ColorTable()[7]);
    EXPECT_EQ(label.CurrentColor(), kWhite);
}

TEST_F(FadeLabels, AShorterTableDuringAFadeEndsItInsteadOfReadingPastTheTable) {
    TDIBFadeLabel& label = entry("Start game", menuFont(kLime), 248, 144);
    CanvasColor afterShrinking;
    h.then([&] { hover(label); });
    h.then([&] { unhover(); });
    h.wait(110);  // two steps shown: seven to go
    h.then([&] { label.SetFrameCount(3); });
    h.wait(50);
    h.then([&] { afterShrinking = label.CurrentColor(); });
    h.run();
    EXPECT_EQ(afterShrinking, kLime);
}

TEST_F(FadeLabels, WithoutFadeStepsLeavingRestoresTheFontColourAtOnce) {
    TDIBFadeLabel& single = entry("Music : On", menuFont(kYellow, 11, false), 256, 184);
    single.SetFrameCount(1);
    hover(single);
    EXPECT_EQ(single.CurrentColor(), kWhite);
    unhover();
    EXPECT_EQ(single.CurrentColor(), kYellow);

    TDIBFadeLabel& instant = entry("Goto Forum", menuFont(kYellow, 11, false), 256, 280);
    instant.SetFrameDelay(0);
    hover(instant);
    unhover();
    EXPECT_EQ(instant.CurrentColor(), kYellow);
}

TEST_F(FadeLabels, AFontChangeKeepsTheHighlightButIsShownAtRest) {
    TDIBFadeLabel& label = entry("Start Mission", menuFont(kYellow, 19), 232, 360 - 200);
    label.SetFrameDelay(0);
    hover(label);
    label.SetFont(menuFont(core::colors::red, 19));
    EXPECT_EQ(label.CurrentColor(), kWhite);
    unhover();
    EXPECT_EQ(label.CurrentColor(), core::colors::red);
    label.SetFontColor(kYellow);
    EXPECT_EQ(label.CurrentColor(), kYellow);
}

// ------------------------------------------------------------------- mouse

TEST_F(FadeLabels, PressingAndDraggingOffKeepsTheHighlightUntilReleaseWithoutAClick) {
    TDIBFadeLabel& label = entry("High Score", menuFont(kLime), 248, 224);
    int clicks = 0;
    label.OnClick = [&] { ++clicks; };
    const Rect r = label.BoundsInWindow();
    const int cx = r.left + r.width() / 2;
    const int cy = r.top + r.height() / 2;

    form.mouseDown(cx, cy);
    form.mouseMove(cx, r.bottom + 40);
    EXPECT_TRUE(label.Highlighted());
    EXPECT_EQ(label.CurrentColor(), kWhite);
    form.mouseUp(cx, r.bottom + 40);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(label.Highlighted());  // fading now

    form.mouseDown(cx, cy);
    form.mouseUp(cx, cy);
    EXPECT_EQ(clicks, 1);
}

TEST_F(FadeLabels, AutoSizedEntriesTakeTheirCaptionsSizeAndDoNotCoverTheirNeighbours) {
    TDIBFadeLabel& level = entry("Level : Beginner", menuFont(kYellow, 11, false), 256, 168);
    TDIBFadeLabel& music = entry("Music : On", menuFont(kYellow, 11, false), 256, 184);
    TDIBFadeLabel& minimap = entry("MiniMap ship : On", menuFont(kYellow, 11, false), 256, 200);
    for (const TDIBFadeLabel* label : {&level, &music, &minimap}) {
        const Rect r = label->BoundsInWindow();
        EXPECT_GT(r.height(), 8);
        EXPECT_LE(r.height(), 16);
        EXPECT_EQ(form.ControlAt(r.left + r.width() / 2, r.top + r.height() / 2), label)
            << label->Caption();
    }
    const int beginnerWidth = level.Width();
    level.SetCaption("Level : Expert");
    EXPECT_LT(level.Width(), beginnerWidth);
    EXPECT_EQ(level.Left(), 256);
    EXPECT_EQ(level.Top(), 168);
    level.SetCaption("");
    EXPECT_GT(level.Width(), 0);  // measured as one blank
}

TEST_F(FadeLabels, TheMinimapEntryShowsItsTwoLineHint) {
    TDIBFadeLabel& minimap = entry("MiniMap ship : On", menuFont(kYellow, 11, false), 256, 200);
    minimap.Hint =
        "Show the fly path of the player ship on the minimap.\r\nTurn Off for better game "
        "performance. ";
    minimap.ShowHint = true;
    bool shown = false;
    int lines = 0;
    h.then([&] { hover(minimap); });
    h.wait(600);
    h.then([&] {
        shown = form.Hints().Shown();
        lines = form.Hints().LineCount();
    });
    h.run();
    EXPECT_TRUE(shown);
    EXPECT_EQ(lines, 2);
}

// ---------------------------------------------------------------- painting

TEST_F(FadeLabels, ADisabledEntryIsDrawnInTheHighlightOffsetThenInTheFontColour) {
    const CanvasColor red = core::colors::red;
    const CanvasColor blue = core::colors::blue;
    TDIBFadeLabel& label = entry("HIM", menuFont(red, 19), 100, 100);
    label.SetAutoSize(false);
    label.SetBounds(100, 100, 60, 30);
    label.SetColorHighlighted(blue);
    const Rect area = label.BoundsInWindow();
    paint();
    const auto enabledRed = pixelsOf(red, area);
    ASSERT_GT(enabledRed.size(), 30u);
    EXPECT_TRUE(pixelsOf(blue, area).empty());

    label.SetEnabled(false);
    paint();
    EXPECT_EQ(pixelsOf(red, area), enabledRed);  // the second drawing lies on top
    const auto disabledBlue = pixelsOf(blue, area);
    ASSERT_FALSE(disabledBlue.empty());
    for (const auto& [x, y] : disabledBlue)
        EXPECT_TRUE(enabledRed.count({x - 1, y - 1})) << x << "," << y;
}

}  // namespace
