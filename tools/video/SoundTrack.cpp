#include "SoundTrack.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <string>

namespace video {

namespace {

constexpr int kBitRate = 128000;

EncodedStream OpenSoundEncoder(OutputFile& file, VideoFormat format) {
    const auto configure = [](int sampleRate, AVSampleFormat sampleFormat) {
        return [=](AVCodecContext& encoder) {
            encoder.sample_rate = sampleRate;
            encoder.sample_fmt = sampleFormat;
            encoder.ch_layout = AV_CHANNEL_LAYOUT_STEREO;
            encoder.time_base = AVRational{1, sampleRate};
            encoder.bit_rate = kBitRate;
        };
    };
    switch (format) {
        case VideoFormat::WebM:
            return EncodedStream(file, "libopus", configure(48000, AV_SAMPLE_FMT_FLT), {});
        case VideoFormat::Mp4:
            return EncodedStream(file, "aac",
                                 configure(VideoEncoder::kSampleRate, AV_SAMPLE_FMT_FLTP), {});
    }
    throw std::logic_error("unknown video format");
}

}  // namespace

SoundTrack::SoundTrack(OutputFile& file, VideoFormat format)
    : stream_(OpenSoundEncoder(file, format)) {
    const AVCodecContext& encoder = stream_.encoder();
    // Both stereo; swr_alloc_set_opts2 takes the layouts as writable.
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    SwrContext* resampler = nullptr;
    Check(swr_alloc_set_opts2(&resampler, &stereo, encoder.sample_fmt, encoder.sample_rate, &stereo,
                              AV_SAMPLE_FMT_S16, VideoEncoder::kSampleRate, 0, nullptr),
          "setting up the sound converter");
    resampler_.reset(resampler);
    Check(swr_init(resampler_.get()), "setting up the sound converter");

    waiting_.reset(
        av_audio_fifo_alloc(encoder.sample_fmt, encoder.ch_layout.nb_channels, encoder.frame_size));
    if (!waiting_) throw std::bad_alloc();

    frame_->format = encoder.sample_fmt;
    frame_->sample_rate = encoder.sample_rate;
    frame_->nb_samples = encoder.frame_size;
    Check(av_channel_layout_copy(&frame_->ch_layout, &encoder.ch_layout),
          "setting up the sound frames");
    Check(av_frame_get_buffer(frame_.get(), 0), "setting up the sound frames");
}

void SoundTrack::add(std::span<const int16_t> interleavedStereo) {
    if (interleavedStereo.size() % 2 != 0)
        throw std::runtime_error("the sound must come in whole stereo frames, not " +
                                 std::to_string(interleavedStereo.size()) + " values");
    const uint8_t* input[] = {reinterpret_cast<const uint8_t*>(interleavedStereo.data())};
    convert(input, static_cast<int>(interleavedStereo.size() / 2));
    encodeFrames(false);
}

void SoundTrack::finish() {
    // The resampler's filter still holds the last few samples.
    convert(nullptr, 0);
    encodeFrames(true);
    stream_.encode(nullptr);
}

void SoundTrack::convert(const uint8_t** input, int frames) {
    const int room = Check(swr_get_out_samples(resampler_.get(), frames), "converting the sound");
    if (room == 0) return;
    if (converted_->nb_samples < room) {
        av_frame_unref(converted_.get());
        const AVCodecContext& encoder = stream_.encoder();
        converted_->format = encoder.sample_fmt;
        converted_->nb_samples = room;
        Check(av_channel_layout_copy(&converted_->ch_layout, &encoder.ch_layout),
              "converting the sound");
        Check(av_frame_get_buffer(converted_.get(), 0), "converting the sound");
    }
    const int made = Check(swr_convert(resampler_.get(), converted_->data, room, input, frames),
                           "converting the sound");
    if (av_audio_fifo_write(waiting_.get(), reinterpret_cast<void**>(converted_->data), made) <
        made)
        throw std::bad_alloc();
}

void SoundTrack::encodeFrames(bool includingPartial) {
    const int frameSize = stream_.encoder().frame_size;
    for (int left = av_audio_fifo_size(waiting_.get());
         left >= frameSize || (includingPartial && left > 0);
         left = av_audio_fifo_size(waiting_.get())) {
        // Made writable at its full size: a copy would only get the size it has.
        frame_->nb_samples = frameSize;
        Check(av_frame_make_writable(frame_.get()), "encoding the sound");
        // Both encoders take a short last frame and pad it themselves, so the
        // file says where the sound really ends.
        frame_->nb_samples = std::min(left, frameSize);
        av_audio_fifo_read(waiting_.get(), reinterpret_cast<void**>(frame_->data),
                           frame_->nb_samples);
        frame_->pts = nextSample_;
        nextSample_ += frame_->nb_samples;
        stream_.encode(frame_.get());
    }
}

}  // namespace video
