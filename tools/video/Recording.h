#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace video {

// A recording read whole, checked before anything is replayed: it must be
// one the game wrote (its first line says so) and end with a complete line.
// A recording that simply stops, as when the game was killed, is complete
// up to its last line.
struct Recording {
    std::string text;
    // The moment of its last step, in milliseconds since the program started.
    uint64_t lengthMs = 0;
};

// What the user gave wrongly: a recording that cannot be read, is cut off,
// out of step or none, or a recorded pack not given. The message names the
// recording's line where there is one.
class RecordingProblem : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Throws sim::ScriptError naming the line for a file that is not a
// recording or is cut in the middle of a line, RecordingProblem when the
// file cannot be read.
Recording ReadRecording(const std::filesystem::path& path);

}  // namespace video
