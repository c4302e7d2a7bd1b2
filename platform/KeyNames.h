#pragma once

#include <optional>
#include <string>

namespace platform {

// The names scripts and recordings give keys: "space", "left", "ctrl" ...,
// a letter or digit for itself ("a", "7"), and "vk" with the number for a
// key without a name ("vk112").
std::string keyName(int key);
// The key a name stands for; nothing for an unknown name.
std::optional<int> keyFromName(const std::string& name);

}  // namespace platform
