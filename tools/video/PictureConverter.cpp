#include "PictureConverter.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

namespace video {

namespace {

// The game's pictures are sRGB, which shares BT.709's primaries; and the
// encoded sizes are mostly HD ones, for which players that ignore the tags
// guess BT.709 too. Limited range is what every player expects of 8-bit video.
constexpr int kSwsMatrix = SWS_CS_ITU709;
constexpr AVColorSpace kMatrix = AVCOL_SPC_BT709;
constexpr AVColorRange kRange = AVCOL_RANGE_MPEG;

// 4:2:0 keeps one colour sample for each 2 x 2 block. From an enlarged
// picture (scale 2 and 4) every block is one game pixel, so averaging the
// block keeps its colour exactly; at scale 1 and 3 the average is the fairest
// colour a block of different pixels can have.
constexpr int kScalerFlags = SWS_AREA;

// Far beyond any window of the game: keeps a wrong size from asking for
// gigabytes for the enlarged picture.
constexpr int kLargestSide = 16384;

int Even(int size) {
    return size + size % 2;
}

}  // namespace

PictureConverter::PictureConverter(int width, int height, int scale)
    : width_(width), height_(height), scale_(scale) {
    if (scale < 1 || scale > 4)
        throw std::runtime_error("the scale must be 1 to 4, not " + std::to_string(scale));
    if (width <= 0 || height <= 0 || width > kLargestSide / scale || height > kLargestSide / scale)
        throw std::runtime_error("cannot make a video of " + std::to_string(width) + " x " +
                                 std::to_string(height) + " pictures at scale " +
                                 std::to_string(scale));
    outputWidth_ = Even(width * scale);
    outputHeight_ = Even(height * scale);
    enlarged_.assign(static_cast<size_t>(outputWidth_) * static_cast<size_t>(outputHeight_), 0);
    scaler_.reset(sws_getContext(outputWidth_, outputHeight_, AV_PIX_FMT_0RGB32, outputWidth_,
                                 outputHeight_, AV_PIX_FMT_YUV420P, kScalerFlags, nullptr, nullptr,
                                 nullptr));
    if (!scaler_) throw std::runtime_error("the picture converter cannot be set up");
    const int* coefficients = sws_getCoefficients(kSwsMatrix);
    if (sws_setColorspaceDetails(scaler_.get(), coefficients, 1, coefficients,
                                 kRange == AVCOL_RANGE_JPEG, 0, 1 << 16, 1 << 16) < 0)
        throw std::runtime_error("the picture converter cannot use the colour matrix");
}

void PictureConverter::convert(const core::Bitmap& picture, AVFrame& frame) {
    if (picture.width() != width_ || picture.height() != height_)
        throw std::runtime_error("a picture of " + std::to_string(picture.width()) + " x " +
                                 std::to_string(picture.height()) + " came for a video of " +
                                 std::to_string(width_) + " x " + std::to_string(height_));
    enlarge(picture);
    const uint8_t* source[] = {reinterpret_cast<const uint8_t*>(enlarged_.data())};
    const int sourceStride[] = {outputWidth_ * 4};
    sws_scale(scaler_.get(), source, sourceStride, 0, outputHeight_, frame.data, frame.linesize);
}

void PictureConverter::enlarge(const core::Bitmap& picture) {
    const size_t rowBytes =
        static_cast<size_t>(width_) * static_cast<size_t>(scale_) * sizeof(uint32_t);
    for (int y = 0; y < height_; ++y) {
        uint32_t* out =
            enlarged_.data() + static_cast<size_t>(y) * static_cast<size_t>(scale_) * outputWidth_;
        const uint32_t* in = picture.row(y);
        for (int x = 0; x < width_; ++x) std::fill_n(out + x * scale_, scale_, in[x]);
        for (int copy = 1; copy < scale_; ++copy)
            std::memcpy(out + static_cast<size_t>(copy) * outputWidth_, out, rowBytes);
    }
}

void DescribeColours(AVCodecContext& encoder) {
    encoder.colorspace = kMatrix;
    encoder.color_range = kRange;
    encoder.color_primaries = AVCOL_PRI_BT709;
    encoder.color_trc = AVCOL_TRC_BT709;
}

}  // namespace video
