#pragma once

#include <ostream>

#include "Script.h"
#include "app/Program.h"
#include "platform/Headless.h"

namespace sim {

// Feeds the script into the running game. The headless back-end calls next()
// whenever the game would wait for input beyond the time the script allowed;
// each call handles commands until one gives the game input or time.
class Driver {
  public:
    Driver(ScriptReader& script, app::Program& program, platform::HeadlessBackend& backend,
           std::ostream& out);

    void next();

  private:
    // Returns true when the command gave the game input or time.
    bool execute(const Command& command);

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

    ScriptReader& script_;
    app::Program& program_;
    platform::HeadlessBackend& backend_;
    std::ostream& out_;
    bool ended_ = false;
};

// Parses HH:MM:SS.mmm into the time of day of the default date.
core::TimeOfDay parseClock(const Command& command);

}  // namespace sim
