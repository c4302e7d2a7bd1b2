#include "sounds/SoundsStep.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <stdexcept>

#include "sounds/Levels.h"
#include "sounds/SongRender.h"
#include "sounds/SoundEffect.h"
#include "sounds/SourceText.h"
#include "sounds/StoredSoundsSource.h"
#include "sounds/WaveFile.h"
#include "sounds/WmaFile.h"

namespace assetgen {
namespace {

namespace fs = std::filesystem;
using namespace sounds;

// sounds.list: which source makes which list item or shipped file.
struct Manifest {
    std::vector<std::string> list1;
    std::vector<std::string> list2;
    std::string loopSource, loopFile;
    std::string musicSource, musicFile;
};

// The rest of a line from word `first` on, as one name (names may hold spaces).
std::string joinedFrom(const SourceLine& line, size_t first) {
    std::string name;
    for (size_t i = first; i < line.words.size(); ++i)
        name += (i > first ? " " : "") + line.words[i];
    return name;
}

Manifest readManifest(const fs::path& file) {
    Manifest manifest;
    for (const SourceLine& line : readSourceLines(file)) {
        const std::string& key = line.words[0];
        if (key == "list1" || key == "list2") {
            auto& list = key == "list1" ? manifest.list1 : manifest.list2;
            list.insert(list.end(), line.words.begin() + 1, line.words.end());
        } else if (key == "loop" || key == "music") {
            if (line.words.size() < 3)
                line.fail("'" + key + "' takes a source and the file it makes");
            (key == "loop" ? manifest.loopSource : manifest.musicSource) = line.words[1];
            (key == "loop" ? manifest.loopFile : manifest.musicFile) = joinedFrom(line, 2);
        } else {
            line.fail("unknown line '" + key + "'");
        }
    }
    if (manifest.list1.empty() || manifest.list2.empty() || manifest.loopSource.empty() ||
        manifest.musicSource.empty())
        throw std::runtime_error(file.string() + ": needs list1, list2, loop and music");
    return manifest;
}

std::map<std::string, std::string> readOptions(const std::vector<std::string>& options) {
    std::map<std::string, std::string> values;
    for (size_t i = 0; i < options.size(); i += 2) {
        if (i + 1 >= options.size())
            throw std::runtime_error("option " + options[i] + " lacks its value");
        values[options[i]] = options[i + 1];
    }
    for (const char* required : {"--sources", "--cpp", "--out"})
        if (!values.count(required)) throw std::runtime_error(std::string("missing ") + required);
    if (values.size() != 3)
        throw std::runtime_error("unknown option; expected --sources, --cpp and --out");
    return values;
}

// Written under a temporary name first, so that a failed run never leaves a
// half-written file that a later build would take for finished.
void writeFile(const fs::path& path, const void* data, size_t size) {
    fs::path partial = path;
    partial += ".part";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out.flush()) throw std::runtime_error("cannot write " + partial.string());
    }
    fs::rename(partial, path);
}

void report(const std::string& what, const SoundEffect& sound, const std::vector<double>& samples) {
    const Levels levels = measureLevels(samples);
    std::printf("%-24s %-10s %5u Hz %2u-bit %-6s %6.3f s  peak %5.1f dBFS  RMS %5.1f dBFS\n",
                what.c_str(), sound.name.c_str(), sound.format.sampleRate, sound.format.bits,
                sound.format.channels == 1 ? "mono" : "stereo",
                static_cast<double>(sound.frames()) / sound.format.sampleRate, levels.peakDb,
                levels.rmsDb);
}

std::vector<StoredItem> makeList(const fs::path& sources, const std::vector<std::string>& files,
                                 int number) {
    std::vector<StoredItem> items;
    for (const std::string& file : files) {
        const SoundEffect sound = readSoundEffect(sources / file);
        if (sound.loopSeconds > 0)
            throw std::runtime_error(file + ": a stored sound has a fixed size, not a loop");
        const std::vector<double> samples = renderSoundEffect(sound);
        std::vector<uint8_t> wave = encodeWave(sound.format, samples);
        if (wave.size() != sound.waveBytes + (sound.waveBytes & 1))
            throw std::runtime_error(file + ": came out at " + std::to_string(wave.size()) +
                                     " bytes");
        report("DIBWavList" + std::to_string(number) + ":" + std::to_string(items.size()), sound,
               samples);
        items.push_back({sound.name, std::move(wave)});
    }
    return items;
}

void makeLoop(const fs::path& source, const fs::path& target) {
    const SoundEffect sound = readSoundEffect(source);
    if (sound.loopSeconds <= 0)
        throw std::runtime_error(source.string() + ": the engine sound must be a loop");
    const std::vector<double> samples = renderSoundEffect(sound);
    const std::vector<uint8_t> wave = encodeWave(sound.format, samples);
    writeFile(target, wave.data(), wave.size());
    report(target.filename().string(), sound, samples);
}

void makeMusic(const fs::path& source, const fs::path& target) {
    const Song song = readSong(source);
    const std::vector<double> samples = renderSong(song);
    const int repeated =
        writeLoopingWma(target, samples, song.sampleRate, song.bitRate, song.title);
    if (repeated > 0)
        std::printf(
            "note: the music is not a whole number of codec frames; its first %d samples play "
            "twice\n",
            repeated);
    const Levels levels = measureLevels(samples);
    std::printf(
        "%-24s %-10s %5d Hz stereo, %d bit/s  %6.1f s  peak %5.1f dBFS  RMS %5.1f dBFS (before "
        "encoding)\n",
        target.filename().string().c_str(), song.title.c_str(), song.sampleRate, song.bitRate,
        static_cast<double>(samples.size() / 2) / song.sampleRate, levels.peakDb, levels.rmsDb);
}

}  // namespace

int runSounds(const std::vector<std::string>& options) {
    const auto values = readOptions(options);
    const fs::path sources = values.at("--sources");
    const fs::path out = values.at("--out");
    const Manifest manifest = readManifest(sources / "sounds.list");

    const std::vector<StoredItem> list1 = makeList(sources, manifest.list1, 1);
    const std::vector<StoredItem> list2 = makeList(sources, manifest.list2, 2);
    const std::string source = storedSoundsSource(list1, list2);
    fs::create_directories(out);
    makeLoop(sources / manifest.loopSource, out / manifest.loopFile);
    makeMusic(sources / manifest.musicSource, out / manifest.musicFile);
    // The generated source last: the build takes it as the mark that all
    // the sounds are made.
    const fs::path cpp = values.at("--cpp");
    if (cpp.has_parent_path()) fs::create_directories(cpp.parent_path());
    writeFile(cpp, source.data(), source.size());
    std::fflush(stdout);
    return 0;
}

}  // namespace assetgen
