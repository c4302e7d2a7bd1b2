// Feeds arbitrary bytes to the reader of the stored picture form, and checks
// that the picture holds the size and the pixels the data gave.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "dib/cDIBImageList.h"

// The stored bytes of a pixel are blue, green, red, alpha: on a little-endian
// machine that is the pixel word's memory, so whole rows compare as bytes.
static_assert(std::endian::native == std::endian::little);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    dib::TMemoryDIB picture;
    try {
        dib::ReadData(picture, {data, size});
    } catch (const dib::EDIBError&) {
        return 0;
    }
    if (size == 0) {
        if (picture.HasPixels()) std::abort();  // empty data leaves the picture as it was
        return 0;
    }
    // A side of 0 is read as 1. The pixels the data holds arrive unchanged,
    // the ones it does not reach are zero.
    const int width = std::max(data[0] | data[1] << 8, 1);
    const int height = std::max(data[2] | data[3] << 8, 1);
    if (picture.Width() != width || picture.Height() != height) std::abort();
    const size_t pixelBytes = size_t{4} * static_cast<size_t>(width) * static_cast<size_t>(height);
    const size_t held = std::min(pixelBytes, size - 4);
    const auto* pixels = reinterpret_cast<const uint8_t*>(picture.StoredRow(0));
    if (std::memcmp(pixels, data + 4, held) != 0) std::abort();
    // Compared a block at a time: a per-byte loop over a picture of 8192 x
    // 8192 outlasts the fuzzer's time limit.
    static const uint8_t zeros[64 * 1024] = {};
    for (size_t at = held; at < pixelBytes; at += sizeof zeros)
        if (std::memcmp(pixels + at, zeros, std::min(sizeof zeros, pixelBytes - at)) != 0)
            std::abort();
    return 0;
}
