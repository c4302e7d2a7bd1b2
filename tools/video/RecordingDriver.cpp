#include "RecordingDriver.h"

#include "tools/sim/RecordedSteps.h"

namespace video {

RecordingDriver::RecordingDriver(sim::ScriptReader& recording, platform::HeadlessBackend& backend,
                                 const platform::EventLoop& loop, std::function<bool()> stopWanted)
    : recording_(recording), backend_(backend), loop_(loop), stopWanted_(std::move(stopWanted)) {}

void RecordingDriver::next() {
    while (!ended_ && !stopWanted_()) {
        const std::optional<sim::Command> step = recording_.next();
        if (!step) break;
        try {
            if (!sim::ExecuteRecordedStep(*step, backend_, loop_))
                throw sim::ScriptError(step->line,
                                       "\"" + step->word + "\" is no step of a recording");
        } catch (const sim::ScriptError& error) {
            // Thrown on, the error would unwind into whatever handler of the
            // game is running; the program ends instead and main reports it.
            failure_ = error;
            break;
        }
        if (backend_.hasPendingWork()) return;
    }
    ended_ = true;
    backend_.queue(platform::Event{.type = platform::Event::Type::Quit});
}

}  // namespace video
