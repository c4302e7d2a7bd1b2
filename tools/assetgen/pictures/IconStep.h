#pragma once

#include <string>
#include <vector>

namespace assetgen {

// The icon step: reads the desktop icon's pixel art, in which FF00FF is
// see-through, and writes it enlarged by whole factors as transparent PNG
// files DIR/48x48.png, DIR/64x64.png, DIR/128x128.png and DIR/256x256.png,
// the sizes desktops look for in the icon theme.
// Options: --source FILE --out DIR (both required).
// Returns the process exit code; throws std::exception on failure.
int runIcon(const std::vector<std::string>& options);

}  // namespace assetgen
