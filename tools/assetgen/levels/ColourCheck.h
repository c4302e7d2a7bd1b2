#pragma once

#include "core/Bitmap.h"
#include "levels/Findings.h"
#include "levels/LevelSource.h"
#include "levels/Terrain.h"

namespace assetgen::levels {

// A backdrop lies under red and lime text: it must stay this dark. Nearly
// every pixel's brightness (Rec. 601 luma, 0..255) is at most the typical
// bound; none exceeds the peak bound, well under the red text's own 76.
inline constexpr int kBackdropTypicalLuma = 48;
inline constexpr int kBackdropPeakLuma = 72;

// Holds the decoded picture to the source's intent. For a world to fly in:
// every rock pixel passes the game's rock test, no open pixel does, and open
// space more than 8 px (in x and y) from any rock, where no JPEG block can
// hold rock, is exactly black. For a backdrop: its darkness.
void checkColours(const LevelSource& source, const TerrainMap& terrain, const core::Bitmap& decoded,
                  Findings& findings);

// JPEG decoders differ by a step or two in the colours they give: a painted
// cave saved as JPEG (a mission pack's, with no source to hold it to) keeps
// every pixel's blue more than this far from the rock test's bounds, 17 and
// 135, so that every decoder sees the same rock.
inline constexpr int kJpegBlueMargin = 2;

// The colours of a painted cave: how much of it is rock, and for a JPEG the
// pixels whose blue lies within kJpegBlueMargin of where rock begins or ends.
void checkPaintedColours(const core::Bitmap& decoded, bool jpeg, Findings& findings);

}  // namespace assetgen::levels
