#pragma once

#include <string>

namespace pack {

// `tarnwick-pack build DIR OUT`: the pack folder DIR written as the pack file
// OUT. Every cave given as a `source` in the cave language is drawn into a
// PNG picture beside it (caves/a.level becomes caves/a.png), every cave
// given as a picture is taken as it is, and the written pack is read back as
// the game reads it, so that build never leaves a pack the game refuses.
// Throws std::runtime_error (a PackError, a source or picture error) with
// the reason.
void Build(const std::string& folder, const std::string& out);

}  // namespace pack
