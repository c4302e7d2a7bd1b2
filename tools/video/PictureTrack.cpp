#include "PictureTrack.h"

#include <stdexcept>

namespace video {

namespace {

// A key frame every two seconds: players seek to those, and a video editor
// cuts there without coding the pictures again.
constexpr int kKeyFrameInterval = 2 * VideoEncoder::kFramesPerSecond;

void ConfigurePictures(AVCodecContext& encoder, int width, int height) {
    encoder.width = width;
    encoder.height = height;
    encoder.pix_fmt = AV_PIX_FMT_YUV420P;
    encoder.time_base = AVRational{1, VideoEncoder::kFramesPerSecond};
    encoder.framerate = AVRational{VideoEncoder::kFramesPerSecond, 1};
    encoder.gop_size = kKeyFrameInterval;
    encoder.thread_count = av_cpu_count();
    DescribeColours(encoder);
}

// Making the video should take well under the flight's own time on two
// cores, and every frame must keep the game's sharp edges and rock texture
// (above 40 dB PSNR at scale 2, measured on recorded flights), also the first
// frame after a cut to a new screen, which both encoders code worst. Most
// frames repeat the one before and cost almost nothing.
//
// VP9: the realtime deadline at its fastest speed, rows and tile columns
// coded in parallel, no look-ahead. CRF 30 would be a quarter smaller but
// dips to 38 dB for a frame at a cut from a mission to the next briefing.
// H.264: "superfast" at CRF 18 is faster than "veryfast" and keeps 41.8 dB
// in a burst of particles, where veryfast at CRF 20 falls to 39.8; its files
// are larger, about 1.4 Mbit/s at scale 2.
EncodedStream OpenPictureEncoder(OutputFile& file, VideoFormat format, int width, int height) {
    const auto configure = [&](AVCodecContext& encoder) {
        ConfigurePictures(encoder, width, height);
        // A quality to hold, not a bit rate: a still cave costs nothing, an
        // explosion what it needs.
        encoder.bit_rate = 0;
    };
    switch (format) {
        case VideoFormat::WebM:
            return EncodedStream(file, "libvpx-vp9", configure,
                                 {{"deadline", "realtime"},
                                  {"cpu-used", "8"},
                                  {"row-mt", "1"},
                                  {"tile-columns", "2"},
                                  {"lag-in-frames", "0"},
                                  {"crf", "24"}});
        case VideoFormat::Mp4:
            return EncodedStream(file, "libx264", configure,
                                 {{"preset", "superfast"}, {"crf", "18"}});
    }
    throw std::logic_error("unknown video format");
}

}  // namespace

PictureTrack::PictureTrack(OutputFile& file, VideoFormat format, int width, int height, int scale)
    : converter_(width, height, scale),
      stream_(OpenPictureEncoder(file, format, this->width(), this->height())) {
    frame_->format = AV_PIX_FMT_YUV420P;
    frame_->width = converter_.outputWidth();
    frame_->height = converter_.outputHeight();
    Check(av_frame_get_buffer(frame_.get(), 0), "making room for a picture");
}

void PictureTrack::add(const core::Bitmap& picture) {
    // The encoder may still hold the last frame; then this writes a new copy.
    Check(av_frame_make_writable(frame_.get()), "making room for a picture");
    converter_.convert(picture, *frame_);
    holdsPicture_ = true;
    encodeNextSlot();
}

void PictureTrack::repeat() {
    if (!holdsPicture_) throw std::runtime_error("there is no picture to repeat yet");
    encodeNextSlot();
}

void PictureTrack::encodeNextSlot() {
    frame_->pts = nextSlot_++;
    stream_.encode(frame_.get());
}

void PictureTrack::finish() {
    stream_.encode(nullptr);
}

}  // namespace video
