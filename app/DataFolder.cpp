#include "app/DataFolder.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace app {
namespace {

std::string asFolder(std::string folder) {
    if (folder.empty()) return "./";
    if (folder.back() != '/') folder += '/';
    return folder;
}

// Creating a file is the only reliable test: permission bits say nothing about
// read-only mounts, ACLs or root. The probe has a unique name, so it never
// touches a file of the game or of a second running copy. Returns the reason
// when the folder is not writable, an empty text when it is.
std::string writeProbeFailure(const std::string& folder) {
    std::string probe = folder + ".tarnwick-probe-XXXXXX";
    const int fd = mkstemp(probe.data());
    if (fd < 0) return std::strerror(errno);
    close(fd);
    unlink(probe.c_str());
    return {};
}

// Creates the folder with its parents and checks that it is writable; returns
// the reason when it cannot be used, an empty text when it can.
std::string prepareFailure(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return error.message();
    if (!std::filesystem::is_directory(folder, error)) return "not a folder";
    return writeProbeFailure(folder);
}

const char* nonEmptyVariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

// $XDG_DATA_HOME/tarnwick/; the XDG rules say a relative XDG_DATA_HOME is
// invalid and must be ignored, which leaves ~/.local/share/tarnwick/.
std::string userDataFolder() {
    if (const char* xdg = nonEmptyVariable("XDG_DATA_HOME"); xdg != nullptr && xdg[0] == '/') {
        return asFolder(xdg) + "tarnwick/";
    }
    const char* home = nonEmptyVariable("HOME");
    if (home == nullptr) {
        const passwd* user = getpwuid(getuid());
        if (user != nullptr && user->pw_dir != nullptr && user->pw_dir[0] != '\0')
            home = user->pw_dir;
    }
    if (home == nullptr) return {};
    return asFolder(home) + ".local/share/tarnwick/";
}

}  // namespace

std::string packsFolder() {
    if (const char* override = nonEmptyVariable("TARNWICK_DATA_DIR"); override != nullptr)
        return asFolder(override) + "packs/";
    const std::string user = userDataFolder();
    return user.empty() ? user : user + "packs/";
}

std::string chooseDataFolder(const std::string& programFolder, std::string& overrideProblem) {
    overrideProblem.clear();
    if (const char* override = nonEmptyVariable("TARNWICK_DATA_DIR"); override != nullptr) {
        const std::string folder = asFolder(override);
        const std::string failure = prepareFailure(folder);
        if (failure.empty()) return folder;
        // An unusable override is reported, and the choice goes on as if it
        // were not set: the game still needs a folder it can write to.
        overrideProblem =
            "Cannot use the data folder " + folder + " set by TARNWICK_DATA_DIR: " + failure;
    }

    const std::string programFolderPath = asFolder(programFolder);
    const std::string programFailure = writeProbeFailure(programFolderPath);
    if (programFailure.empty()) return programFolderPath;

    const std::string userFolder = userDataFolder();
    if (userFolder.empty()) {
        throw std::runtime_error(
            "Cannot write to the program folder " + programFolderPath + " (" + programFailure +
            ") and neither XDG_DATA_HOME nor HOME names a folder for the game's data");
    }
    const std::string userFailure = prepareFailure(userFolder);
    if (!userFailure.empty()) {
        throw std::runtime_error("Cannot write to the program folder " + programFolderPath + " (" +
                                 programFailure + ") nor to the data folder " + userFolder + " (" +
                                 userFailure + ")");
    }
    return userFolder;
}

}  // namespace app
