#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Briefing.h"
#include "core/MissionTable.h"

namespace app::packs {

// A pack holds 1 to this many missions.
inline constexpr int kMaxPackMissions = 30;
// Every cave picture is exactly this many pixels a side, as the world is.
inline constexpr int kPackWorldSize = 1280;

// One mission of a pack: a row of the mission table with the pack's own
// values (`number` is the mission's place in the pack, from 1; `picture` is
// unused, the cave comes from the file named here), and its briefing words.
struct PackMission {
    core::MissionRow row;
    core::BriefingWords briefing;
    // The cave: a PNG or JPEG picture in the pack, or a source in the cave
    // language that `tarnwick-pack build` draws into one. Exactly one is set.
    std::string picture;
    std::string source;
    long line = 0;  // where the mission begins in pack.toml
};

// What pack.toml says: the pack's name, author and version, and its missions.
struct PackManifest {
    std::string name;
    std::string author;
    std::string version;
    std::vector<PackMission> missions;
};

// Reads pack.toml and checks every value against what the game can fly:
// gravity from -0.5 to 0.8 (the engine lifts at most 1.0 a tick), every
// sprite inside the world, a beam of 17 to 1280 pixels, texts that fit the
// title and the briefing box, file names inside the pack, and no key the
// game does not know (a misspelt key would otherwise be silently ignored).
// Throws PackError naming `packName` and the line at fault.
PackManifest ParseManifest(std::string_view text, const std::string& packName);

// pack.toml as a built pack holds it: each mission's `source = "FILE"`
// replaced by `picture = pictureOf(FILE)`, every other value kept (the
// maker's comments are not). `text` must pass ParseManifest.
std::string BuiltManifest(std::string_view text, const std::string& packName,
                          const std::function<std::string(const std::string&)>& pictureOf);

}  // namespace app::packs
