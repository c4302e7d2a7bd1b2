#include "MakeVideo.h"

#include <unistd.h>

#include <exception>
#include <optional>
#include <sstream>
#include <system_error>

#include "FlightVideo.h"
#include "ProgressBar.h"
#include "RecordingDriver.h"
#include "SoundMixer.h"
#include "app/Form1.h"
#include "app/Program.h"
#include "platform/Headless.h"
#include "tools/sim/ReplayPacks.h"
#include "tools/sim/ScriptStart.h"

namespace video {
namespace {

RecordingProblem AtLine(const VideoRequest& request, const sim::ScriptError& error) {
    return RecordingProblem(request.recording + " line " + std::to_string(error.line()) + ": " +
                            error.what());
}

// Deletes the file unless told to keep it: a video that failed or was
// stopped half-way leaves nothing.
struct RemoveUnlessKept {
    const std::filesystem::path& path;
    bool keep = false;
    ~RemoveUnlessKept() {
        std::error_code ignored;
        if (!keep) std::filesystem::remove(path, ignored);
    }
};

}  // namespace

uint64_t ReplayRecording(const VideoRequest& request, const Recording& recording,
                         platform::AudioListener& listener,
                         const std::function<void(const core::Bitmap&, uint64_t)>& onPresent,
                         const std::function<bool()>& stopWanted) {
    std::istringstream text(recording.text);
    sim::ScriptReader steps(text);
    std::optional<sim::ScriptStart> start;
    app::PackChoices choices;
    std::string problem;
    app::ProgramPaths paths = app::resolveProgramPaths(std::nullopt, problem);
    try {
        start = sim::ReadScriptStart(steps);
        if (!start)
            throw RecordingProblem(request.recording +
                                   ": the recording ends before the game starts");
        choices = sim::ReplayPacks(start->packLines, request.packs, paths.packsFolder);
    } catch (const sim::ScriptError& error) {
        throw AtLine(request, error);
    }

    platform::HeadlessBackend backend(start->startTime);
    app::Program program(backend, std::move(paths), std::move(problem), std::move(choices));
    // Thrown through the game's loop, a failure of the video would meet the
    // game's own error handling; it is kept, the replay ends, and it is
    // thrown on from here.
    std::exception_ptr videoFailure;
    RecordingDriver driver(steps, backend, program.Loop(),
                           [&] { return videoFailure || stopWanted(); });
    backend.audio().setListener(&listener);
    backend.setOnPresent([&](const core::Bitmap& frame, uint64_t ms) {
        if (driver.ended() || videoFailure) return;
        try {
            onPresent(frame, ms);
        } catch (...) {
            videoFailure = std::current_exception();
        }
    });
    backend.setDriver([&driver](platform::HeadlessBackend&) { driver.next(); });
    program.Run();
    if (videoFailure) std::rethrow_exception(videoFailure);
    if (const auto& failure = driver.failure()) throw AtLine(request, *failure);
    return backend.clock().nowMs();
}

void MakeVideo(const VideoRequest& request, const Recording& recording,
               const std::atomic<bool>& stopAsked) {
    const std::filesystem::path part = request.out.string() + ".part" + std::to_string(getpid());
    RemoveUnlessKept cleanup{part};

    constexpr int width = app::TForm1::kClientWidth;
    constexpr int height = app::TForm1::kClientHeight;
    VideoEncoder encoder(part, request.format, width, height, request.scale);
    SoundMixer mixer;
    FlightVideo flight(encoder, mixer, width, height, stopAsked);
    ProgressBar progress(stderr, recording.lengthMs);
    // The bar's line ends however the video ends, full only when it is complete.
    struct CloseBar {
        ProgressBar& bar;
        bool complete = false;
        ~CloseBar() { bar.close(complete); }
    } closeBar{progress};
    const uint64_t endMs = ReplayRecording(
        request, recording, mixer,
        [&](const core::Bitmap& frame, uint64_t ms) {
            flight.presented(frame, ms);
            progress.show(ms);
        },
        [&] { return stopAsked.load(); });
    if (stopAsked) throw Stopped{};
    if (endMs == 0)
        throw RecordingProblem(request.recording + ": the recording holds no moment of play");
    flight.finish(endMs);
    std::filesystem::rename(part, request.out);
    cleanup.keep = true;
    closeBar.complete = true;
}

}  // namespace video
