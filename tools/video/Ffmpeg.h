#pragma once

// The FFmpeg objects the encoder's parts hold, each freed by its own function
// when its holder goes (so an exception half-way through leaks nothing), and
// FFmpeg's error codes turned into exceptions that carry FFmpeg's own words.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/cpu.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

namespace video {

template <typename T, void (*Free)(T**)>
struct FreeByAddress {
    void operator()(T* object) const { Free(&object); }
};
template <typename T, void (*Free)(T*)>
struct FreeByValue {
    void operator()(T* object) const { Free(object); }
};

using CodecContextPtr =
    std::unique_ptr<AVCodecContext, FreeByAddress<AVCodecContext, avcodec_free_context>>;
using FramePtr = std::unique_ptr<AVFrame, FreeByAddress<AVFrame, av_frame_free>>;
using PacketPtr = std::unique_ptr<AVPacket, FreeByAddress<AVPacket, av_packet_free>>;
using ResamplerPtr = std::unique_ptr<SwrContext, FreeByAddress<SwrContext, swr_free>>;
using ScalerPtr = std::unique_ptr<SwsContext, FreeByValue<SwsContext, sws_freeContext>>;
using AudioFifoPtr = std::unique_ptr<AVAudioFifo, FreeByValue<AVAudioFifo, av_audio_fifo_free>>;

// Settings by name, as FFmpeg's encoders and muxers take their own options.
using Options = std::initializer_list<std::pair<const char*, const char*>>;

// FFmpeg's words for an error code, such as "No space left on device".
std::string ErrorText(int code);

// Returns `code` when it reports success (0 or more); otherwise throws
// std::runtime_error "WHAT: FFmpeg's words".
int Check(int code, const std::string& what);

FramePtr NewFrame();
PacketPtr NewPacket();

// Options handed to an FFmpeg call that takes an AVDictionary. FFmpeg leaves
// the ones nobody knew in it: refuseLeftovers() reports those, so that a
// misspelt setting fails instead of silently doing nothing.
class OptionDictionary {
  public:
    explicit OptionDictionary(Options options);
    ~OptionDictionary();
    OptionDictionary(const OptionDictionary&) = delete;
    OptionDictionary& operator=(const OptionDictionary&) = delete;

    AVDictionary** get() { return &dictionary_; }
    void refuseLeftovers(const std::string& owner) const;

  private:
    AVDictionary* dictionary_ = nullptr;
};

}  // namespace video
