#include "levels/LevelsStep.h"

#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>

#include "app/LevelArchive.h"
#include "app/PictureFile.h"
#include "core/ArchivePassword.h"
#include "levels/ArchiveContents.h"
#include "levels/ArchiveWriter.h"
#include "levels/JpegWriter.h"
#include "levels/LevelSource.h"
#include "levels/Painter.h"
#include "levels/Preview.h"
#include "levels/Terrain.h"
#include "levels/Validator.h"

#include <zip.h>

namespace assetgen {
namespace {

namespace fs = std::filesystem;
using levels::LevelSource;

// The pictures the game loads from the archive, in the order they are packed.
const std::vector<std::string>& expectedPictures() {
    static const std::vector<std::string> names{
        "level0_big.jpg", "level1_big.jpg", "level2_big.jpg", "level3_big.jpg",
        "level4_big.jpg", "level5_big.jpg", "level6_big.jpg", "level7_big.jpg",
        "level8_big.jpg", "level9_big.jpg", "level_Main.jpg", "Level_hs.jpg"};
    return names;
}

struct Options {
    std::string sources;
    std::string out;
    std::string preview;
    bool check = false;
};

std::optional<Options> parseOptions(const std::vector<std::string>& args) {
    Options options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--check") {
            options.check = true;
        } else if (arg == "--sources" && hasValue) {
            options.sources = args[++i];
        } else if (arg == "--out" && hasValue) {
            options.out = args[++i];
        } else if (arg == "--preview" && hasValue) {
            options.preview = args[++i];
        } else {
            std::fprintf(stderr, "assetgen levels: unexpected option %s\n", arg.c_str());
            return std::nullopt;
        }
    }
    if (options.sources.empty() || options.out.empty()) {
        std::fprintf(stderr,
                     "usage: assetgen levels [--check] --sources DIR --out DIR [--preview DIR]\n");
        return std::nullopt;
    }
    return options;
}

// The sources in packing order, one for each picture the game needs.
std::vector<LevelSource> loadSources(const std::string& folder) {
    std::map<std::string, LevelSource> byPicture;
    for (const auto& item : fs::directory_iterator(folder)) {
        if (item.path().extension() != ".level") continue;
        LevelSource source = levels::loadLevelSource(item.path().string());
        const auto& expected = expectedPictures();
        if (source.picture.empty())
            throw levels::SourceError(source.origin + ": no 'picture' statement");
        if (std::find(expected.begin(), expected.end(), source.picture) == expected.end())
            throw levels::SourceError(source.origin + ": the game has no picture " +
                                      source.picture);
        if (byPicture.count(source.picture) != 0)
            throw levels::SourceError(source.origin + ": " + source.picture + " is also made by " +
                                      byPicture.at(source.picture).origin);
        std::string name = source.picture;
        byPicture.emplace(std::move(name), std::move(source));
    }
    std::vector<LevelSource> sources;
    for (const std::string& name : expectedPictures()) {
        const auto found = byPicture.find(name);
        if (found == byPicture.end())
            throw levels::SourceError(folder + ": no source makes " + name);
        sources.push_back(std::move(found->second));
    }
    return sources;
}

// A folder of our own under the system's temporary folder, removed with
// everything in it.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "tarnwick-levels-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary folder");
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string folder() const { return path_.string() + "/"; }

  private:
    fs::path path_;
};

std::vector<std::string> archiveFaults(const std::string& archive) {
    std::vector<std::string> faults;
    const std::vector<levels::StoredEntry> entries = levels::listArchive(archive);
    std::vector<std::string> names;
    for (const auto& entry : entries) {
        names.push_back(entry.name);
        if (entry.encryption != ZIP_EM_AES_256)
            faults.push_back(entry.name + " is not AES-256 encrypted");
        if (entry.compression != ZIP_CM_DEFLATE) faults.push_back(entry.name + " is not deflated");
    }
    if (names != expectedPictures())
        faults.push_back("the archive does not hold exactly the twelve pictures in order");
    return faults;
}

// Validates the archive as the game reads it: unpacked with the game's
// password and code, each picture decoded by the game's loader.
bool validateArchive(const std::string& archive, const std::vector<LevelSource>& sources,
                     const std::string& previewFolder) {
    const std::vector<std::string> faults = archiveFaults(archive);
    for (const std::string& fault : faults) std::fprintf(stderr, "level.zip: %s\n", fault.c_str());
    if (!faults.empty()) return false;
    bool passed = true;
    const ScratchFolder unpacked;
    app::extractLevelArchive(archive, core::kLevelArchivePassword, unpacked.folder(), {});
    if (!previewFolder.empty()) fs::create_directories(previewFolder);
    for (const LevelSource& source : sources) {
        const std::string file = unpacked.folder() + source.picture;
        const core::Bitmap decoded = app::LoadPictureFile(file);
        const levels::TerrainMap terrain = levels::carveTerrain(source);
        const levels::Findings findings = levels::validatePicture(source, terrain, decoded);
        std::printf("%-15s %7ju bytes  %s", source.picture.c_str(),
                    static_cast<uintmax_t>(fs::file_size(file)),
                    findings.passed() ? "ok" : "FAILED");
        for (const std::string& note : findings.notes) std::printf("; %s", note.c_str());
        std::printf("\n");
        for (const std::string& error : findings.errors)
            std::fprintf(stderr, "%s: %s\n", source.picture.c_str(), error.c_str());
        passed = passed && findings.passed();
        if (!previewFolder.empty()) {
            const std::string stem = fs::path(source.picture).stem().string();
            levels::writePreview((fs::path(previewFolder) / (stem + ".png")).string(), source,
                                 terrain, decoded, findings);
        }
    }
    std::fflush(stdout);
    return passed;
}

std::vector<levels::ArchiveEntry> drawPictures(const std::vector<LevelSource>& sources) {
    std::vector<levels::ArchiveEntry> entries;
    for (const LevelSource& source : sources) {
        const levels::TerrainMap terrain = levels::carveTerrain(source);
        const core::Bitmap picture = levels::paintPicture(source, terrain);
        entries.push_back({source.picture, levels::encodeJpeg(picture, levels::kLevelJpegQuality)});
    }
    return entries;
}

// Removes the half-made archive unless it was moved into place.
class PendingFile {
  public:
    explicit PendingFile(std::string path) : path_(std::move(path)) {}
    ~PendingFile() {
        std::error_code ignored;
        if (!path_.empty()) fs::remove(path_, ignored);
    }
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    const std::string& path() const { return path_; }
    void moveTo(const std::string& target) {
        fs::rename(path_, target);
        path_.clear();
    }

  private:
    std::string path_;
};

}  // namespace

int runLevels(const std::vector<std::string>& args) {
    const std::optional<Options> options = parseOptions(args);
    if (!options) return 2;
    const std::vector<LevelSource> sources = loadSources(options->sources);
    const std::string archive = (fs::path(options->out) / "level.zip").string();
    if (options->check) return validateArchive(archive, sources, options->preview) ? 0 : 1;

    fs::create_directories(options->out);
    PendingFile pending(archive + ".new");
    levels::writeEncryptedArchive(pending.path(), drawPictures(sources),
                                  core::kLevelArchivePassword);
    if (!validateArchive(pending.path(), sources, options->preview)) {
        std::fprintf(stderr, "assetgen levels: validation failed, no level.zip written\n");
        return 1;
    }
    pending.moveTo(archive);
    std::printf("level.zip: %ju bytes\n", static_cast<uintmax_t>(fs::file_size(archive)));
    return 0;
}

}  // namespace assetgen
