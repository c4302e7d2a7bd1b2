#pragma once

#include <string>

#include "core/Bitmap.h"

namespace platform {

// Writes the picture as a PNG file (opaque; the alpha bytes are ignored).
// Throws std::runtime_error when the file cannot be written.
void savePng(const core::Bitmap& picture, const std::string& path);

}  // namespace platform
