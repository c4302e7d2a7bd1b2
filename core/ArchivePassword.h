#pragma once

#include <string_view>

namespace core {

// The level archive's password: the game unpacks level.zip with it and the
// asset build encrypts level.zip with it. Eight lower-case letters and digits.
inline constexpr std::string_view kLevelArchivePassword = "q7vd2mkx";

}  // namespace core
