// Games recorded from the real game in a window (TARNWICK_RECORD) play again
// in the simulator to the state and the frame they ended in. One of them was
// checked against the real window when it was recorded: the same pixels.
#include <gtest/gtest.h>

#include "SimRunner.h"

namespace {

using namespace simtest;

// After an intended change of the game the recordings go out of step or end
// elsewhere: record them anew (see the README), and TARNWICK_UPDATE_GOLDEN=1
// rewrites the states they end in.
TEST(Replay, RecordedGamesEndInTheStateAndFrameTheyEndedInBefore) {
    const bool update = std::getenv("TARNWICK_UPDATE_GOLDEN") != nullptr;
    for (const std::string name : {"mission1-flight", "expert-crash", "ten-missions-then-a-name"}) {
        SCOPED_TRACE(name);
        testfiles::TemporaryFolder data;
        const std::string base = TARNWICK_RECORDINGS_DIR "/" + name;
        const RunResult r =
            runSim(data.folder(), testfiles::readFile(base + ".tws") + "dump\n", "");
        ASSERT_EQ(r.status, 0) << r.err;
        if (update) testfiles::writeFile(base + ".dump", r.out);
        EXPECT_EQ(r.out, testfiles::readFile(base + ".dump"));
    }
}

}  // namespace
