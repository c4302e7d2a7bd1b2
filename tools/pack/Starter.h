#pragma once

#include <string>

namespace pack {

// `tarnwick-pack new DIR`: a new pack folder, ready to fly and to edit: a
// commented pack.toml of one mission, its cave as a picture (cave.png) and
// as the cave-language source it was drawn from (cave.level). Refuses a
// folder that already holds files. Throws std::runtime_error.
void New(const std::string& folder);

}  // namespace pack
