#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>

namespace video {

// A bar on a terminal: how much of the game is encoded and how long the rest
// will take at the pace so far. Redrawn a few times a second at most, and
// only when `out` is a terminal, so that logs and pipes stay clean.
class ProgressBar {
  public:
    ProgressBar(std::FILE* out, uint64_t totalMs);
    void show(uint64_t doneMs);
    // Leaves the bar's line, showing the bar full when the work is complete.
    void close(bool complete);

  private:
    void draw(uint64_t doneMs, std::chrono::steady_clock::time_point now);

    std::FILE* out_;
    bool terminal_;
    uint64_t totalMs_;
    std::chrono::steady_clock::time_point started_;
    std::chrono::steady_clock::time_point drawn_;
    bool shown_ = false;
};

}  // namespace video
