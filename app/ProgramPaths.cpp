#include "app/ProgramPaths.h"

#include <filesystem>
#include <system_error>

namespace app {

std::string ShippedFile(const ProgramPaths& paths, const std::string& name) {
    std::error_code error;
    const std::string beside = paths.programFolder + name;
    if (std::filesystem::is_regular_file(beside, error)) return beside;
    const std::string unpacked = paths.dataFolder + name;
    if (std::filesystem::is_regular_file(unpacked, error)) return unpacked;
    return beside;
}

}  // namespace app
