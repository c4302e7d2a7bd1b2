#include "app/packs/InstalledPacks.h"

#include <algorithm>
#include <filesystem>

namespace app::packs {

std::vector<std::string> InstalledPacks(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<std::string> packs;
    std::error_code error;
    if (folder.empty() || !fs::is_directory(folder, error)) return packs;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const fs::path& path = entry.path();
        const bool packFile = entry.is_regular_file(error) && path.extension() == ".tarnwick";
        const bool packFolder =
            entry.is_directory(error) && fs::is_regular_file(path / "pack.toml", error);
        if (packFile || packFolder) packs.push_back(path.string());
    }
    std::sort(packs.begin(), packs.end());
    return packs;
}

}  // namespace app::packs
