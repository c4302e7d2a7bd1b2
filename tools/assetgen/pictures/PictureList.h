#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/Bitmap.h"
#include "core/Colors.h"

namespace assetgen {

// One entry of the stored image list with its drawing properties and its
// finished picture (top-down, as seen on screen).
struct ListedPicture {
    std::string name;
    bool transparent = false;
    bool fixedMode = false;  // tmFixed; otherwise tmAuto
    core::CanvasColor key;
    core::Bitmap picture;
};

// Draws the nine pictures of the image list, in list order, reading the
// pixel-art files from the sources folder. Throws std::runtime_error when a
// source is missing, malformed, or not the size the list expects.
std::vector<ListedPicture> drawPictureList(const std::filesystem::path& sources);

}  // namespace assetgen
