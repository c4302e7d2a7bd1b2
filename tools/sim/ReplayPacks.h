#pragma once

#include <string>
#include <vector>

#include "Script.h"
#include "app/flow/PackChoice.h"

namespace sim {

// The mission packs a run offers the game. A recording names those the
// recorded game was offered (`pack` lines before `start`); each is found by
// its digest among the --pack packs and the packs folder, in the recorded
// order, so that the title's choice goes through the same packs. A recorded
// pack not found, or a --pack the recording does not name, is a script
// error: the replay would be of another game. Without `pack` lines the first
// --pack is the given pack, the others and the packs folder's are installed.
app::PackChoices ReplayPacks(const std::vector<Command>& packLines,
                             const std::vector<std::string>& packOptions,
                             const std::string& packsFolder);

}  // namespace sim
