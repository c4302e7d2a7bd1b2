#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// The sound effects the program carries inside itself, made by the asset
// build: complete RIFF/WAVE files.
namespace assets {

struct StoredSound {
    std::string_view DisplayName;
    std::span<const uint8_t> Wave;  // the whole WAVE file, starting with "RIFF"
};

// The items of the two sound lists, in list order.
std::span<const StoredSound> storedSoundsList1();
std::span<const StoredSound> storedSoundsList2();

}  // namespace assets
