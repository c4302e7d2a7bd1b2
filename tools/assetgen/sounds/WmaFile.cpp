#include "sounds/WmaFile.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}

namespace assetgen::sounds {
namespace {

std::string ffmpegError(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

void check(int code, const std::string& what) {
    if (code < 0) throw std::runtime_error("WMA encoding: " + what + ": " + ffmpegError(code));
}

struct OutputCloser {
    void operator()(AVFormatContext* format) const {
        if (format->pb) avio_closep(&format->pb);
        avformat_free_context(format);
    }
};
struct CodecFreer {
    void operator()(AVCodecContext* codec) const { avcodec_free_context(&codec); }
};
struct PacketFreer {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct FrameFreer {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};

class Encoder {
  public:
    Encoder(const std::filesystem::path& path, int sampleRate, int bitRate,
            const std::string& title);
    void encode(std::span<const double> interleaved);
    void finish();
    int frameSize() const { return codec_->frame_size; }
    int leadIn() const { return codec_->initial_padding; }

  private:
    void send(const AVFrame* frame);

    std::unique_ptr<AVFormatContext, OutputCloser> format_;
    std::unique_ptr<AVCodecContext, CodecFreer> codec_;
    std::unique_ptr<AVPacket, PacketFreer> packet_{av_packet_alloc()};
    std::unique_ptr<AVFrame, FrameFreer> frame_{av_frame_alloc()};
    AVStream* stream_ = nullptr;
};

Encoder::Encoder(const std::filesystem::path& path, int sampleRate, int bitRate,
                 const std::string& title) {
    if (!packet_ || !frame_) throw std::runtime_error("WMA encoding: out of memory");
    AVFormatContext* made = nullptr;
    check(avformat_alloc_output_context2(&made, nullptr, "asf", path.c_str()), "no ASF writer");
    format_.reset(made);
    // No time stamps or version strings in the file: the same music always
    // gives the same bytes.
    format_->flags |= AVFMT_FLAG_BITEXACT;
    if (!title.empty()) av_dict_set(&format_->metadata, "title", title.c_str(), 0);

    const AVCodec* wma = avcodec_find_encoder(AV_CODEC_ID_WMAV2);
    if (!wma) throw std::runtime_error("WMA encoding: this FFmpeg has no WMA version 2 encoder");
    stream_ = avformat_new_stream(format_.get(), nullptr);
    codec_.reset(avcodec_alloc_context3(wma));
    if (!stream_ || !codec_) throw std::runtime_error("WMA encoding: out of memory");
    codec_->sample_fmt = AV_SAMPLE_FMT_FLTP;
    codec_->sample_rate = sampleRate;
    codec_->bit_rate = bitRate;
    codec_->time_base = AVRational{1, sampleRate};
    codec_->flags |= AV_CODEC_FLAG_BITEXACT;
    const AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    check(av_channel_layout_copy(&codec_->ch_layout, &stereo), "channel layout");
    if (format_->oformat->flags & AVFMT_GLOBALHEADER) codec_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    check(avcodec_open2(codec_.get(), wma, nullptr), "opening the encoder");
    check(avcodec_parameters_from_context(stream_->codecpar, codec_.get()), "stream parameters");
    stream_->time_base = codec_->time_base;

    check(avio_open(&format_->pb, path.c_str(), AVIO_FLAG_WRITE), "opening " + path.string());
    check(avformat_write_header(format_.get(), nullptr), "writing the header");

    frame_->format = codec_->sample_fmt;
    frame_->sample_rate = sampleRate;
    frame_->nb_samples = codec_->frame_size;
    check(av_channel_layout_copy(&frame_->ch_layout, &codec_->ch_layout), "channel layout");
    check(av_frame_get_buffer(frame_.get(), 0), "frame buffer");
}

void Encoder::encode(std::span<const double> interleaved) {
    const size_t frames = interleaved.size() / 2;
    const auto frameSize = static_cast<size_t>(codec_->frame_size);
    for (size_t first = 0; first < frames; first += frameSize) {
        check(av_frame_make_writable(frame_.get()), "frame buffer");
        const size_t count = std::min(frameSize, frames - first);
        auto* left = reinterpret_cast<float*>(frame_->data[0]);
        auto* right = reinterpret_cast<float*>(frame_->data[1]);
        for (size_t i = 0; i < count; ++i) {
            left[i] = static_cast<float>(interleaved[2 * (first + i)]);
            right[i] = static_cast<float>(interleaved[2 * (first + i) + 1]);
        }
        // The encoder pads a short last frame with silence itself.
        frame_->nb_samples = static_cast<int>(count);
        frame_->pts = static_cast<int64_t>(first);
        send(frame_.get());
    }
}

void Encoder::send(const AVFrame* frame) {
    check(avcodec_send_frame(codec_.get(), frame), "encoding");
    for (;;) {
        const int rc = avcodec_receive_packet(codec_.get(), packet_.get());
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return;
        check(rc, "encoding");
        av_packet_rescale_ts(packet_.get(), codec_->time_base, stream_->time_base);
        packet_->stream_index = stream_->index;
        check(av_interleaved_write_frame(format_.get(), packet_.get()), "writing");
    }
}

void Encoder::finish() {
    send(nullptr);
    check(av_write_trailer(format_.get()), "writing the index");
    check(avio_closep(&format_->pb), "closing the file");
}

}  // namespace

int writeLoopingWma(const std::filesystem::path& path, std::span<const double> interleavedStereo,
                    int sampleRate, int bitRate, const std::string& title) {
    std::filesystem::path partial = path;
    partial += ".part";
    int repeated = 0;
    try {
        Encoder encoder(partial, sampleRate, bitRate, title);
        const size_t frames = interleavedStereo.size() / 2;
        const auto leadIn = static_cast<size_t>(encoder.leadIn());
        const auto frameSize = static_cast<size_t>(encoder.frameSize());
        if (leadIn > frames || frameSize > frames)
            throw std::runtime_error("WMA encoding: the music is too short");
        repeated = static_cast<int>((frameSize - frames % frameSize) % frameSize);
        std::vector<double> lapped;
        lapped.reserve(2 * (leadIn + frames + static_cast<size_t>(repeated)));
        lapped.insert(lapped.end(),
                      interleavedStereo.end() - static_cast<std::ptrdiff_t>(2 * leadIn),
                      interleavedStereo.end());
        lapped.insert(lapped.end(), interleavedStereo.begin(), interleavedStereo.end());
        lapped.insert(lapped.end(), interleavedStereo.begin(),
                      interleavedStereo.begin() + 2 * repeated);
        encoder.encode(lapped);
        encoder.finish();
    } catch (...) {
        std::filesystem::remove(partial);
        throw;
    }
    std::filesystem::rename(partial, path);
    return repeated;
}

}  // namespace assetgen::sounds
