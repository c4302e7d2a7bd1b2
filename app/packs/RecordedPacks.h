#pragma once

#include <optional>
#include <string>
#include <vector>

namespace app::packs {

// How a recording names the packs the game was offered, so that its replay
// offers the very same ones in the same order: one line each before `start`,
//   pack given DIGEST PATH       the pack of the command line, as it was given
//   pack installed DIGEST NAME   a pack of the packs folder, by its file name
// DIGEST is PackDigest's, or "-" for a pack that could not be read.
struct RecordedPack {
    bool given = false;
    std::string digest;
    std::string name;
};

std::string RecordedPackLine(const RecordedPack& pack);
// The pack a `pack` line's arguments (after the word) name; nothing when they
// are not in the form above.
std::optional<RecordedPack> ParseRecordedPack(const std::string& arguments);
// The lines for the packs a game is offered: `given` and the `installed`
// ones, in that order. Reads (and digests) every pack.
std::vector<std::string> RecordedPackLines(const std::optional<std::string>& given,
                                           const std::vector<std::string>& installed);

}  // namespace app::packs
