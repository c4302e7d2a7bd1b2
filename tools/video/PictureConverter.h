#pragma once

#include <cstdint>
#include <vector>

#include "Ffmpeg.h"
#include "core/Bitmap.h"

namespace video {

// Turns the game's pictures into the encoders' YUV 4:2:0: enlarged by a whole
// factor with sharp pixels (each pixel a square of scale x scale), padded with
// black on the right and at the bottom to the even size 4:2:0 needs, and
// converted with the colour matrix DescribeColours() tags the stream with.
class PictureConverter {
  public:
    // Throws std::runtime_error for sizes it cannot make a video of.
    PictureConverter(int width, int height, int scale);

    int outputWidth() const { return outputWidth_; }
    int outputHeight() const { return outputHeight_; }

    // Writes `picture` into `frame`, a writable YUV420P frame of the output
    // size. Throws std::runtime_error when the picture's size is not the one
    // given at construction.
    void convert(const core::Bitmap& picture, AVFrame& frame);

  private:
    void enlarge(const core::Bitmap& picture);

    int width_;
    int height_;
    int scale_;
    int outputWidth_;
    int outputHeight_;
    // The enlarged picture, 0RGB words; its padding stays black.
    std::vector<uint32_t> enlarged_;
    ScalerPtr scaler_;
};

// Tells the encoder which colour matrix and range the conversion used, so
// that players turn the video back into the game's colours the same way.
void DescribeColours(AVCodecContext& encoder);

}  // namespace video
