#pragma once

#include <string>

namespace app {

// The folder that receives the unpacked level pictures and the score file,
// ending in '/':
//  - TARNWICK_DATA_DIR when set (created if missing); when it cannot be
//    used, `overrideProblem` says why and the choice goes on below;
//  - else the program folder, when a file can be created there;
//  - else $XDG_DATA_HOME/tarnwick/ (by default $HOME/.local/share/tarnwick/),
//    created with its parents.
// An installed game thus works for every user, and a copy unpacked anywhere
// keeps its files beside the program. Throws std::runtime_error naming the
// folders tried when none can be used.
std::string chooseDataFolder(const std::string& programFolder, std::string& overrideProblem);

// Where the player installs mission packs, ending in '/': packs/ under
// TARNWICK_DATA_DIR when set (so that tests never see a player's own), else
// under $XDG_DATA_HOME/tarnwick/ (by default ~/.local/share/tarnwick/), never
// the program folder. Empty when no home folder is known. Nothing is created.
std::string packsFolder();

}  // namespace app
