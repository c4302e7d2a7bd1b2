#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/Bitmap.h"

namespace app {

// A picture file that cannot be loaded; the text names the file and the reason.
class PictureError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Neither side of a loaded picture may exceed this: a damaged or hostile
// header could otherwise ask for gigabytes before a single pixel is read.
inline constexpr int kMaxPictureSide = 8192;

// Loads a picture file into a new bitmap of exactly the picture's size, pixels
// as 0x00RRGGBB (the alpha byte stays 0, as the effect buffer expects). The
// format follows the file name's extension; the game only ships JPEG files
// (".jpg" or ".jpeg" in any case). Greyscale pictures load as grey RGB.
// Throws PictureError for a missing or unreadable file, an unknown extension,
// a damaged or truncated file, and a picture larger than kMaxPictureSide.
core::Bitmap LoadPictureFile(const std::string& path);

struct PictureSize {
    int width = 0;
    int height = 0;
    bool operator==(const PictureSize&) const = default;
};

// A picture held in memory, as a mission pack holds its caves: JPEG or PNG,
// told by the extension of `name`, which the errors name. ReadPictureSize
// reads only the header; DecodePicture decodes as LoadPictureFile does, a
// PNG's transparent parts on black. Both throw PictureError.
PictureSize ReadPictureSize(std::span<const uint8_t> bytes, const std::string& name);
core::Bitmap DecodePicture(std::span<const uint8_t> bytes, const std::string& name);

// The picture as an 8-bit RGB PNG, which keeps every colour exactly (a cave
// drawn for a pack loses nothing of its rock's colour margin). Throws
// PictureError, naming `name`, when libpng cannot write it.
std::vector<uint8_t> EncodePng(const core::Bitmap& picture, const std::string& name);

}  // namespace app
