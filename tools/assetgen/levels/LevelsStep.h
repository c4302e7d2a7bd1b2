#pragma once

#include <string>
#include <vector>

namespace assetgen {

// The levels step: draws the twelve pictures of the level archive from their
// sources, packs them into an encrypted level.zip and validates the archive
// as the game will read it; a picture that fails validation fails the step
// and leaves no level.zip behind.
//
//   levels --sources DIR --out DIR [--preview DIR]
//       build DIR/level.zip from the *.level files in the sources folder
//   levels --check --sources DIR --out DIR [--preview DIR]
//       only validate the existing DIR/level.zip against the sources
//
// --preview writes a PNG per picture with the validator's findings drawn in.
// Returns 0 on success, 1 when validation fails, 2 for bad options.
int runLevels(const std::vector<std::string>& options);

}  // namespace assetgen
