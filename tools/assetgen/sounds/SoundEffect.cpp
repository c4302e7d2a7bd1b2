#include "sounds/SoundEffect.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sounds/Levels.h"

namespace assetgen::sounds {
namespace {

bool isLayerLine(const SourceLine& line) {
    return line.words[0] == "tone" || line.words[0] == "noise";
}

void requireWords(const SourceLine& line, size_t count) {
    if (line.words.size() != count)
        line.fail("'" + line.words[0] + "' takes " + std::to_string(count - 1) + " value(s)");
}

void readHeaderLine(const SourceLine& line, SoundEffect& sound) {
    const std::string& key = line.words[0];
    if (key == "name") {
        requireWords(line, 2);
        sound.name = line.words[1];
    } else if (key == "format") {
        requireWords(line, 4);
        sound.format.sampleRate = static_cast<uint32_t>(parseNumber(line.words[1], line));
        sound.format.bits = static_cast<uint16_t>(parseNumber(line.words[2], line));
        if (line.words[3] != "mono" && line.words[3] != "stereo")
            line.fail("channels are mono or stereo");
        sound.format.channels = line.words[3] == "mono" ? 1 : 2;
        if (sound.format.sampleRate < 4000 || (sound.format.bits != 8 && sound.format.bits != 16))
            line.fail("unsupported format");
    } else if (key == "bytes") {
        requireWords(line, 2);
        sound.waveBytes = static_cast<uint32_t>(parseNumber(line.words[1], line));
    } else if (key == "loop") {
        requireWords(line, 2);
        sound.loopSeconds = parseNumber(line.words[1], line);
    } else if (key == "peak") {
        requireWords(line, 2);
        sound.peak = parseNumber(line.words[1], line);
        if (sound.peak <= 0 || sound.peak > 1) line.fail("peak lies between 0 and 1");
    } else if (key == "echo") {
        requireWords(line, 4);
        sound.echoDelay = parseNumber(line.words[1], line);
        sound.echoFeedback = parseNumber(line.words[2], line);
        sound.echoMix = parseNumber(line.words[3], line);
        if (sound.echoDelay <= 0 || sound.echoFeedback < 0 || sound.echoFeedback >= 1)
            line.fail("echo is delay (above 0), feedback (0 to below 1) and mix");
    } else {
        line.fail("unknown line '" + key + "'");
    }
}

// Repeats of the sound `delay` seconds apart, each `feedback` times the last.
void addEcho(std::vector<double>& samples, const SoundEffect& sound) {
    const size_t channels = sound.format.channels;
    const auto delay =
        static_cast<size_t>(std::llround(sound.echoDelay * sound.format.sampleRate)) * channels;
    std::vector<double> wet(samples.size(), 0.0);
    for (size_t i = delay; i < samples.size(); ++i)
        wet[i] = samples[i - delay] + sound.echoFeedback * wet[i - delay];
    for (size_t i = 0; i < samples.size(); ++i) samples[i] += sound.echoMix * wet[i];
}

// Layers may ring on past the end of the file: fade the last few
// milliseconds so that the cut cannot click.
void fadeOutEnd(std::vector<double>& samples, const SoundEffect& sound) {
    const size_t channels = sound.format.channels;
    const size_t frames = samples.size() / channels;
    const size_t fade = std::min<size_t>(frames, sound.format.sampleRate * 3 / 1000);
    for (size_t f = 0; f < fade; ++f) {
        const double gain = static_cast<double>(f) / static_cast<double>(fade);
        for (size_t c = 0; c < channels; ++c) samples[(frames - 1 - f) * channels + c] *= gain;
    }
}

// Turns a loop (a circle of frames) so that it begins where the sound
// crosses zero upward with the least energy around it, on the sample of the
// crossing nearer to zero.
void startAtQuietestCrossing(std::vector<double>& samples, const SoundEffect& sound) {
    const size_t channels = sound.format.channels;
    const size_t frames = samples.size() / channels;
    std::vector<double> mono(frames, 0.0);
    for (size_t f = 0; f < frames; ++f)
        for (size_t c = 0; c < channels; ++c) mono[f] += samples[f * channels + c];
    const size_t window = std::max<size_t>(1, sound.format.sampleRate / 500);
    double energy = 0;
    for (size_t k = frames - window; k < frames + window; ++k)
        energy += mono[k % frames] * mono[k % frames];
    size_t best = 0;
    double bestEnergy = INFINITY;
    for (size_t f = 0; f < frames; ++f) {
        const double before = mono[(f + frames - 1) % frames];
        if (before <= 0 && mono[f] > 0 && energy < bestEnergy) {
            bestEnergy = energy;
            best = -before < mono[f] ? (f + frames - 1) % frames : f;  // the sample nearer to zero
        }
        const double leaving = mono[(f + frames - window) % frames];
        const double entering = mono[(f + window) % frames];
        energy += entering * entering - leaving * leaving;
    }
    std::rotate(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(best * channels),
                samples.end());
}

}  // namespace

uint64_t SoundEffect::frames() const {
    if (loopSeconds > 0)
        return static_cast<uint64_t>(std::llround(loopSeconds * format.sampleRate));
    return (waveBytes - kWaveHeaderBytes) / format.blockAlign();
}

SoundEffect readSoundEffect(const std::filesystem::path& file) {
    const std::vector<SourceLine> lines = readSourceLines(file);
    SoundEffect sound;
    for (const SourceLine& line : lines)
        if (!isLayerLine(line)) readHeaderLine(line, sound);
    const bool looped = sound.loopSeconds > 0;
    for (const SourceLine& line : lines) {
        if (!isLayerLine(line)) continue;
        sound.layers.push_back(parseLayer(line, looped));
        if (sound.layers.back().source == Layer::Source::Tone && !sound.layers.back().fixedPitch)
            line.fail("a tone of a sound effect needs its freq");
    }

    const std::string where = file.filename().string() + ": ";
    if (sound.name.empty()) throw std::runtime_error(where + "no name");
    if (sound.layers.empty()) throw std::runtime_error(where + "no layers");
    if (looped == (sound.waveBytes != 0))
        throw std::runtime_error(where + "give either bytes or loop");
    if (looped && sound.echoDelay > 0) throw std::runtime_error(where + "a loop cannot echo");
    if (!looped && (sound.waveBytes <= kWaveHeaderBytes ||
                    (sound.waveBytes - kWaveHeaderBytes) % sound.format.blockAlign() != 0))
        throw std::runtime_error(where + "bytes must be the header plus whole frames");
    return sound;
}

std::vector<double> renderSoundEffect(const SoundEffect& sound) {
    const uint64_t frames = sound.frames();
    const size_t channels = sound.format.channels;
    const bool looped = sound.loopSeconds > 0;
    std::vector<double> samples(frames * channels, 0.0);
    std::vector<double> layerSamples(frames);
    for (const Layer& layer : sound.layers) {
        std::fill(layerSamples.begin(), layerSamples.end(), 0.0);
        const LayerTiming timing{static_cast<double>(sound.format.sampleRate), 0,
                                 layer.oneShotGate(), looped ? frames : 0};
        addLayer(layer, timing, layerSamples);
        // Equal-power panning keeps a layer as loud in the middle as at a side.
        const double angle = (layer.pan + 1.0) * std::numbers::pi / 4.0;
        const double gains[2] = {std::cos(angle), std::sin(angle)};
        for (size_t f = 0; f < frames; ++f) {
            if (channels == 1) {
                samples[f] += layerSamples[f];
            } else {
                samples[f * 2] += layerSamples[f] * gains[0];
                samples[f * 2 + 1] += layerSamples[f] * gains[1];
            }
        }
    }
    if (sound.echoDelay > 0) addEcho(samples, sound);
    if (looped)
        startAtQuietestCrossing(samples, sound);
    else
        fadeOutEnd(samples, sound);
    scaleToPeak(samples, sound.peak, sound.name);
    return samples;
}

}  // namespace assetgen::sounds
