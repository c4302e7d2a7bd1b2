#pragma once

#include <string>
#include <string_view>

// Text is kept as UTF-8 throughout the game; these convert to and from code
// points where a piece of code works character by character.
namespace core {

std::string ToUtf8(std::u32string_view text);
// Malformed bytes are skipped.
std::u32string FromUtf8(std::string_view text);

}  // namespace core
