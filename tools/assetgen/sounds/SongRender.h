#pragma once

#include <vector>

#include "sounds/Song.h"

namespace assetgen::sounds {

// The whole piece as interleaved stereo at the song's rate, exactly as long
// as its patterns, with its loudest sample at the song's peak. What still
// rings at the end is laid over the start, so that the piece repeats
// without a seam.
std::vector<double> renderSong(const Song& song);

}  // namespace assetgen::sounds
