#include "core/Nearest.h"

#include <gtest/gtest.h>

namespace {

TEST(Nearest, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(core::nearest(2.5), 2);
    EXPECT_EQ(core::nearest(3.5), 4);
    EXPECT_EQ(core::nearest(-2.5), -2);
    EXPECT_EQ(core::nearest(-3.5), -4);
    EXPECT_EQ(core::nearest(0.5), 0);
    EXPECT_EQ(core::nearest(-0.5), 0);
    EXPECT_EQ(core::nearest(1.5), 2);
}

TEST(Nearest, SmallVelocitiesMoveNothing) {
    // A hovering ship with a residual velocity of at most half a pixel stays put.
    for (double v : {-0.5, -0.4999, -0.25, 0.0, 0.25, 0.4999, 0.5})
        EXPECT_EQ(core::nearest(v), 0) << v;
    EXPECT_EQ(core::nearest(0.5000001), 1);
    EXPECT_EQ(core::nearest(-0.5000001), -1);
}

TEST(Nearest, OtherFractionsRoundToTheCloserInteger) {
    EXPECT_EQ(core::nearest(3.4), 3);
    EXPECT_EQ(core::nearest(-3.6), -4);
    EXPECT_EQ(core::nearest(6.99), 7);
    EXPECT_EQ(core::nearest(-7.0), -7);
}

TEST(Nearest, SaturatesOutsideThe32BitRange) {
    EXPECT_EQ(core::nearest(1e12), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(core::nearest(-1e12), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(core::nearest(std::nan("")), std::numeric_limits<int32_t>::min());
}

}  // namespace
