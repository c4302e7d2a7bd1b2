#include "assets/StoredSounds.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "sounds/Layer.h"
#include "sounds/Song.h"
#include "sounds/SourceText.h"
#include "sounds/WmaFile.h"

// The sounds made by the asset build: the two lists compiled into the
// program, and the engine loop and the music shipped beside it.
namespace {

struct Expected {
    const char* name;
    uint32_t fileSize;  // header included, without the pad byte of an odd data chunk
    uint32_t rate;
    uint16_t bits;
    uint16_t channels;
};

constexpr Expected kList1[] = {
    {"bumb", 5648, 8000, 8, 1},
    {"Spawn", 48407, 11025, 8, 1},
};

constexpr Expected kList2[] = {
    {"bumb", 60534, 22050, 16, 1},      {"Spawn", 55490, 11025, 8, 1},
    {"Bomb", 130086, 22050, 16, 1},     {"Explosion", 104980, 22050, 16, 1},
    {"openexit", 339908, 44100, 16, 1}, {"tow", 88228, 44000, 16, 2},
    {"Newlive", 8932, 11025, 8, 1},
};

uint32_t le(std::span<const uint8_t> bytes, size_t at, int width) {
    uint32_t value = 0;
    for (int i = 0; i < width; ++i)
        value |= uint32_t{bytes[at + static_cast<size_t>(i)]} << (8 * i);
    return value;
}

struct Wave {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t rate = 0;
    uint32_t byteRate = 0;
    uint16_t blockAlign = 0;
    uint16_t bits = 0;
    std::span<const uint8_t> data;

    // Every sample of every channel, from -1 to 1.
    std::vector<double> samples() const {
        std::vector<double> out;
        if (bits == 8) {
            for (uint8_t b : data) out.push_back((b - 128) / 128.0);
        } else {
            for (size_t i = 0; i + 1 < data.size(); i += 2)
                out.push_back(static_cast<int16_t>(le(data, i, 2)) / 32768.0);
        }
        return out;
    }
};

// Walks the RIFF chunks; a file that breaks the structure is reported.
std::optional<Wave> parseWave(std::span<const uint8_t> file, std::string& problem) {
    auto tagAt = [&](size_t at) { return std::string(file.begin() + at, file.begin() + at + 4); };
    auto broken = [&](std::string what) -> std::optional<Wave> {
        problem = std::move(what);
        return std::nullopt;
    };
    if (file.size() < 12 || tagAt(0) != "RIFF" || tagAt(8) != "WAVE")
        return broken("not RIFF/WAVE");
    if (le(file, 4, 4) + 8 != file.size()) return broken("RIFF size does not match the file");
    Wave wave;
    bool haveFormat = false;
    size_t pos = 12;
    while (pos < file.size()) {
        if (pos + 8 > file.size()) return broken("chunk header cut short");
        const std::string id = tagAt(pos);
        const uint32_t size = le(file, pos + 4, 4);
        if (pos + 8 + size > file.size()) return broken("chunk " + id + " runs past the end");
        if (id == "fmt " && size >= 16) {
            wave.formatTag = static_cast<uint16_t>(le(file, pos + 8, 2));
            wave.channels = static_cast<uint16_t>(le(file, pos + 10, 2));
            wave.rate = le(file, pos + 12, 4);
            wave.byteRate = le(file, pos + 16, 4);
            wave.blockAlign = static_cast<uint16_t>(le(file, pos + 20, 2));
            wave.bits = static_cast<uint16_t>(le(file, pos + 22, 2));
            haveFormat = true;
        } else if (id == "data") {
            wave.data = file.subspan(pos + 8, size);
        }
        pos += 8 + size + (size & 1);
    }
    if (pos != file.size()) return broken("the last chunk lacks its pad byte");
    if (!haveFormat || wave.data.empty()) return broken("no fmt or data chunk");
    return wave;
}

double peakOf(const std::vector<double>& samples) {
    double peak = 0;
    for (double s : samples) peak = std::max(peak, std::abs(s));
    return peak;
}

double rmsDb(std::span<const double> samples) {
    double sum = 0;
    for (double s : samples) sum += s * s;
    return 10 * std::log10(sum / static_cast<double>(samples.size()));
}

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string commandOutput(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

const std::string kBin = TARNWICK_BIN_DIR;
const std::string kMusic = kBin + "/Pelwyn-Skyrush 2k4_64.wma";

void checkList(std::span<const assets::StoredSound> list, std::span<const Expected> expected,
               const char* listName) {
    ASSERT_EQ(list.size(), expected.size()) << listName;
    for (size_t i = 0; i < list.size(); ++i) {
        SCOPED_TRACE(std::string(listName) + ":" + std::to_string(i));
        const Expected& e = expected[i];
        EXPECT_EQ(list[i].DisplayName, e.name);

        std::string problem;
        const std::optional<Wave> wave = parseWave(list[i].Wave, problem);
        ASSERT_TRUE(wave) << problem;
        EXPECT_EQ(wave->formatTag, 1);  // plain PCM
        EXPECT_EQ(wave->rate, e.rate);
        EXPECT_EQ(wave->bits, e.bits);
        EXPECT_EQ(wave->channels, e.channels);
        EXPECT_EQ(wave->blockAlign, e.channels * e.bits / 8);
        EXPECT_EQ(wave->byteRate, e.rate * wave->blockAlign);
        EXPECT_EQ(wave->data.size(), e.fileSize - 44);
        EXPECT_EQ(list[i].Wave.size(), e.fileSize + (e.fileSize & 1));
        EXPECT_EQ(wave->data.size() % wave->blockAlign, 0u);
    }
}

TEST(StoredSounds, BothListsHoldTheirSoundsUnderTheirNamesFormatsAndSizes) {
    checkList(assets::storedSoundsList1(), kList1, "DIBWavList1");
    checkList(assets::storedSoundsList2(), kList2, "DIBWavList2");
}

TEST(StoredSounds, EachIsLoudWithoutClippingAndStartsAndEndsInSilence) {
    for (const auto& list : {assets::storedSoundsList1(), assets::storedSoundsList2()}) {
        for (const assets::StoredSound& sound : list) {
            SCOPED_TRACE(std::string(sound.DisplayName));
            std::string problem;
            const std::optional<Wave> wave = parseWave(sound.Wave, problem);
            ASSERT_TRUE(wave) << problem;
            const std::vector<double> samples = wave->samples();
            const double peak = peakOf(samples);
            EXPECT_GT(peak, 0.7);   // within 3 dB of full scale
            EXPECT_LT(peak, 0.99);  // and never clipped
            // A sound that starts or stops away from silence clicks.
            for (size_t c = 0; c < wave->channels; ++c) {
                EXPECT_LT(std::abs(samples[c]), 0.02);
                EXPECT_LT(std::abs(samples[samples.size() - wave->channels + c]), 0.02);
            }
        }
    }
}

TEST(ShippedSounds, EngineLoopRunsOnFromItsEndIntoItsStart) {
    const std::vector<uint8_t> file = readFile(kBin + "/engine1.wav");
    std::string problem;
    const std::optional<Wave> wave = parseWave(file, problem);
    ASSERT_TRUE(wave) << problem;
    ASSERT_EQ(wave->formatTag, 1);
    ASSERT_EQ(wave->channels, 1);
    const std::vector<double> samples = wave->samples();
    const double seconds = static_cast<double>(samples.size()) / wave->rate;
    EXPECT_GE(seconds, 1.0);
    EXPECT_LE(seconds, 5.0);
    const double peak = peakOf(samples);
    EXPECT_GT(peak, 0.3);
    EXPECT_LT(peak, 0.99);

    // Played over and over, the jump from the last sample to the first is no
    // larger than the sound makes anywhere else, and neither end fades: the
    // first and last 50 ms are as loud as the whole loop.
    double largestStep = 0;
    for (size_t i = 1; i < samples.size(); ++i)
        largestStep = std::max(largestStep, std::abs(samples[i] - samples[i - 1]));
    EXPECT_LE(std::abs(samples.front() - samples.back()), largestStep);
    const size_t edge = wave->rate / 20;
    const double whole = rmsDb(samples);
    EXPECT_NEAR(rmsDb(std::span(samples).first(edge)), whole, 6.0);
    EXPECT_NEAR(rmsDb(std::span(samples).last(edge)), whole, 6.0);
    // The very first start comes in quietly, not with a click.
    EXPECT_LT(std::abs(samples.front()), 0.05 * peak);
}

TEST(ShippedSounds, MusicIsAWmaVersion2FileAt64kbitOfOneToThreeMinutes) {
    const std::string probe = commandOutput(
        "ffprobe -v error -select_streams a:0 -show_entries "
        "stream=codec_name,sample_rate,channels,bit_rate"
        ":format=format_name,duration -of default=noprint_wrappers=1 '" +
        kMusic + "'");
    ASSERT_FALSE(probe.empty()) << "ffprobe could not read " << kMusic;
    EXPECT_NE(probe.find("codec_name=wmav2\n"), std::string::npos) << probe;
    EXPECT_NE(probe.find("format_name=asf\n"), std::string::npos) << probe;
    EXPECT_NE(probe.find("sample_rate=44100\n"), std::string::npos) << probe;
    EXPECT_NE(probe.find("channels=2\n"), std::string::npos) << probe;
    EXPECT_NE(probe.find("bit_rate=64000\n"), std::string::npos) << probe;
    const size_t at = probe.find("duration=");
    ASSERT_NE(at, std::string::npos) << probe;
    const double seconds = std::stod(probe.substr(at + 9));
    EXPECT_GE(seconds, 60.0);
    EXPECT_LE(seconds, 180.0);
}

TEST(ShippedSounds, MusicPlaysUnderTheSoundEffects) {
    const std::string pcm =
        commandOutput("ffmpeg -v error -i '" + kMusic + "' -f s16le -acodec pcm_s16le -");
    ASSERT_GT(pcm.size(), 44100u * 4 * 60) << "ffmpeg could not decode " << kMusic;
    std::vector<double> samples(pcm.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i) {
        const auto low = static_cast<uint8_t>(pcm[2 * i]);
        const auto high = static_cast<uint8_t>(pcm[2 * i + 1]);
        samples[i] = static_cast<int16_t>(low | high << 8) / 32768.0;
    }
    const double peak = peakOf(samples);
    EXPECT_LT(peak, 0.6);  // the effects peak near full scale, well above this
    EXPECT_GT(peak, 0.3);
    EXPECT_GT(rmsDb(samples), -32.0);  // but it is no whisper
}

// ---------------------------------------------------------------- how they are made

namespace snd = assetgen::sounds;

snd::SourceLine lineOf(const std::string& text) {
    snd::SourceLine line{"test", 1, {}};
    std::istringstream words(text);
    for (std::string word; words >> word;) line.words.push_back(word);
    return line;
}

// A file in the temporary folder, removed again at the end of the test.
struct TempFile {
    explicit TempFile(const std::string& name, const std::string& text = "")
        : path(std::filesystem::temp_directory_path() / (std::to_string(getpid()) + "-" + name)) {
        if (!text.empty()) std::ofstream(path) << text;
    }
    ~TempFile() { std::filesystem::remove(path); }
    std::filesystem::path path;
};

TEST(SoundSources, AMisspeltOrMisplacedSettingIsAnErrorNotAnotherSound) {
    try {
        snd::parseLayer(lineOf("tone freq=100 gian=0.5"), false);
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("gian"), std::string::npos) << error.what();
    }
    // A loop has no envelope, and nothing in it may glide.
    EXPECT_THROW(snd::parseLayer(lineOf("noise release=0.2"), true), std::runtime_error);
    EXPECT_THROW(snd::parseLayer(lineOf("tone freq=100>50"), true), std::runtime_error);
    EXPECT_NO_THROW(snd::parseLayer(lineOf("tone freq=100>50 glide=0.2 release=0.2"), false));
}

TEST(SoundSources, SharpsAreNotesAndCommentsBeginAWord) {
    const TempFile file("sharps.song",
                        "# a comment line\nlead G#5 - Bb3 # the rest is a comment\n");
    const std::vector<snd::SourceLine> lines = snd::readSourceLines(file.path);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].number, 2);
    EXPECT_EQ(lines[0].words, (std::vector<std::string>{"lead", "G#5", "-", "Bb3"}));
    EXPECT_EQ(snd::noteNumber("A4", lines[0]), 69);
    EXPECT_EQ(snd::noteNumber("G#5", lines[0]), 80);
    EXPECT_EQ(snd::noteNumber("Bb3", lines[0]), 58);
    EXPECT_THROW(snd::noteNumber("H4", lines[0]), std::runtime_error);
    EXPECT_THROW(snd::noteNumber("A#", lines[0]), std::runtime_error);
}

TEST(SoundSynthesis, ALoopedLayerRunsFromItsEndIntoItsStart) {
    // A smooth noise (its filter must enter the loop as it leaves it) and two
    // tones whose frequencies do not fit the loop until rounded to it.
    for (const char* text :
         {"noise seed=3 lowpass=30 flutter=3:0.5", "tone freq=55.4 voices=2 detune=9"}) {
        SCOPED_TRACE(text);
        std::vector<double> loop(22050, 0.0);
        snd::addLayer(snd::parseLayer(lineOf(text), true),
                      snd::LayerTiming{22050, 0, 0, loop.size()}, loop);
        double largestStep = 0;
        for (size_t i = 1; i < loop.size(); ++i)
            largestStep = std::max(largestStep, std::abs(loop[i] - loop[i - 1]));
        EXPECT_GT(peakOf(loop), 20 * largestStep);  // smooth enough for a jump to show
        EXPECT_LE(std::abs(loop.front() - loop.back()), largestStep);
    }
}

TEST(SongSources, ChordTracksVoiceThePatternsChordsAndHeldNotesLast) {
    const TempFile file("voicing.song",
                        "tempo 120\n"
                        "sound s\ntone wave=sine gain=0.5\n"
                        "track bass chord sound=s voicing=root:A1\n"
                        "track pad chord sound=s voicing=close:E4\n"
                        "track lead notes sound=s\n"
                        "pattern p 2\n"
                        "chords Am F\n"
                        "bass 0.1.2.3.........\n"
                        "pad x---------------\n"
                        "lead A4 - - . C#5 - . . . . . . . . . .\n"
                        "song p p\n");
    const snd::Song song = snd::readSong(file.path);
    EXPECT_EQ(song.totalSteps(), 64);
    const auto& events = song.patterns.at("p").events;

    std::vector<std::pair<int, std::vector<int>>> bass;
    for (const snd::NoteEvent& e : events.at("bass")) bass.emplace_back(e.step, e.notes);
    // A minor from A1 up, climbing past the top into the next octave; then F.
    EXPECT_EQ(bass, (std::vector<std::pair<int, std::vector<int>>>{{0, {33}},
                                                                   {2, {36}},
                                                                   {4, {40}},
                                                                   {6, {45}},
                                                                   {16, {41}},
                                                                   {18, {45}},
                                                                   {20, {48}},
                                                                   {22, {53}}}));

    // Close voicing gathers the tones around E4, whatever the root.
    ASSERT_EQ(events.at("pad").size(), 2u);
    EXPECT_EQ(events.at("pad")[0].notes, (std::vector<int>{60, 64, 69}));
    EXPECT_EQ(events.at("pad")[0].length, 16);
    EXPECT_EQ(events.at("pad")[1].notes, (std::vector<int>{60, 65, 69}));

    // Holds lengthen a note; the one-bar line repeats over both bars.
    std::vector<std::tuple<int, int, int>> lead;
    for (const snd::NoteEvent& e : events.at("lead"))
        lead.emplace_back(e.step, e.length, e.notes.at(0));
    EXPECT_EQ(lead, (std::vector<std::tuple<int, int, int>>{
                        {0, 3, 69}, {4, 2, 73}, {16, 3, 69}, {20, 2, 73}}));
}

TEST(SongSources, AHoldWithNothingToHoldIsAnError) {
    const TempFile file("hold.song",
                        "sound s\ntone wave=sine\ntrack lead notes sound=s\n"
                        "pattern p 1\nlead A4 - . - . . . . . . . . . . . .\nsong p\n");
    EXPECT_THROW(snd::readSong(file.path), std::runtime_error);
}

TEST(SoundSynthesis, DecodedMusicGivesBackTheLoopFromItsFirstSample) {
    // A loop whose loudness climbs steadily, so that any shift shows.
    const size_t frames = 2048 * 24;
    std::vector<double> loop(frames * 2);
    for (size_t i = 0; i < frames; ++i) {
        const double level = 0.05 + 0.4 * static_cast<double>(i) / frames;
        loop[2 * i] = loop[2 * i + 1] =
            level * std::sin(2 * std::numbers::pi * 441.0 * static_cast<double>(i) / 44100);
    }
    const TempFile file("loop.wma");
    EXPECT_EQ(snd::writeLoopingWma(file.path, loop, 44100, 64000, "test"), 0);
    const std::string pcm = commandOutput("ffmpeg -v error -i '" + file.path.string() +
                                          "' -f f32le -acodec pcm_f32le -");
    ASSERT_EQ(pcm.size(), frames * 2 * sizeof(float)) << "decoded length";
    std::vector<float> decoded(frames * 2);
    std::memcpy(decoded.data(), pcm.data(), pcm.size());
    // Compare the first and a middle stretch, away from the codec's fade at the very end.
    for (size_t start : {size_t{0}, frames / 2}) {
        double error = 0, energy = 0;
        for (size_t i = start; i < start + 4096; ++i) {
            error += (decoded[2 * i] - loop[2 * i]) * (decoded[2 * i] - loop[2 * i]);
            energy += loop[2 * i] * loop[2 * i];
        }
        EXPECT_LT(error, 0.01 * energy) << "from frame " << start;
    }

    // A loop that is not a whole number of codec frames has its start repeated to fill the last.
    const TempFile uneven("uneven.wma");
    loop.resize(loop.size() - 200);
    EXPECT_EQ(snd::writeLoopingWma(uneven.path, loop, 44100, 64000, ""), 100);
}

}  // namespace
