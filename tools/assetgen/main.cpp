// assetgen: builds every asset of the game from the sources in assets/ —
// the sprite pictures and sound effects compiled into the program, the
// engine sound and the music beside it, the level archive, and the icon the
// desktop shows for the installed game.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "levels/LevelsStep.h"
#include "pictures/IconStep.h"
#include "pictures/PicturesStep.h"
#include "sounds/SoundsStep.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::fprintf(stderr, "usage: assetgen pictures|sounds|levels|icon [options]\n");
        return 2;
    }
    const std::vector<std::string> options(args.begin() + 1, args.end());
    try {
        if (args[0] == "pictures") return assetgen::runPictures(options);
        if (args[0] == "sounds") return assetgen::runSounds(options);
        if (args[0] == "levels") return assetgen::runLevels(options);
        if (args[0] == "icon") return assetgen::runIcon(options);
        std::fprintf(stderr, "assetgen: unknown step %s\n", args[0].c_str());
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "assetgen %s: %s\n", args[0].c_str(), error.what());
        return 1;
    }
}
