#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "app/Program.h"
#include "platform/Headless.h"

namespace sim {

// A player who knows where the menus are and nothing about flying: starts
// games and missions, holds random play keys for random times, pauses, asks
// to quit and answers either way, skips missions with Shift+S+K now and then,
// and leaves the score panel without uploading. Long runs of it under the
// sanitizers find crashes, leaks and states the game cannot leave.
class RandomPlayer {
  public:
    // What the run went through, and the process's memory along the way.
    struct Progress {
        uint64_t virtualMs = 0;
        int gamesStarted = 0;
        int missionsStarted = 0;
        int missionsWon = 0;  // skips included
        int livesLost = 0;
        int gamesEnded = 0;
        int questions = 0;
        int pauses = 0;
        int skips = 0;
        long residentKiBAtHalf = 0;
        long residentKiBAtEnd = 0;
    };

    RandomPlayer(app::Program& program, platform::HeadlessBackend& backend, uint32_t seed,
                 uint64_t ms);

    // Queues the next input and grants the time until the step after it;
    // false once the time is spent (and every key is let go).
    bool step();
    const Progress& progress() const { return progress_; }

  private:
    void countChanges();
    void fly();
    void click(const char* control);
    void press(int key);
    void releaseHeld();
    int chance(int range) { return std::uniform_int_distribution<int>(0, range - 1)(random_); }

    app::Program& program_;
    platform::HeadlessBackend& backend_;
    std::mt19937 random_;
    uint64_t budget_;
    uint64_t spent_ = 0;
    std::vector<int> held_;
    Progress progress_;
    // The state seen after the last step, to count what changed.
    bool wasInMenu_ = true;
    int32_t lastMission_ = 0;
    int32_t lastLives_ = 0;
};

// The resident memory of this process in KiB, 0 where it cannot be read.
long ResidentKiB();

}  // namespace sim
