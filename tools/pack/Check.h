#pragma once

#include <string>

namespace pack {

// `tarnwick-pack check PACK [--preview DIR]`: reads the pack as the game
// does, then checks each mission's cave with the level checks the game's own
// caves pass: its colours (for a JPEG, the margin its blur needs), open space
// at every mission point, the delivery box and the exit square, the beam
// band, and whether the ship reaches the cargo, tows it into the collector
// and reaches the exit, with the shortest and the longest tow line. Where the
// mission's briefing says bombs are used (its bombs word is anything but
// "No"), rock thinner than a few bombs open counts as passable. Prints each
// mission's findings with their world coordinates; with a preview folder it
// writes each cave there with the rock the game sees tinted and every point,
// box and beam drawn over it. Returns 0 when every mission passes.
int Check(const std::string& pack, const std::string& previewFolder);

}  // namespace pack
