#include "AudioFileStream.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/mathematics.h>
#include <libswresample/swresample.h>
}

namespace music {
namespace {

constexpr int kOutputChannels = 2;

std::string ffmpegError(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

[[noreturn]] void fail(const std::string& path, const std::string& what) {
    throw std::runtime_error("Cannot play the music file " + path + ": " + what);
}

// Owners of the FFmpeg handles, so that a constructor failing half-way
// frees what it had made.
struct FormatCloser {
    void operator()(AVFormatContext* format) const { avformat_close_input(&format); }
};
struct CodecFreer {
    void operator()(AVCodecContext* codec) const { avcodec_free_context(&codec); }
};
struct ResamplerFreer {
    void operator()(SwrContext* resampler) const { swr_free(&resampler); }
};
struct PacketFreer {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct FrameFreer {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};

}  // namespace

// The FFmpeg side: container, decoder and resampler of one open file, and the
// converted samples not yet handed out.
struct AudioFileStream::Decoder {
    explicit Decoder(const std::string& path);

    // Decodes until converted samples are waiting; false at the end of the file.
    bool refill();
    void seekToStart();
    size_t pendingFrames() const { return (pending.size() - pendingOffset) / kOutputChannels; }
    int64_t durationFrames() const;

    std::string path;
    std::unique_ptr<AVFormatContext, FormatCloser> format;
    std::unique_ptr<AVCodecContext, CodecFreer> codec;
    std::unique_ptr<SwrContext, ResamplerFreer> resampler;
    std::unique_ptr<AVPacket, PacketFreer> packet;
    std::unique_ptr<AVFrame, FrameFreer> frame;
    int streamIndex = -1;

    std::vector<int16_t> pending;
    size_t pendingOffset = 0;
    bool inputDone = false;  // the decoder has been told that no packets follow
    bool finished = false;   // decoder and resampler are drained

  private:
    void feed();
    void convert(const uint8_t** input, int inputFrames);
};

AudioFileStream::Decoder::Decoder(const std::string& filePath) : path(filePath) {
    AVFormatContext* opened = nullptr;
    int rc = avformat_open_input(&opened, path.c_str(), nullptr, nullptr);
    if (rc < 0) fail(path, ffmpegError(rc));
    format.reset(opened);
    rc = avformat_find_stream_info(format.get(), nullptr);
    if (rc < 0) fail(path, ffmpegError(rc));

    const AVCodec* decoder = nullptr;
    streamIndex = av_find_best_stream(format.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
    if (streamIndex < 0 || !decoder) fail(path, "it holds no audio that can be decoded");

    codec.reset(avcodec_alloc_context3(decoder));
    if (!codec) fail(path, "out of memory");
    rc = avcodec_parameters_to_context(codec.get(), format->streams[streamIndex]->codecpar);
    if (rc < 0) fail(path, ffmpegError(rc));
    rc = avcodec_open2(codec.get(), decoder, nullptr);
    if (rc < 0) fail(path, ffmpegError(rc));

    // Some containers leave the channel order open; take the usual layout for
    // that many channels.
    AVChannelLayout inputLayout{};
    if (codec->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_default(&inputLayout, codec->ch_layout.nb_channels);
    else
        av_channel_layout_copy(&inputLayout, &codec->ch_layout);
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    SwrContext* made = nullptr;
    rc = swr_alloc_set_opts2(&made, &stereo, AV_SAMPLE_FMT_S16, platform::PcmStream::kSampleRate,
                             &inputLayout, codec->sample_fmt, codec->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&inputLayout);
    if (rc < 0) fail(path, ffmpegError(rc));
    resampler.reset(made);
    rc = swr_init(resampler.get());
    if (rc < 0) fail(path, ffmpegError(rc));

    packet.reset(av_packet_alloc());
    frame.reset(av_frame_alloc());
    if (!packet || !frame) fail(path, "out of memory");
}

int64_t AudioFileStream::Decoder::durationFrames() const {
    const int rate = platform::PcmStream::kSampleRate;
    if (format->duration != AV_NOPTS_VALUE && format->duration > 0)
        return av_rescale(format->duration, rate, AV_TIME_BASE);
    const AVStream* stream = format->streams[streamIndex];
    if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0)
        return av_rescale_q(stream->duration, stream->time_base, AVRational{1, rate});
    return 0;
}

bool AudioFileStream::Decoder::refill() {
    if (pendingOffset == pending.size()) {
        pending.clear();
        pendingOffset = 0;
    }
    while (pendingFrames() == 0) {
        if (finished) return false;
        const int rc = avcodec_receive_frame(codec.get(), frame.get());
        if (rc == 0) {
            convert(const_cast<const uint8_t**>(frame->extended_data), frame->nb_samples);
            av_frame_unref(frame.get());
        } else if (rc == AVERROR_EOF || inputDone) {
            // The resampler still holds the tail of the last frame.
            convert(nullptr, 0);
            finished = true;
        } else {
            feed();
        }
    }
    return true;
}

void AudioFileStream::Decoder::feed() {
    for (;;) {
        const int rc = av_read_frame(format.get(), packet.get());
        if (rc < 0) {
            // End of the file, or a read error: play out what is decoded.
            avcodec_send_packet(codec.get(), nullptr);
            inputDone = true;
            return;
        }
        const bool ours = packet->stream_index == streamIndex;
        // A damaged packet is skipped; the music goes on with the next one.
        const bool accepted = ours && avcodec_send_packet(codec.get(), packet.get()) == 0;
        av_packet_unref(packet.get());
        if (accepted) return;
    }
}

void AudioFileStream::Decoder::convert(const uint8_t** input, int inputFrames) {
    const int room = swr_get_out_samples(resampler.get(), inputFrames);
    if (room <= 0) return;
    const size_t used = pending.size();
    pending.resize(used + static_cast<size_t>(room) * kOutputChannels);
    uint8_t* output = reinterpret_cast<uint8_t*>(pending.data() + used);
    const int converted = swr_convert(resampler.get(), &output, room, input, inputFrames);
    pending.resize(used + static_cast<size_t>(std::max(converted, 0)) * kOutputChannels);
}

void AudioFileStream::Decoder::seekToStart() {
    const int rc = avformat_seek_file(format.get(), -1, INT64_MIN, 0, 0, AVSEEK_FLAG_BACKWARD);
    if (rc < 0) fail(path, "cannot go back to its start (" + ffmpegError(rc) + ")");
    avcodec_flush_buffers(codec.get());
    // Re-initialising drops the samples the resampler still buffers.
    swr_close(resampler.get());
    const int init = swr_init(resampler.get());
    if (init < 0) fail(path, ffmpegError(init));
    pending.clear();
    pendingOffset = 0;
    inputDone = false;
    finished = false;
}

AudioFileStream::AudioFileStream(const std::string& path)
    : decoder_(std::make_unique<Decoder>(path)) {
    // Decode the first samples now, so that a file whose container opens but
    // whose audio cannot be decoded fails here and not silently in playback.
    if (!decoder_->refill()) fail(path, "it holds no audio that can be decoded");
    estimatedLength_ = decoder_->durationFrames();
}

AudioFileStream::~AudioFileStream() = default;

size_t AudioFileStream::read(int16_t* interleaved, size_t frames) {
    std::lock_guard lock(mutex_);
    size_t delivered = 0;
    while (delivered < frames) {
        if (decoder_->pendingFrames() == 0 && !decoder_->refill()) {
            atEnd_ = true;
            break;
        }
        const size_t take = std::min(frames - delivered, decoder_->pendingFrames());
        std::memcpy(interleaved + delivered * kOutputChannels,
                    decoder_->pending.data() + decoder_->pendingOffset,
                    take * kOutputChannels * sizeof(int16_t));
        decoder_->pendingOffset += take * kOutputChannels;
        delivered += take;
    }
    position_ += static_cast<int64_t>(delivered);
    return delivered;
}

int64_t AudioFileStream::length() const {
    const int64_t delivered = position_.load();
    if (atEnd_.load()) return delivered;
    return std::max(estimatedLength_, delivered + 1);
}

void AudioFileStream::rewind() {
    std::lock_guard lock(mutex_);
    decoder_->seekToStart();
    position_ = 0;
    atEnd_ = false;
}

}  // namespace music
