#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "Recorder.h"
#include "core/TimeOfDay.h"

namespace platform {

// Writes the steps the loop hands the game as a tarnwick-sim script, which
// plays the same game again: `clock` and `start`, then `tick MS PERIOD` for
// each timer tick and `at MS` before the input that arrived then. Each line
// is written through at once, so that the file holds everything up to the
// present step even if the game is stopped hard.
class ScriptRecorder : public Recorder {
  public:
    // `setup`: lines that tell the replay what the game started with besides
    // the clock (the mission packs it was offered), written before `start`.
    // Throws std::runtime_error when `path` cannot be written.
    ScriptRecorder(const std::string& path, const core::TimeOfDay& startUtc,
                   const std::vector<std::string>& setup = {});

    void tick(uint64_t atMs, uint32_t periodMs) override;
    void input(uint64_t atMs, const Event& event) override;

  private:
    void write(const std::string& line);

    std::string path_;
    std::ofstream out_;
    uint64_t clockAt_ = 0;  // where the replay's clock stands after the lines so far
    bool failed_ = false;
};

}  // namespace platform
