#pragma once

#include <sys/types.h>

#include <cstdint>
#include <set>
#include <string>

// tarnwick-sim as a co-process: commands go to its standard input, the lines
// it prints come back from its standard output. The link keeps the virtual
// clock (milliseconds waited since `start`) and the keys it holds, so the
// pilot can time its presses against the game's ticks.
namespace autopilot {

class SimLink {
  public:
    // Starts `simPath` with TARNWICK_DATA_DIR set to a fresh folder of its own.
    // `pack`, when not empty: the mission pack the simulator flies (--pack).
    SimLink(const std::string& simPath, const std::string& pack);
    ~SimLink();
    SimLink(const SimLink&) = delete;
    SimLink& operator=(const SimLink&) = delete;

    void send(const std::string& command);
    // Sends a command that prints one line and returns that line.
    std::string ask(const std::string& command);

    void wait(int64_t ms);
    void waitUntil(int64_t time) {
        if (time > now_) wait(time - now_);
    }
    int64_t now() const { return now_; }

    void press(const std::string& key);
    void release(const std::string& key);
    void releaseAll();
    bool held(const std::string& key) const { return held_.count(key) != 0; }

  private:
    pid_t child_ = -1;
    int toSim_ = -1;
    int fromSim_ = -1;
    std::string pending_;  // read but not yet returned
    std::string dataDir_;
    int64_t now_ = 0;
    std::set<std::string> held_;
};

}  // namespace autopilot
