#pragma once

#include <vector>

#include "core/Bitmap.h"
#include "tools/assetgen/pictures/PictureList.h"

namespace assetgen {

// A review sheet: every picture of the list enlarged, in list order, left to
// right and top to bottom, each in a thin frame on a grey checkerboard. The
// see-through pixels of transparent pictures show the checkerboard, so black
// that is drawn and black that is a hole can be told apart.
core::Bitmap previewSheet(const std::vector<ListedPicture>& list);

}  // namespace assetgen
