#pragma once

#include <string>
#include <vector>

namespace assetgen {

// Makes every sound of the game from the sources in assets/sounds:
//   --sources DIR  the sources (sounds.list names the rest)
//   --cpp FILE     the C++ source with the two stored sound lists
//   --out DIR      the program folder: the engine loop and the music file
// Returns 0 when everything was written; errors are thrown.
int runSounds(const std::vector<std::string>& options);

}  // namespace assetgen
