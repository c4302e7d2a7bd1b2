#include "widgets/Banner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "WidgetsTestSupport.h"
#include "ui/Canvas.h"
#include "widgets/Credits.h"

namespace {

using widgets::TBanner;
using widgets::TBannerDirection;
using Trace = std::vector<std::pair<std::string, int>>;

TEST(BannerSpeed, IntervalIsTenSecondsBySpeedRoundedAndClamped) {
    test::LoopHarness h;
    TBanner banner("Banner1", h.loop);
    EXPECT_EQ(banner.Width(), 70);
    EXPECT_EQ(banner.Height(), 18);
    EXPECT_EQ(banner.Interval(), 50u);
    EXPECT_EQ(banner.Speed(), 200);
    EXPECT_FALSE(banner.Run());

    const std::vector<std::pair<int, uint32_t>> cases = {{175, 57},   {1000, 50}, {1, 5000},
                                                         {-40, 5000}, {3, 3333},  {200, 50}};
    for (const auto& [speed, interval] : cases) {
        banner.SetSpeed(speed);
        EXPECT_EQ(banner.Interval(), interval) << "speed " << speed;
        EXPECT_EQ(banner.Speed(), std::clamp(speed, 2, 200)) << "speed " << speed;
    }
}

// The credits scroller of the title screen, with three lines to scroll.
struct BannerFixture : test::WidgetForm {
    TBanner banner{"Banner1", h.loop};
    Trace trace;

    BannerFixture() {
        banner.SetBounds(16, 0, 200, 57);
        banner.SetParent(&form);
        banner.SetJump(1);
        banner.SetGap(16);
        banner.SetDirection(TBannerDirection::dirBottomTop);
        banner.SetAlignment(ui::TAlignment::Center);
        banner.SetSpeed(175);
        banner.SetLines({"Credits", "Programming", "Beta Testers :"});
    }
    // Lets `ticks` timer periods pass, writing down the top line after each.
    void recordTicks(int ticks) {
        for (int i = 0; i < ticks; ++i) {
            h.wait(banner.Interval());
            h.then([this] { trace.emplace_back(banner.TopLine(), banner.TopY()); });
        }
    }
};

TEST_F(BannerFixture, LinesLeaveAtTheTopAndTheListStartsOverFromTheBottom) {
    EXPECT_EQ(banner.TopLine(), "Credits");
    EXPECT_EQ(banner.TopY(), 57);
    banner.SetRun(true);
    recordTicks(112);
    h.run();
    ASSERT_EQ(trace.size(), 112u);
    EXPECT_EQ(trace[0], (std::pair<std::string, int>{"Credits", 56}));
    // At -16 the line has left by exactly one spacing: one more step, then
    // the second line takes over where it was drawn.
    EXPECT_EQ(trace[72], (std::pair<std::string, int>{"Credits", -16}));
    EXPECT_EQ(trace[73], (std::pair<std::string, int>{"Credits", -17}));
    EXPECT_EQ(trace[74], (std::pair<std::string, int>{"Programming", -1}));
    EXPECT_EQ(trace[91], (std::pair<std::string, int>{"Beta Testers :", -1}));
    EXPECT_EQ(trace[107], (std::pair<std::string, int>{"Beta Testers :", -17}));
    // After the last line the first one rises again from the bottom edge.
    EXPECT_EQ(trace[108], (std::pair<std::string, int>{"Credits", 57}));
    EXPECT_EQ(trace[109], (std::pair<std::string, int>{"Credits", 56}));
}

TEST_F(BannerFixture, StoppingAndRestartingKeepsTheTopLineButDropsItToTheBottom) {
    banner.SetRun(true);
    recordTicks(80);
    h.then([this] {
        banner.SetRun(false);
        EXPECT_EQ(banner.TopLine(), "Programming");
        EXPECT_EQ(banner.TopY(), 57);
    });
    recordTicks(3);  // stopped: nothing moves
    h.then([this] { banner.SetRun(true); });
    recordTicks(2);
    h.run();
    ASSERT_EQ(trace.size(), 85u);
    EXPECT_EQ(trace[79], (std::pair<std::string, int>{"Programming", -6}));
    EXPECT_EQ(trace[82], (std::pair<std::string, int>{"Programming", 57}));
    EXPECT_EQ(trace[83], (std::pair<std::string, int>{"Programming", 56}));
    EXPECT_EQ(trace[84], (std::pair<std::string, int>{"Programming", 55}));
}

// The frame the banner should produce: black, with each (text, y) centred
// in the banner's rectangle.
core::Bitmap expectedFrame(const TBanner& banner, const Trace& lines) {
    core::Bitmap expected(test::WidgetForm::kWidth, test::WidgetForm::kHeight);
    const platform::Rect bounds = banner.BoundsInWindow();
    ui::Canvas canvas(ui::PixelSurface::of(expected), bounds.left, bounds.top, bounds);
    const auto font = banner.Font().Open();
    for (const auto& [text, y] : lines)
        canvas.DrawTextLine((bounds.width() - font->measure(text).width) / 2, y, text, *font,
                            banner.Font().Color);
    return expected;
}

TEST_F(BannerFixture, PaintsTheBlockCentredAndNothingAfterTheLastLine) {
    banner.SetFont(
        ui::TFont{.Name = "Arial", .Height = 13, .Bold = true, .Color = core::colors::red});
    banner.SetJump(10);
    banner.SetRun(true);
    recordTicks(4);
    h.then([this] {
        ASSERT_EQ(banner.TopY(), 17);
        paint();
        const core::Bitmap block =
            expectedFrame(banner, {{"Credits", 17}, {"Programming", 33}, {"Beta Testers :", 49}});
        EXPECT_TRUE(frameEquals(block));

        // The ink of a centred line sits in the middle, whatever the font's metrics.
        int first = banner.Width();
        int last = -1;
        for (int y = 17; y < 33; ++y)
            for (int x = 0; x < banner.Width(); ++x)
                if (at(banner, x, y) != core::colors::black) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        ASSERT_GE(last, first);
        EXPECT_LE(std::abs(first - (banner.Width() - 1 - last)), 2);
    });
    // Scroll on until the last line is the top one: it is drawn alone.
    recordTicks(7);
    h.then([this] {
        ASSERT_EQ(banner.TopLine(), "Beta Testers :");
        ASSERT_EQ(banner.TopY(), -1);
        paint();
        const core::Bitmap alone = expectedFrame(banner, {{"Beta Testers :", -1}});
        EXPECT_TRUE(frameEquals(alone));
    });
    h.run();
    EXPECT_EQ(trace.size(), 11u);
}

TEST(Credits, ThirtyOneLinesFromTitleToThePublishersNotice) {
    const std::vector<std::string> lines = widgets::CreditLines();
    ASSERT_EQ(lines.size(), 31u);
    EXPECT_EQ(lines.front(), "Credits");
    EXPECT_EQ(lines.back(), widgets::kCreditsNotice);
    for (const std::string& notice : {lines.back(), std::string(widgets::kPublishersNotice)})
        for (const char* part : {"Fenmarrow", "Quillbright"})
            EXPECT_NE(notice.find(part), std::string::npos) << part;
    const std::string notice = widgets::kPublishersNotice;
    EXPECT_NE(notice.find("2005"), std::string::npos);
    // A label would take "&" for an accelerator mark.
    EXPECT_EQ(notice.find('&'), std::string::npos);

    size_t at = 0;
    for (const char* heading :
         {"Programming", "Music :", "Graphics", "Sound FX :", "Beta Testers :"}) {
        const auto it = std::find(lines.begin() + at, lines.end(), heading);
        ASSERT_NE(it, lines.end()) << heading;
        at = it - lines.begin();
        EXPECT_EQ(lines[at - 1], "") << "before " << heading;
        EXPECT_FALSE(lines[at + 1].empty()) << "after " << heading;
    }
    EXPECT_EQ(lines[at - 2], "");  // two blank lines before the testers
    EXPECT_EQ(lines[29], "");
    EXPECT_EQ(lines[28], "");
    EXPECT_FALSE(lines[27].empty());
}

}  // namespace
