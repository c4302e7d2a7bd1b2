// A short soak: twenty minutes of game time played at random, through whole
// games, under whatever sanitizers the build has. The long soak is the same
// command for hours (see the README).
#include <gtest/gtest.h>

#include "SimRunner.h"

namespace {

using namespace simtest;
using testfiles::TemporaryFolder;

// Freed memory the sanitizers hold back for a while, and the allocator's
// own rounding, may move the resident size a little either way.
constexpr long kAllowedGrowthKiB = 2 * 1024;

TEST(Soak, RandomPlayStartsWinsLosesAndEndsGamesWithoutGrowing) {
    TemporaryFolder data;
    // By half time every mission's pictures have been loaded and freed at
    // least once; the sanitizers' quarantine of freed blocks is kept small,
    // so that it is full by then too and cannot pass for a leak.
    const RunResult r =
        runSim(data.folder(), "clock 12:00:00.000\nstart\nsoak 1200000 7\nquit\n", "",
               "ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=8\"");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string report = lines(r.out).at(0);
    const auto count = [&](const char* key) { return std::stol(jsonValue(report, key)); };
    EXPECT_GT(count("gamesStarted"), 1) << report;
    EXPECT_GT(count("missionsWon"), 0) << report;
    EXPECT_GT(count("livesLost"), 0) << report;
    EXPECT_GT(count("gamesEnded"), 0) << report;
    EXPECT_GT(count("questions"), 0) << report;
    EXPECT_GT(count("pauses"), 0) << report;
    EXPECT_LE(count("residentKiBAtEnd"), count("residentKiBAtHalf") + kAllowedGrowthKiB)
        << report;
}

}  // namespace
