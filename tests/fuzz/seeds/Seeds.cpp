// Writes the fuzzers' seed corpora from the game's real assets:
//   tarnwick-fuzz-seeds PROGRAM_FOLDER OUT_FOLDER
// PROGRAM_FOLDER holds the built level.zip and engine1.wav. OUT_FOLDER gets
// one folder per fuzzer: the stored pictures and sounds in their stored
// forms, small JPEG pictures and encrypted archives cut from the real level
// pictures, and mission packs: the sample pack with its caves cut down, and
// packs made of the level crops. Small seeds keep the fuzzers fast; a whole 1280 x 1280
// cave would spend most of each run decoding the same blocks.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/LevelArchive.h"
#include "app/PictureFile.h"
#include "app/packs/PackArchive.h"
#include "app/packs/PackFiles.h"
#include "app/packs/PackManifest.h"
#include "assets/StoredPictures.h"
#include "assets/StoredSounds.h"
#include "core/ArchivePassword.h"
#include "dib/cDIBWavList.h"
#include "levels/ArchiveWriter.h"
#include "levels/JpegWriter.h"

namespace fs = std::filesystem;

namespace {

constexpr int kCropSide = 32;

std::vector<uint8_t> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, std::span<const uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

fs::path corpus(const fs::path& out, const std::string& name) {
    const fs::path folder = out / name;
    fs::create_directories(folder);
    return folder;
}

std::vector<uint8_t> storedSoundForm(std::span<const uint8_t> wave) {
    dib::TDIBWav sound;
    sound.SetWave(wave);
    return sound.WriteWavData();
}

void writeStoredForms(const fs::path& programFolder, const fs::path& out) {
    const fs::path pictures = corpus(out, "stored_picture");
    for (const assets::StoredPicture& picture : assets::storedPictures())
        writeFile(pictures / std::string(picture.DisplayName), picture.Data);

    const fs::path sounds = corpus(out, "stored_sound");
    int number = 0;
    for (const auto& list : {assets::storedSoundsList1(), assets::storedSoundsList2()})
        for (const assets::StoredSound& sound : list)
            writeFile(sounds / ("sound" + std::to_string(number++)), storedSoundForm(sound.Wave));
    writeFile(sounds / "engine1", storedSoundForm(readFile(programFolder / "engine1.wav")));
}

// The middle of a level picture, where rock meets open space.
core::Bitmap middleOf(const core::Bitmap& picture) {
    core::Bitmap crop(kCropSide, kCropSide);
    crop.blit(picture, -(picture.width() - kCropSide) / 2, -(picture.height() - kCropSide) / 2);
    return crop;
}

void writeLevelSeeds(const fs::path& programFolder, const fs::path& out) {
    const fs::path unpacked = out / "unpacked";
    fs::create_directories(unpacked);
    app::extractLevelArchive((programFolder / "level.zip").string(), core::kLevelArchivePassword,
                             unpacked.string(), {});

    std::vector<fs::path> names;
    for (const auto& item : fs::directory_iterator(unpacked)) names.push_back(item.path());
    std::sort(names.begin(), names.end());

    const fs::path pictures = corpus(out, "picture_file");
    const fs::path archives = corpus(out, "level_archive");
    std::vector<assetgen::levels::ArchiveEntry> both;
    for (const fs::path& name : names) {
        const std::vector<uint8_t> jpeg =
            assetgen::levels::encodeJpeg(middleOf(app::LoadPictureFile(name.string())), 97);
        writeFile(pictures / name.filename(), jpeg);
        const std::string entry = name.filename().string();
        assetgen::levels::writeEncryptedArchive((archives / (entry + ".zip")).string(),
                                                {{entry, jpeg}}, core::kLevelArchivePassword);
        if (both.size() < 2) both.push_back({"levels\\" + entry, jpeg});
    }
    // Entries stored under a folder, as some archivers write them.
    assetgen::levels::writeEncryptedArchive((archives / "two-in-a-folder.zip").string(), both,
                                            core::kLevelArchivePassword);
    // One real picture whole, for the full-size paths of the decoder.
    fs::copy_file(unpacked / "Level_hs.jpg", pictures / "Level_hs-whole.jpg",
                  fs::copy_options::overwrite_existing);
    fs::remove_all(unpacked);
}


// `toml`: a pack.toml of two missions whose caves are first.jpg and
// caves/second.jpg.
void writePackSeeds(const fs::path& toml, const fs::path& out) {
    const fs::path packs = corpus(out, "pack");
    const std::vector<uint8_t> manifest = readFile(toml);
    std::vector<uint8_t> picture;
    for (const auto& item : fs::directory_iterator(out / "picture_file"))
        if (item.path().filename() == "level0_big.jpg") picture = readFile(item.path());
    // Stored uncompressed, as packs are, so that the fuzzer's changes reach
    // pack.toml and the pictures as they are.
    app::packs::WritePackArchive(
        (packs / "two-missions.tarnwick").string(),
        {{"pack.toml", manifest}, {"first.jpg", picture}, {"caves/second.jpg", picture}});
    app::packs::WritePackArchive((packs / "only-its-toml.tarnwick").string(),
                                 {{"pack.toml", manifest}});
}

// The sample pack as the build made it, its caves cut down to small PNG
// crops under their own names: the fuzzer starts from the real manifest.
void writeSamplePackSeed(const fs::path& programFolder, const fs::path& out) {
    const app::packs::PackFiles sample =
        app::packs::PackFiles::Open((programFolder / "training-caves.tarnwick").string());
    const std::optional<std::vector<uint8_t>> toml = sample.Read("pack.toml");
    if (!toml) throw std::runtime_error("the sample pack has no pack.toml");
    const app::packs::PackManifest manifest = app::packs::ParseManifest(
        std::string_view(reinterpret_cast<const char*>(toml->data()), toml->size()), sample.name());
    std::vector<app::packs::PackEntry> entries{{"pack.toml", *toml}};
    for (const app::packs::PackMission& mission : manifest.missions) {
        const core::Bitmap cave = app::DecodePicture(*sample.Read(mission.picture), mission.picture);
        entries.emplace_back(mission.picture, app::EncodePng(middleOf(cave), mission.picture));
    }
    app::packs::WritePackArchive((corpus(out, "pack") / "training-caves.tarnwick").string(), entries);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: tarnwick-fuzz-seeds PROGRAM_FOLDER OUT_FOLDER\n";
        return 2;
    }
    try {
        writeStoredForms(argv[1], argv[2]);
        writeLevelSeeds(argv[1], argv[2]);
        writePackSeeds(TARNWICK_SEED_PACK_TOML, argv[2]);
        writeSamplePackSeed(argv[1], argv[2]);
    } catch (const std::exception& error) {
        std::cerr << "tarnwick-fuzz-seeds: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
