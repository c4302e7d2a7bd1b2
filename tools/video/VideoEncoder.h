#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>

#include "core/Bitmap.h"

namespace video {

enum class VideoFormat {
    WebM,  // VP9 pictures, Opus sound
    Mp4,   // H.264 pictures, AAC sound
};

// The format an output name asks for by its extension, in any case: ".webm"
// or ".mp4"; nullopt for anything else.
std::optional<VideoFormat> FormatForName(const std::filesystem::path& path);

// FFmpeg's encoders describe themselves on standard error as they open and
// close; this leaves their errors only, for the whole process.
void ShowOnlyEncoderErrors();

// Writes the game's pictures and sound into a video file, through FFmpeg's
// libraries. Every picture fills one 1/60 s slot; the sound runs beside them
// from the same start. Every failure throws std::runtime_error naming what
// failed, the file and FFmpeg's words for it.
class VideoEncoder {
  public:
    static constexpr int kFramesPerSecond = 60;
    // The game's sound: interleaved signed 16-bit stereo at this rate.
    static constexpr int kSampleRate = 44100;

    // Opens `path` for pictures of width x height, enlarged `scale` times
    // (1 to 4) with sharp pixels and padded with black to an even width and
    // height. Settings an encoder refuses leave no file behind.
    VideoEncoder(const std::filesystem::path& path, VideoFormat format, int width, int height,
                 int scale);
    // Without finish() the file is left incomplete, for the caller to delete.
    ~VideoEncoder();
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // The picture of the next slot: width x height, 0xAARRGGBB words, rows
    // top-down; alpha is ignored.
    void addPicture(const core::Bitmap& picture);
    // The next slot shows the picture of the one before again. Cheap: the
    // picture is neither enlarged nor converted again.
    void repeatPicture();
    // The next stretch of sound, of any length: interleaved stereo, two
    // values a sample frame.
    void addSound(std::span<const int16_t> interleavedStereo);
    // Drains the encoders and completes the file. Nothing may be added after.
    void finish();

    // The size of the encoded pictures, after enlarging and padding.
    int videoWidth() const;
    int videoHeight() const;

  private:
    class Parts;
    // Runs a step, naming the file in the message of a failure; after one,
    // every further step is refused.
    template <typename Step>
    void explainFailure(Step&& step);
    void refuseAfterFailure();

    std::filesystem::path path_;
    std::unique_ptr<Parts> parts_;
};

}  // namespace video
