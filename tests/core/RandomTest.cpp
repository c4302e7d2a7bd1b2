#include "core/Random.h"

#include <gtest/gtest.h>

namespace {

// Expected values worked out by hand from seed := seed * 134775813 + 1 and
// result := (seed * n) >> 32.
TEST(Random, FollowsTheLinearCongruentialSequenceFromZero) {
    core::SetRandSeed(0);
    EXPECT_EQ(core::Random(100), 0);  // seed 1
    EXPECT_EQ(core::Random(100), 3);  // seed 134775814
    EXPECT_EQ(core::Random(100), 86);
    EXPECT_EQ(core::Random(1000), 202);
    EXPECT_EQ(core::Random(18), 4);
    EXPECT_EQ(core::Random(5), 3);
    EXPECT_EQ(core::RandSeed(), 2884733762u);
}

TEST(Random, WrapsTheSeedAndStaysBelowTheRange) {
    core::SetRandSeed(0xFFFFFFFFu);
    EXPECT_EQ(core::Random(2147483647), 2080095741);
    EXPECT_EQ(core::RandSeed(), 4160191484u);
    for (int i = 0; i < 1000; ++i) {
        const int32_t r = core::Random(7);
        ASSERT_GE(r, 0);
        ASSERT_LT(r, 7);
    }
    EXPECT_EQ(core::Random(1), 0);
}

TEST(Random, RandomizeSeedsWithMillisecondsSinceMidnightUtc) {
    core::TimeOfDay t;
    t.hour = 12;
    t.minute = 34;
    t.second = 56;
    t.millisecond = 789;
    core::Randomize(t);
    EXPECT_EQ(core::RandSeed(), 45296789u);
    EXPECT_EQ(core::Random(1000), 488);
    EXPECT_EQ(core::Random(1000), 270);
    EXPECT_EQ(core::Random(7), 2);

    core::TimeOfDay midnight{2005, 6, 15, 0, 0, 0, 0};
    core::Randomize(midnight);
    EXPECT_EQ(core::RandSeed(), 0u);
}

}  // namespace
