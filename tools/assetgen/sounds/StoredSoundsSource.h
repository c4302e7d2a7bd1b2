#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen::sounds {

struct StoredItem {
    std::string displayName;
    std::vector<uint8_t> wave;  // a complete WAVE file
};

// The C++ source that defines assets::storedSoundsList1() and
// storedSoundsList2() (assets/StoredSounds.h) over these two lists.
std::string storedSoundsSource(const std::vector<StoredItem>& list1,
                               const std::vector<StoredItem>& list2);

}  // namespace assetgen::sounds
