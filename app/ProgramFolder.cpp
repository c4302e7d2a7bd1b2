#include "app/ProgramFolder.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace app {

std::string programFolderOf(const std::string& programPath) {
    const size_t lastSeparator = programPath.find_last_of('/');
    if (lastSeparator == std::string::npos) return "./";
    return programPath.substr(0, lastSeparator + 1);
}

std::string executablePath() {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || path.empty()) {
        throw std::runtime_error(
            "Cannot find the program file (/proc/self/exe is unreadable: " + error.message() + ")");
    }
    return path.string();
}

}  // namespace app
