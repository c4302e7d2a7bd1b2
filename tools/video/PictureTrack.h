#pragma once

#include <cstdint>

#include "EncodedStream.h"
#include "PictureConverter.h"
#include "VideoEncoder.h"

namespace video {

// The video stream: one picture for every 1/60 s slot, at a constant frame
// rate, frame i at time i/60 s.
class PictureTrack {
  public:
    PictureTrack(OutputFile& file, VideoFormat format, int width, int height, int scale);

    int width() const { return converter_.outputWidth(); }
    int height() const { return converter_.outputHeight(); }

    void add(const core::Bitmap& picture);
    // Encodes the frame converted last once more, without converting again.
    void repeat();
    void finish();

  private:
    void encodeNextSlot();

    PictureConverter converter_;
    EncodedStream stream_;
    FramePtr frame_ = NewFrame();
    bool holdsPicture_ = false;
    int64_t nextSlot_ = 0;
};

}  // namespace video
