#include "widgets/QProgBar.h"

#include <gtest/gtest.h>

#include <vector>

#include "WidgetsTestSupport.h"

namespace {

using core::CanvasColor;
namespace colors = core::colors;

constexpr CanvasColor kShape = CanvasColor::rgb(0, 60, 116);

// The three bars of the heads-up display, as the window lays them out.
struct BarFixture : test::WidgetForm {
    widgets::TQProgressBar fuelbar{"fuelbar"};
    widgets::TQProgressBar damageBar{"damageBar"};

    BarFixture() {
        fuelbar.SetBounds(10, 10, 169, 16);
        fuelbar.SetMaximum(10000);
        fuelbar.SetStartColor(colors::red);
        fuelbar.SetFinalColor(colors::lime);
        fuelbar.SetParent(&form);
        damageBar.SetBounds(10, 40, 201, 9);
        damageBar.SetMaximum(1500);
        damageBar.SetStartColor(colors::white);
        damageBar.SetFinalColor(colors::red);
        damageBar.SetParent(&form);
    }
};

TEST_F(BarFixture, DrawnLengthRoundsHalvesToEvenAndShowsAnyDamageAtOnce) {
    EXPECT_EQ(damageBar.Margin(), 2);
    EXPECT_EQ(fuelbar.Margin(), 4);
    struct Case {
        int position;
        int drawn;
    };
    for (const Case& c : std::vector<Case>{{750, 100}, {3000, 199}, {-5, 0}, {1, 3}, {0, 0}}) {
        damageBar.SetPosition(c.position);
        EXPECT_EQ(damageBar.DrawnLength(), c.drawn) << "position " << c.position;
        EXPECT_EQ(damageBar.Position(), c.position);  // kept as given
    }
    fuelbar.SetPosition(10000);
    EXPECT_EQ(fuelbar.DrawnLength(), 165);
    fuelbar.SetPosition(1);
    EXPECT_EQ(fuelbar.DrawnLength(), 5);

    damageBar.SetMaximum(-20);
    EXPECT_EQ(damageBar.Maximum(), 0);
}

TEST_F(BarFixture, FuelGradientRunsFromRedToLimeByColumn) {
    EXPECT_EQ(fuelbar.ColumnColor(0), colors::red);
    EXPECT_EQ(fuelbar.ColumnColor(165), colors::lime);
    fuelbar.SetPosition(10000);
    paint();
    for (int x = 3; x <= 165; ++x) {
        const CanvasColor c = fuelbar.ColumnColor(x);
        ASSERT_EQ(c.red() + c.green(), 255) << "column " << x;
        ASSERT_EQ(c.green(), 255 * x / 165) << "column " << x;
        ASSERT_EQ(c.blue(), 0);
        for (int y = 3; y <= 12; ++y) ASSERT_EQ(at(fuelbar, x, y), c) << x << "," << y;
        // The rows around the bar stay background.
        ASSERT_EQ(at(fuelbar, x, 2), colors::white);
        ASSERT_EQ(at(fuelbar, x, 13), colors::white);
    }
    EXPECT_EQ(at(fuelbar, 2, 6), colors::white);
    EXPECT_EQ(at(fuelbar, 166, 6), colors::white);

    // Half empty, the bar keeps its red end and loses the green one.
    const CanvasColor column40 = at(fuelbar, 40, 6);
    fuelbar.SetPosition(5000);
    paint();
    EXPECT_EQ(at(fuelbar, 40, 6), column40);
    EXPECT_EQ(at(fuelbar, 82, 6), fuelbar.ColumnColor(82));
    EXPECT_EQ(at(fuelbar, 83, 6), colors::white);
}

TEST_F(BarFixture, RoundedFrameAroundAWhiteInside) {
    damageBar.SetPosition(750);
    paint();
    // Frame along every edge; the corner pixel itself lies outside the rounding.
    EXPECT_EQ(at(damageBar, 100, 0), kShape);
    EXPECT_EQ(at(damageBar, 100, 8), kShape);
    EXPECT_EQ(at(damageBar, 0, 4), kShape);
    EXPECT_EQ(at(damageBar, 200, 4), kShape);
    EXPECT_EQ(at(damageBar, 1, 0), kShape);
    EXPECT_EQ(at(damageBar, 0, 0), colors::black);
    EXPECT_EQ(at(damageBar, 200, 8), colors::black);
    // Columns 1 ... 100 and rows 1 ... 7 are bar, from almost white to half red.
    EXPECT_EQ(at(damageBar, 1, 1), CanvasColor::rgb(255, 254, 254));
    EXPECT_EQ(at(damageBar, 100, 7), damageBar.ColumnColor(100));
    EXPECT_EQ(at(damageBar, 101, 4), colors::white);
    damageBar.SetPosition(0);
    paint();
    EXPECT_EQ(at(damageBar, 1, 1), colors::white);

    damageBar.SetRoundCorner(false);
    paint();
    EXPECT_EQ(at(damageBar, 0, 0), kShape);
    EXPECT_EQ(at(damageBar, 200, 8), kShape);
}

TEST_F(BarFixture, WithoutMaximumThePictureStaysAsItWas) {
    damageBar.SetPosition(750);
    damageBar.SetMaximum(0);
    paint();
    const core::Bitmap before = frame;
    for (int position : {1500, -5, 1}) {
        damageBar.SetPosition(position);
        EXPECT_EQ(damageBar.DrawnLength(), 100);
    }
    paint();
    EXPECT_TRUE(frameEquals(before));
    // A maximum again measures the position that was set meanwhile.
    damageBar.SetMaximum(1500);
    EXPECT_EQ(damageBar.DrawnLength(), 3);
}

TEST_F(BarFixture, BarColorMakesTheWholeBarOneColour) {
    damageBar.SetBarColor(colors::yellow);
    EXPECT_EQ(damageBar.StartColor(), colors::yellow);
    EXPECT_EQ(damageBar.FinalColor(), colors::yellow);
    damageBar.SetPosition(1500);
    paint();
    EXPECT_EQ(countInside(damageBar, colors::yellow), 199 * 7);
}

}  // namespace
