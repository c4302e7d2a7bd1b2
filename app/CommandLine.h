#pragma once

#include <optional>
#include <string>

namespace app {

// What the game is asked on its command line: `tarnwick [--record FILE]
// [PACK]`, PACK a mission pack (a ".tarnwick" file or a pack folder), as a
// file manager passes it, and FILE the recording to write, as
// TARNWICK_RECORD names one. What cannot be followed is told in `problem`,
// which the game shows in its box before the title, as it does any start-up
// problem.
struct CommandLine {
    std::optional<std::string> pack;
    std::optional<std::string> record;
    std::string problem;
};

CommandLine ParseCommandLine(int argc, const char* const* argv);

}  // namespace app
