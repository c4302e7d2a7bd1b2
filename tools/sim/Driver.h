#pragma once

#include <optional>
#include <ostream>

#include "RandomPlayer.h"
#include "Script.h"
#include "app/Program.h"
#include "platform/Headless.h"

namespace sim {

// Feeds the script into the running game. The headless back-end calls next()
// whenever the game would wait for input beyond the time the script allowed;
// each call handles commands until one gives the game input or time. A script
// error ends the program, wherever the game is, and is kept for main to report.
class Driver {
  public:
    Driver(ScriptReader& script, app::Program& program, platform::HeadlessBackend& backend,
           std::ostream& out);

    void next();

    // The script error that ended the run, if one did.
    const std::optional<ScriptError>& failure() const { return failure_; }

  private:
    void execute(const Command& command);

    void press(const Command& command);
    void release(const Command& command);
    void type(const Command& command);
    void pointAt(const Command& command, bool click);
    void answer(const Command& command);
    void set(const Command& command);
    void effect(const Command& command);
    void dump();
    void control(const Command& command);
    void sounds();
    void shot(const Command& command);
    void pixel(const Command& command);
    void rock(const Command& command);
    void urls();
    void soak(const Command& command);
    void reportSoak();

    ScriptReader& script_;
    app::Program& program_;
    platform::HeadlessBackend& backend_;
    std::ostream& out_;
    bool ended_ = false;
    std::optional<ScriptError> failure_;
    std::optional<RandomPlayer> player_;  // while a soak runs
};

}  // namespace sim
