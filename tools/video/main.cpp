// tarnwick-video: replays a recorded game without window or sound device and
// turns what the window showed and the speakers played into a video file.
#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "MakeVideo.h"
#include "Recording.h"
#include "SoundLister.h"
#include "tools/sim/Script.h"

namespace {

constexpr const char* kUsage =
    "usage: tarnwick-video [--scale 1..4] [--pack PACK]... RECORDING OUT.webm|OUT.mp4\n"
    "       tarnwick-video --list-sounds [--pack PACK]... RECORDING\n";

struct Options {
    video::VideoRequest request;
    bool listSounds = false;
};

// Nullopt for arguments it cannot read.
std::optional<Options> ParseOptions(int argc, char** argv) {
    Options options;
    std::vector<std::string> names;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--scale" && i + 1 < argc) {
            const std::string value = argv[++i];
            if (value.size() != 1 || value[0] < '1' || value[0] > '4') return std::nullopt;
            options.request.scale = value[0] - '0';
        } else if (arg == "--pack" && i + 1 < argc) {
            options.request.packs.push_back(argv[++i]);
        } else if (arg == "--list-sounds") {
            options.listSounds = true;
        } else if (arg.starts_with("-")) {
            return std::nullopt;
        } else {
            names.push_back(arg);
        }
    }
    if (names.size() != (options.listSounds ? 1u : 2u)) return std::nullopt;
    options.request.recording = names[0];
    if (!options.listSounds) options.request.out = names[1];
    return options;
}

// Ctrl+C ends the replay where it is; the half-made video is removed.
std::atomic<bool> stopAsked = false;
extern "C" void AskToStop(int) {
    stopAsked = true;
}

int Run(Options& options) {
    video::VideoRequest& request = options.request;
    if (!options.listSounds) {
        const std::optional<video::VideoFormat> format = video::FormatForName(request.out);
        if (!format)
            throw video::RecordingProblem(request.out.string() +
                                          ": the video's name must end in .webm (VP9 and Opus) "
                                          "or .mp4 (H.264 and AAC)");
        request.format = *format;
    }
    video::Recording recording;
    try {
        recording = video::ReadRecording(request.recording);
    } catch (const sim::ScriptError& error) {
        throw video::RecordingProblem(request.recording + " line " + std::to_string(error.line()) +
                                      ": " + error.what());
    }
    if (options.listSounds) {
        video::SoundLister lister(std::cout);
        video::ReplayRecording(
            request, recording, lister, [](const core::Bitmap&, uint64_t) {}, [] { return false; });
        return 0;
    }
    video::ShowOnlyEncoderErrors();
    std::signal(SIGINT, AskToStop);
    std::signal(SIGTERM, AskToStop);
    video::MakeVideo(request, recording, stopAsked);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        return Run(*options);
    } catch (const video::Stopped&) {
        std::fputs("tarnwick-video: stopped; no video was written\n", stderr);
        return 130;
    } catch (const video::RecordingProblem& problem) {
        std::fprintf(stderr, "tarnwick-video: %s\n", problem.what());
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tarnwick-video: %s\n", error.what());
        return 1;
    }
}
