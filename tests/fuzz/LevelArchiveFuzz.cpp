// Extracts arbitrary bytes as the level archive, with the game's password and
// protected names, into an empty folder that is emptied again afterwards.
#include <cstdint>
#include <filesystem>

#include "ScratchFolder.h"
#include "app/LevelArchive.h"
#include "core/ArchivePassword.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::ScratchFolder& scratch = fuzz::ScratchFolder::get();
    const std::string archive = scratch.write("level.zip", data, size);
    const std::string target = scratch.path() + "data/";
    std::filesystem::create_directory(target);
    try {
        app::extractLevelArchive(archive, core::kLevelArchivePassword, target,
                                 {"tarnwick", "tarnwick-sim", "level.zip"});
    } catch (const app::ArchiveError&) {
    }
    std::filesystem::remove_all(target);
    return 0;
}
