#pragma once

#include <functional>
#include <optional>

#include "platform/EventLoop.h"
#include "platform/Headless.h"
#include "tools/sim/Script.h"

namespace video {

// Feeds a recording's steps into the game replaying it, as tarnwick-sim
// would, but refuses anything a recording does not hold: a simulator
// script is no record of a game. An error (a line out of step, a line no
// recording has) or a stop asked for (Ctrl+C, or the video failing) ends the
// program; main reports it.
class RecordingDriver {
  public:
    RecordingDriver(sim::ScriptReader& recording, platform::HeadlessBackend& backend,
                    const platform::EventLoop& loop, std::function<bool()> stopWanted);

    void next();

    // True once the recording ran out, failed or was stopped; the game is
    // quitting then, and nothing it does afterwards belongs to the video.
    bool ended() const { return ended_; }
    const std::optional<sim::ScriptError>& failure() const { return failure_; }

  private:
    sim::ScriptReader& recording_;
    platform::HeadlessBackend& backend_;
    const platform::EventLoop& loop_;
    std::function<bool()> stopWanted_;
    bool ended_ = false;
    std::optional<sim::ScriptError> failure_;
};

}  // namespace video
