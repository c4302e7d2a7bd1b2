#include "app/packs/Pack.h"

#include "app/PictureFile.h"
#include "app/packs/PackError.h"

namespace app::packs {
namespace {

std::string caveOf(const PackMission& mission) {
    return "the cave \"" + mission.picture + "\" of mission " + std::to_string(mission.row.number);
}

std::vector<uint8_t> caveBytes(const PackFiles& files, const PackMission& mission) {
    std::optional<std::vector<uint8_t>> bytes = files.Read(mission.picture);
    if (!bytes) FailPackLine(files.name(), mission.line, caveOf(mission) + " is not in the pack");
    return std::move(*bytes);
}

}  // namespace

Pack::Pack(PackFiles files, PackManifest manifest)
    : files_(std::move(files)), manifest_(std::move(manifest)) {}

Pack Pack::Read(const std::string& path) {
    PackFiles files = PackFiles::Open(path);
    const std::optional<std::vector<uint8_t>> toml = files.Read("pack.toml");
    if (!toml) FailPack(files.name(), "there is no pack.toml at its top");
    PackManifest manifest = ParseManifest(
        std::string_view(reinterpret_cast<const char*>(toml->data()), toml->size()), files.name());
    for (const PackMission& mission : manifest.missions) {
        if (mission.picture.empty())
            FailPackLine(files.name(), mission.line,
                         "the cave of mission " + std::to_string(mission.row.number) +
                             " is the source \"" + mission.source +
                             "\": make the pack with \"tarnwick-pack build\" first");
        PictureSize size;
        try {
            size = ReadPictureSize(caveBytes(files, mission), mission.picture);
        } catch (const PictureError& error) {
            FailPackLine(files.name(), mission.line, caveOf(mission) + ": " + error.what());
        }
        if (size != PictureSize{kPackWorldSize, kPackWorldSize})
            FailPackLine(files.name(), mission.line,
                         caveOf(mission) + " is " + std::to_string(size.width) + " x " +
                             std::to_string(size.height) + " pixels; a cave is " +
                             std::to_string(kPackWorldSize) + " x " +
                             std::to_string(kPackWorldSize));
    }
    return Pack(std::move(files), std::move(manifest));
}

core::Bitmap Pack::Cave(int number) const {
    const PackMission& mission = manifest_.missions.at(static_cast<size_t>(number - 1));
    try {
        return DecodePicture(caveBytes(files_, mission), mission.picture);
    } catch (const PictureError& error) {
        FailPackLine(files_.name(), mission.line, caveOf(mission) + ": " + error.what());
    }
}

}  // namespace app::packs
