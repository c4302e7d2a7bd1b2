#include "Build.h"

#include <cstdio>
#include <filesystem>
#include <map>

#include "app/PictureFile.h"
#include "app/packs/Pack.h"
#include "app/packs/PackArchive.h"
#include "app/packs/PackError.h"
#include "app/packs/PackFiles.h"
#include "levels/LevelSource.h"
#include "levels/Painter.h"
#include "levels/Terrain.h"

namespace pack {
namespace {

namespace fs = std::filesystem;
using app::packs::FailPack;

std::string pictureNameOf(const std::string& source) {
    const fs::path path(source);
    return (path.extension() == ".level" ? fs::path(path).replace_extension(".png")
                                         : fs::path(source + ".png"))
        .generic_string();
}

std::vector<uint8_t> fileOf(const app::packs::PackFiles& files, const std::string& name) {
    std::optional<std::vector<uint8_t>> bytes = files.Read(name);
    if (!bytes) FailPack(files.name(), "\"" + name + "\" is not in the pack");
    return std::move(*bytes);
}

std::vector<uint8_t> drawCave(const app::packs::PackFiles& files, const std::string& source) {
    const std::vector<uint8_t> text = fileOf(files, source);
    const assetgen::levels::LevelSource level = assetgen::levels::parseLevelSource(
        std::string_view(reinterpret_cast<const char*>(text.data()), text.size()), source);
    const core::Bitmap picture =
        assetgen::levels::paintPicture(level, assetgen::levels::carveTerrain(level));
    return app::EncodePng(picture, pictureNameOf(source));
}

}  // namespace

void Build(const std::string& folder, const std::string& out) {
    std::error_code error;
    if (!fs::is_directory(folder, error))
        throw std::runtime_error(folder + " is no pack folder to build from");
    const app::packs::PackFiles files = app::packs::PackFiles::Open(folder);
    const std::vector<uint8_t> toml = fileOf(files, "pack.toml");
    const std::string_view text(reinterpret_cast<const char*>(toml.data()), toml.size());
    const app::packs::PackManifest manifest = app::packs::ParseManifest(text, files.name());

    std::map<std::string, std::vector<uint8_t>> caves;
    int drawn = 0;
    for (const app::packs::PackMission& mission : manifest.missions) {
        if (!mission.picture.empty()) {
            if (!caves.count(mission.picture))
                caves.emplace(mission.picture, fileOf(files, mission.picture));
        } else if (const std::string picture = pictureNameOf(mission.source);
                   !caves.count(picture)) {
            caves.emplace(picture, drawCave(files, mission.source));
            ++drawn;
        }
    }
    const std::string built = app::packs::BuiltManifest(text, files.name(), pictureNameOf);
    std::vector<app::packs::PackEntry> entries{{"pack.toml", {built.begin(), built.end()}}};
    for (auto& [name, bytes] : caves) entries.emplace_back(name, std::move(bytes));
    app::packs::WritePackArchive(out, entries);
    try {
        app::packs::Pack::Read(out);
    } catch (const app::packs::PackError&) {
        fs::remove(out, error);
        throw;
    }
    std::printf("%s: %zu missions, %d caves drawn, %ju bytes\n", out.c_str(),
                manifest.missions.size(), drawn, static_cast<uintmax_t>(fs::file_size(out)));
}

}  // namespace pack
