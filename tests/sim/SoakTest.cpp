// A short soak: twenty minutes of game time played at random, through whole
// games, under whatever sanitizers the build has. The long soak is the same
// command for hours (see the README).
#include <gtest/gtest.h>

#include "SimRunner.h"

namespace {

using namespace simtest;
using testfiles::TemporaryFolder;

// The allocator's own rounding and caches may move the resident size a
// little either way.
constexpr long kAllowedGrowthKiB = 2 * 1024;

TEST(Soak, RandomPlayStartsWinsLosesAndEndsGamesWithoutGrowing) {
    TemporaryFolder data;
    // By half time every mission's pictures have been loaded and freed at
    // least once: from then on the memory in use must stay where it is.
    const RunResult r =
        runSim(data.folder(), "clock 12:00:00.000\nstart\nsoak 1200000 7\nquit\n", "");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string report = lines(r.out).at(0);
    const auto count = [&](const char* key) { return std::stol(jsonValue(report, key)); };
    EXPECT_GT(count("gamesStarted"), 1) << report;
    EXPECT_GT(count("missionsWon"), 0) << report;
    EXPECT_GT(count("livesLost"), 0) << report;
    EXPECT_GT(count("gamesEnded"), 0) << report;
    EXPECT_GT(count("questions"), 0) << report;
    EXPECT_GT(count("pauses"), 0) << report;
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer's allocator keeps what it once took from the system, a
    // few megabytes an hour of random play, in a program whose own memory
    // stays flat: here the leak checker at exit speaks for memory.
#else
    EXPECT_LE(count("residentKiBAtEnd"), count("residentKiBAtHalf") + kAllowedGrowthKiB)
        << report;
#endif
}

}  // namespace
