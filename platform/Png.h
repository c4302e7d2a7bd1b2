#pragma once

#include <string>

#include "core/Bitmap.h"

namespace platform {

// Writes the picture as a PNG file (opaque; the alpha bytes are ignored).
// Throws std::runtime_error when the file cannot be written.
void savePng(const core::Bitmap& picture, const std::string& path);

// Writes the picture as a PNG file with an alpha channel taken from the alpha
// bytes (0 see-through, 255 opaque), for pictures shown outside the game such
// as the desktop icon. Throws std::runtime_error when the file cannot be written.
void saveTransparentPng(const core::Bitmap& picture, const std::string& path);

}  // namespace platform
