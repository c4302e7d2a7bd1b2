#pragma once

#include <string>
#include <vector>

namespace assetgen {

// The pictures step: draws the nine sprite pictures from the artwork in the
// sources folder, writes them as a C++ source holding the stored image list,
// and writes an enlarged preview sheet for people to look at.
// Options: --sources DIR --cpp FILE --preview FILE (all three required).
// Returns the process exit code; throws std::exception on failure.
int runPictures(const std::vector<std::string>& options);

}  // namespace assetgen
