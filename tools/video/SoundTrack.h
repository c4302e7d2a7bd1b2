#pragma once

#include <cstdint>
#include <span>

#include "EncodedStream.h"
#include "VideoEncoder.h"

namespace video {

// The sound stream: the game's 44.1 kHz signed 16-bit stereo, converted to
// what the format's encoder takes (and resampled for Opus, which runs at
// 48 kHz only), cut into the encoder's frames, timed from 0 like the pictures.
class SoundTrack {
  public:
    SoundTrack(OutputFile& file, VideoFormat format);

    // Interleaved stereo, left then right; an odd count is refused.
    void add(std::span<const int16_t> interleavedStereo);
    // Encodes what the resampler and the last partial frame still hold.
    void finish();

  private:
    void convert(const uint8_t** input, int frames);
    void encodeFrames(bool includingPartial);

    EncodedStream stream_;
    ResamplerPtr resampler_;
    // Converted sound waiting to fill an encoder frame.
    AudioFifoPtr waiting_;
    // What the resampler gives out; grows to the longest stretch seen.
    FramePtr converted_ = NewFrame();
    FramePtr frame_ = NewFrame();
    int64_t nextSample_ = 0;
};

}  // namespace video
