#pragma once

#include <filesystem>
#include <string>

#include "core/Bitmap.h"

namespace assetgen {

// Reads a pixel-art text: comment lines start with '#'; a palette of lines
//     colour <character> <RRGGBB> [description]
// then a line "pixels" followed by one line per pixel row, top row first,
// one palette character per pixel. The result is a top-down Bitmap.
// Throws std::runtime_error naming the file and line of any mistake.
core::Bitmap parsePixelArt(const std::string& text, const std::string& fileName);
core::Bitmap loadPixelArt(const std::filesystem::path& path);

}  // namespace assetgen
