#include "VideoEncoder.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <string>

#include "Ffmpeg.h"
#include "OutputFile.h"
#include "PictureTrack.h"
#include "SoundTrack.h"

namespace video {

std::optional<VideoFormat> FormatForName(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".webm") return VideoFormat::WebM;
    if (extension == ".mp4") return VideoFormat::Mp4;
    return std::nullopt;
}

void ShowOnlyEncoderErrors() {
    av_log_set_level(AV_LOG_ERROR);
}

namespace {

const char* MuxerName(VideoFormat format) {
    return format == VideoFormat::WebM ? "webm" : "mp4";
}

}  // namespace

class VideoEncoder::Parts {
  public:
    Parts(const std::filesystem::path& path, VideoFormat format, int width, int height, int scale)
        : file(path, MuxerName(format)),
          pictures(file, format, width, height, scale),
          sounds(file, format) {
        // MP4 keeps its index at the end unless told otherwise; moved to the
        // front, a browser plays the video while it still downloads.
        if (format == VideoFormat::Mp4) {
            file.writeHeader({{"movflags", "+faststart"}});
        } else {
            file.writeHeader({});
        }
    }

    OutputFile file;
    PictureTrack pictures;
    SoundTrack sounds;
    // Why nothing more may be done: the file is finished, or a step failed
    // half-way and left the encoders in no state to go on.
    std::string refusal;
};

void VideoEncoder::refuseAfterFailure() {
    if (parts_ && parts_->refusal.empty()) parts_->refusal = "an earlier step failed";
}

template <typename Step>
void VideoEncoder::explainFailure(Step&& step) {
    try {
        if (parts_ && !parts_->refusal.empty()) throw std::runtime_error(parts_->refusal);
        step();
    } catch (const std::runtime_error& error) {
        refuseAfterFailure();
        throw std::runtime_error("Cannot write the video " + path_.string() + ": " + error.what());
    } catch (...) {
        refuseAfterFailure();
        throw;
    }
}

VideoEncoder::VideoEncoder(const std::filesystem::path& path, VideoFormat format, int width,
                           int height, int scale)
    : path_(path) {
    explainFailure([&] { parts_ = std::make_unique<Parts>(path, format, width, height, scale); });
}

VideoEncoder::~VideoEncoder() = default;

void VideoEncoder::addPicture(const core::Bitmap& picture) {
    explainFailure([&] { parts_->pictures.add(picture); });
}

void VideoEncoder::repeatPicture() {
    explainFailure([&] { parts_->pictures.repeat(); });
}

void VideoEncoder::addSound(std::span<const int16_t> interleavedStereo) {
    explainFailure([&] { parts_->sounds.add(interleavedStereo); });
}

void VideoEncoder::finish() {
    explainFailure([&] {
        parts_->pictures.finish();
        parts_->sounds.finish();
        parts_->file.finish();
        parts_->refusal = "the video is finished already";
    });
}

int VideoEncoder::videoWidth() const {
    return parts_->pictures.width();
}
int VideoEncoder::videoHeight() const {
    return parts_->pictures.height();
}

}  // namespace video
