#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "app/PictureFile.h"

// The decoders behind PictureFile.h, one file a format. Each names the
// picture by `name` in its errors (PictureError).
namespace app {

[[noreturn]] void FailPicture(const std::string& name, const std::string& reason);
// Throws when either side is beyond kMaxPictureSide.
void CheckPictureSize(PictureSize size, const std::string& name);

PictureSize JpegSize(std::span<const uint8_t> bytes, const std::string& name);
core::Bitmap DecodeJpeg(std::span<const uint8_t> bytes, const std::string& name);
PictureSize PngSize(std::span<const uint8_t> bytes, const std::string& name);
core::Bitmap DecodePng(std::span<const uint8_t> bytes, const std::string& name);

}  // namespace app
