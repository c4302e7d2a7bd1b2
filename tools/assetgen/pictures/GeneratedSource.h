#pragma once

#include <string>
#include <vector>

#include "tools/assetgen/pictures/PictureList.h"

namespace assetgen {

// The C++ source that defines assets::storedPictures() with every picture's
// bytes in the stored layout.
std::string generatedPicturesSource(const std::vector<ListedPicture>& list);

}  // namespace assetgen
