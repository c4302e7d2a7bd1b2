#include "Check.h"

#include <cctype>
#include <cstdio>
#include <filesystem>

#include "app/packs/Pack.h"
#include "levels/ColourCheck.h"
#include "levels/Findings.h"
#include "levels/MissionCheck.h"
#include "levels/Missions.h"
#include "levels/Preview.h"

namespace pack {
namespace {

namespace fs = std::filesystem;

bool isJpeg(const std::string& name) {
    std::string extension = fs::path(name).extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".jpg" || extension == ".jpeg";
}

bool usesBombs(const std::string& bombsWord) {
    std::string word = bombsWord;
    for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return word != "no";
}

}  // namespace

int Check(const std::string& path, const std::string& previewFolder) {
    const app::packs::Pack pack = app::packs::Pack::Read(path);
    if (!previewFolder.empty()) fs::create_directories(previewFolder);
    bool passed = true;
    for (const app::packs::PackMission& mission : pack.manifest().missions) {
        const core::Bitmap cave = pack.Cave(mission.row.number);
        const assetgen::levels::MissionGeometry geometry = assetgen::levels::GeometryOf(mission.row);
        assetgen::levels::Findings findings;
        assetgen::levels::checkPaintedColours(cave, isJpeg(mission.picture), findings);
        assetgen::levels::checkPaintedMission(geometry, cave, usesBombs(mission.briefing.bombs),
                                              findings);
        std::printf("mission %d (%s, pack.toml line %ld): %s", mission.row.number,
                    mission.picture.c_str(), mission.line, findings.passed() ? "ok" : "FAILED");
        for (const std::string& note : findings.notes) std::printf("; %s", note.c_str());
        std::printf("\n");
        for (const std::string& error : findings.errors)
            std::printf("  mission %d: %s\n", mission.row.number, error.c_str());
        if (!previewFolder.empty()) {
            const std::string file = "mission" + std::to_string(mission.row.number) + ".png";
            assetgen::levels::writePaintedPreview((fs::path(previewFolder) / file).string(),
                                                  geometry, cave, findings);
        }
        passed = passed && findings.passed();
    }
    std::fflush(stdout);
    return passed ? 0 : 1;
}

}  // namespace pack
