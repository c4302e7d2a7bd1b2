#pragma once

#include <string>
#include <vector>

namespace app::packs {

// The packs in `folder`, sorted by name: every ".tarnwick" file and every
// folder that holds a pack.toml. Nothing when the folder does not exist.
std::vector<std::string> InstalledPacks(const std::string& folder);

}  // namespace app::packs
