#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "Recording.h"
#include "Stopped.h"
#include "VideoEncoder.h"
#include "core/Bitmap.h"
#include "platform/AudioListener.h"

namespace video {

struct VideoRequest {
    std::string recording;  // its path, for messages
    std::vector<std::string> packs;
    std::filesystem::path out;
    VideoFormat format = VideoFormat::WebM;
    int scale = 2;
};

// Replays the recording headless, telling `listener` what the game played and
// `onPresent` each frame the window showed with its moment, until the
// recording ends or `stopWanted` says so. Returns the moment it ended at.
uint64_t ReplayRecording(const VideoRequest& request, const Recording& recording,
                         platform::AudioListener& listener,
                         const std::function<void(const core::Bitmap&, uint64_t ms)>& onPresent,
                         const std::function<bool()>& stopWanted);

// Makes the video of the recording under request.out, through a temporary
// name beside it, so that the name never holds half a video; a progress bar
// runs on standard error when it is a terminal. Throws RecordingProblem,
// Stopped when `stopAsked` turned true, or std::runtime_error when the video
// cannot be written; no file is left then.
void MakeVideo(const VideoRequest& request, const Recording& recording,
               const std::atomic<bool>& stopAsked);

}  // namespace video
