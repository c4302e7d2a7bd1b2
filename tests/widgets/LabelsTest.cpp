#include <gtest/gtest.h>

#include <vector>

#include "WidgetsTestSupport.h"
#include "widgets/AFBlinkLabel.h"
#include "widgets/URLtransparantLabel.h"

namespace {

namespace colors = core::colors;

// Text anti-aliased over black keeps only its own colour's channels.
bool redInk(core::CanvasColor c) {
    return c.red() > 0 && c.green() == 0 && c.blue() == 0;
}
bool blueInk(core::CanvasColor c) {
    return c.blue() > 0 && c.red() == 0 && c.green() == 0;
}

// The pause sign, and what the pause key does with it.
struct PauseSignFixture : test::WidgetForm {
    widgets::TAFBlinkLabel pauseg{"pauseg", h.loop};
    std::vector<bool> seen;

    PauseSignFixture() {
        pauseg.SetBounds(180, 70, 59, 24);
        pauseg.SetCaption("Pause");
        pauseg.SetFont(ui::TFont{.Name = "Arial", .Height = 19, .Bold = true});
        pauseg.SetTransparent(true);
        pauseg.SetVisibleOnStop(false);
        pauseg.Hide();
        pauseg.SetParent(&form);
    }
    void pause() {
        pauseg.SetActive(true);
        pauseg.SetFontColor(colors::red);
        pauseg.Show();
    }
    void resume() {
        pauseg.SetActive(false);
        pauseg.Hide();
    }
    void look() {
        paint();
        const bool redShows = countInside(pauseg, redInk) > 0;
        EXPECT_EQ(redShows, pauseg.Visible());
        seen.push_back(pauseg.Visible());
    }
};

TEST_F(PauseSignFixture, BlinksEverySecondAndRestoresBlackOnResume) {
    EXPECT_FALSE(pauseg.Active());
    EXPECT_EQ(pauseg.Interval(), 1000u);
    h.then([this] { pause(); });
    for (int t : {500, 1000, 700, 300}) {  // looks at 500, 1500, 2200, 2500
        h.wait(t);
        h.then([this] { look(); });
    }
    h.then([this] {
        resume();
        EXPECT_FALSE(pauseg.Visible());
        EXPECT_FALSE(pauseg.Active());
        EXPECT_EQ(pauseg.Font().Color, colors::black);
        // The second pause remembers black again, since resuming restored it.
        pause();
        EXPECT_EQ(test::property<int64_t>(pauseg, "FontColor"), colors::red.value);
    });
    h.wait(1500);
    h.then([this] {
        look();  // hidden by the tick at one second into the second pause
        resume();
        EXPECT_EQ(pauseg.Font().Color, colors::black);
    });
    h.wait(3000);
    h.then([this] { look(); });  // stopped: stays hidden
    h.run();
    EXPECT_EQ(seen, (std::vector<bool>{true, false, true, true, false, false}));
}

TEST_F(PauseSignFixture, StoppingGivesBackTheColourOfTheStartAndTheStopVisibility) {
    pauseg.SetFontColor(colors::lime);
    pauseg.SetActive(true);
    pauseg.SetFontColor(colors::red);
    pauseg.SetVisibleOnStop(true);
    pauseg.SetActive(false);
    EXPECT_EQ(pauseg.Font().Color, colors::lime);
    EXPECT_TRUE(pauseg.Visible());
}

TEST_F(PauseSignFixture, AChangedIntervalTakesEffectAtOnce) {
    h.then([this] { pause(); });
    h.wait(600);
    h.then([this] { pauseg.SetInterval(200); });
    h.wait(250);
    h.then([this] { look(); });  // the tick at 800 hid it
    h.run();
    EXPECT_EQ(seen, (std::vector<bool>{false}));
}

// The link along the bottom edge of the window.
struct LinkFixture : test::WidgetForm {
    widgets::TURLtransparantLabel link{"URLtransparantLabel1"};

    LinkFixture() {
        link.SetBounds(0, 80, kWidth, 13);
        link.SetCaption("Tarnwick home");
        link.SetAlignment(ui::TAlignment::Center);
        link.SetParent(&form);
    }
    void hover() { form.mouseMove(kWidth / 2, 86); }
    void unhover() { form.mouseMove(5, 5); }
};

TEST_F(LinkFixture, TurnsRedUnderTheMouseAndBlueAwayFromItNeverUnderlined) {
    EXPECT_TRUE(link.Transparent());
    link.SetURL("http://games.example/tarnwick/");
    EXPECT_EQ(link.Hint, "http://games.example/tarnwick/");
    EXPECT_EQ(link.Font().Color, colors::blue);

    hover();
    EXPECT_EQ(form.Hovered(), &link);
    EXPECT_EQ(test::property<int64_t>(link, "FontColor"), colors::red.value);
    EXPECT_FALSE(link.Font().Underline);
    paint();
    EXPECT_GT(countInside(link, redInk), 0);
    EXPECT_EQ(countInside(link, blueInk), 0);

    unhover();
    EXPECT_EQ(link.Font().Color, colors::blue);
    paint();
    EXPECT_EQ(countInside(link, redInk), 0);
    EXPECT_GT(countInside(link, blueInk), 0);
}

TEST_F(LinkFixture, UnderlineOnlyWhileHoveredWhenAskedFor) {
    link.SetLinkUnderline(true);
    hover();
    EXPECT_TRUE(link.Font().Underline);
    unhover();
    EXPECT_FALSE(link.Font().Underline);

    // A new resting colour shows at once; the hover colour only under the mouse.
    link.SetColorOnExit(colors::lime);
    link.SetColorOnenter(colors::yellow);
    EXPECT_EQ(link.Font().Color, colors::lime);
    hover();
    EXPECT_EQ(link.Font().Color, colors::yellow);
}

}  // namespace
