#pragma once

#include <string>

namespace app {

// Where the game finds its files. Shipped files (level.zip, engine1.wav, the
// music) are read from the program folder; what start-up unpacks goes to the
// data folder, which is the program folder whenever that is writable.
struct ProgramPaths {
    std::string programFolder;  // ends in '/'
    std::string dataFolder;     // ends in '/'
    std::string programName;    // the running program file's own name
    std::string packsFolder;    // where mission packs are installed; may not exist
};

// Where a shipped file (the music, the engine sound) is read from: the program
// folder; the data folder when only the level archive brought it there; the
// program folder's path when neither has it, so that the error names the
// place the file belongs.
std::string ShippedFile(const ProgramPaths& paths, const std::string& name);

}  // namespace app
