#include "Recording.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "tools/sim/Script.h"

namespace video {
namespace {

// The line the game's recorder begins every recording with.
constexpr std::string_view kSignature = "# Tarnwick recording";

// A day of play: a moment beyond it is an edit, and would make a video of
// millions of frames, or overflow the frame count.
constexpr int64_t kLongestGameMs = 24LL * 60 * 60 * 1000;

}  // namespace

Recording ReadRecording(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw RecordingProblem("cannot open the recording " + path.string());
    Recording recording;
    recording.text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (file.bad()) throw RecordingProblem("cannot read the recording " + path.string());

    if (!recording.text.starts_with(kSignature))
        throw sim::ScriptError(1, "not a Tarnwick recording: it does not begin with \"" +
                                      std::string(kSignature) + "\"");
    const auto lines = std::count(recording.text.begin(), recording.text.end(), '\n');
    if (recording.text.back() != '\n')
        throw sim::ScriptError(static_cast<int>(lines) + 1,
                               "the recording is cut off in the middle of this line");

    std::istringstream in(recording.text);
    sim::ScriptReader reader(in);
    while (const std::optional<sim::Command> command = reader.next()) {
        if ((command->word == "tick" || command->word == "at") && !command->args.empty())
            recording.lengthMs =
                std::max(recording.lengthMs, static_cast<uint64_t>(sim::parseWithin<int64_t>(
                                                 *command, command->args[0], 0, kLongestGameMs)));
    }
    return recording;
}

}  // namespace video
