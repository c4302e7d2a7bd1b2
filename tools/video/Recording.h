#pragma once

#include <cstdint>
#include <filesystem>
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

// Throws sim::ScriptError naming the line for a file that is not a
// recording or is cut in the middle of a line, std::runtime_error when the
// file cannot be read.
Recording ReadRecording(const std::filesystem::path& path);

}  // namespace video
