#include "sounds/Layer.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

namespace assetgen::sounds {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

Waveform parseWave(const std::string& name, const SourceLine& line) {
    if (name == "sine") return Waveform::Sine;
    if (name == "triangle") return Waveform::Triangle;
    if (name == "saw") return Waveform::Saw;
    if (name == "square") return Waveform::Square;
    if (name == "pulse") return Waveform::Pulse;
    line.fail("unknown wave '" + name + "'");
}

// "1:1,2.76:0.5" -> ratio 1 at full strength, ratio 2.76 at half.
std::vector<Partial> parsePartials(const std::string& text, const SourceLine& line) {
    std::vector<Partial> partials;
    std::istringstream items(text);
    for (std::string item; std::getline(items, item, ',');) {
        const size_t colon = item.find(':');
        if (colon == std::string::npos) line.fail("a partial is written ratio:amplitude");
        partials.push_back(
            {parseNumber(item.substr(0, colon), line), parseNumber(item.substr(colon + 1), line)});
        if (partials.back().ratio <= 0) line.fail("a partial's ratio must be above 0");
    }
    if (partials.empty()) line.fail("no partials given");
    return partials;
}

void parseFilter(Settings& settings, Layer& layer, bool looped) {
    const std::pair<const char*, FilterKind> kinds[] = {{"lowpass", FilterKind::Lowpass},
                                                        {"highpass", FilterKind::Highpass},
                                                        {"bandpass", FilterKind::Bandpass}};
    for (const auto& [key, kind] : kinds) {
        if (!settings.has(key)) continue;
        if (layer.filter != FilterKind::None) settings.line().fail("only one filter per layer");
        layer.filter = kind;
        layer.cutoff = settings.glide(key, 0);
        if (layer.cutoff.from <= 0 || layer.cutoff.to <= 0)
            settings.line().fail("a cutoff must be above 0");
    }
    if (layer.filter == FilterKind::None) return;
    layer.q = settings.positive("q", layer.q);
    if (looped) {
        if (layer.cutoff.moves()) settings.line().fail("a looped layer's cutoff cannot sweep");
    } else {
        layer.cutoff.over = settings.number("sweep", 0);
    }
}

void parseEnvelope(Settings& settings, Layer& layer) {
    Envelope& e = layer.envelope;
    layer.start = settings.number("at", 0);
    e.attack = settings.number("attack", e.attack);
    e.decay = settings.number("decay", e.decay);
    e.sustain = settings.number("sustain", e.sustain);
    layer.hold = settings.number("hold", 0);
    e.release = settings.number("release", e.release);
    e.curve = settings.number("curve", e.curve);
    if (layer.start < 0 || e.attack < 0 || e.decay < 0 || layer.hold < 0 || e.release < 0 ||
        e.curve < 0)
        settings.line().fail("times and the curve cannot be negative");
    if (e.sustain < 0 || e.sustain > 1) settings.line().fail("sustain is a level from 0 to 1");
}

void parseTone(Settings& settings, Layer& layer, bool looped) {
    layer.wave = parseWave(settings.text("wave", "sine"), settings.line());
    layer.pulseWidth = settings.number("width", 0.5);
    if (layer.pulseWidth <= 0 || layer.pulseWidth >= 1)
        settings.line().fail("width lies between 0 and 1");
    layer.fixedPitch = settings.has("freq");
    if (layer.fixedPitch) {
        if (settings.has("ratio")) settings.line().fail("give freq or ratio, not both");
        layer.frequency = settings.glide("freq", 0);
        if (layer.frequency.from <= 0 || layer.frequency.to <= 0)
            settings.line().fail("freq must be above 0");
        if (looped && layer.frequency.moves())
            settings.line().fail("a looped layer's freq cannot glide");
        if (!looped) layer.frequency.over = settings.number("glide", 0);
    }
    layer.ratio = settings.positive("ratio", 1);
    if (settings.has("partials"))
        layer.partials = parsePartials(settings.text("partials", ""), settings.line());
    layer.voices = static_cast<int>(settings.positive("voices", 1));
    layer.detuneCents = settings.number("detune", 0);
    const auto vibrato = settings.numbers("vibrato", {0, 0});
    layer.vibratoRate = vibrato[0];
    layer.vibratoCents = vibrato[1];
    // Vibrato bends the pitch unevenly, so the tone would not come round to
    // where the loop began.
    if (looped && layer.vibratoCents != 0)
        settings.line().fail("a looped layer cannot have vibrato");
}

void parseNoise(Settings& settings, Layer& layer) {
    layer.seed = static_cast<uint32_t>(settings.number("seed", 1));
    const auto crackle = settings.numbers("crackle", {0, 0.02});
    layer.crackleRate = crackle[0];
    layer.crackleLength = crackle[1];
    if (layer.crackleRate < 0 || layer.crackleLength <= 0)
        settings.line().fail("crackle is rate:length, both above 0");
}

double snapToLoop(double hz, double loopSeconds) {
    return std::max(1.0, std::round(hz * loopSeconds)) / loopSeconds;
}

// One oscillator of a tone: a partial of one detuned voice.
struct Oscillator {
    double multiplier;
    double amplitude;
    double phase;
};

std::vector<Oscillator> oscillatorsOf(const Layer& layer) {
    std::vector<Oscillator> oscillators;
    double total = 0;
    for (const Partial& p : layer.partials) total += std::abs(p.amplitude);
    for (int v = 0; v < layer.voices; ++v) {
        const double spread = layer.voices == 1 ? 0.0 : 2.0 * v / (layer.voices - 1) - 1.0;
        const double detune = std::pow(2.0, spread * layer.detuneCents / 1200.0);
        // Voices start at different points of their cycle so that they do not
        // add up into a click at the start.
        const double phase = std::fmod(v * 0.618034, 1.0);
        for (const Partial& p : layer.partials)
            oscillators.push_back({p.ratio * detune, p.amplitude / (total * layer.voices), phase});
    }
    return oscillators;
}

}  // namespace

Layer parseLayer(const SourceLine& line, bool looped) {
    Layer layer;
    if (line.words[0] == "tone")
        layer.source = Layer::Source::Tone;
    else if (line.words[0] == "noise")
        layer.source = Layer::Source::Noise;
    else
        line.fail("expected a tone or noise layer, found '" + line.words[0] + "'");

    Settings settings(line, 1);
    if (layer.source == Layer::Source::Tone)
        parseTone(settings, layer, looped);
    else
        parseNoise(settings, layer);
    parseFilter(settings, layer, looped);
    if (!looped) parseEnvelope(settings, layer);
    layer.drive = settings.number("drive", 0);
    const auto tremolo = settings.numbers("tremolo", {0, 0});
    layer.tremoloRate = tremolo[0];
    layer.tremoloDepth = tremolo[1];
    const auto flutter = settings.numbers("flutter", {0, 0});
    layer.flutterRate = flutter[0];
    layer.flutterDepth = flutter[1];
    layer.gain = settings.number("gain", 1);
    layer.pan = settings.number("pan", 0);
    if (layer.pan < -1 || layer.pan > 1) line.fail("pan lies between -1 and 1");
    settings.requireAllTaken();
    return layer;
}

void addLayer(const Layer& layer, const LayerTiming& timing, std::span<double> out) {
    const double rate = timing.sampleRate;
    const bool looped = timing.loopFrames > 0;
    const double loopSeconds = static_cast<double>(timing.loopFrames) / rate;
    auto loopRate = [&](double hz) { return looped && hz > 0 ? snapToLoop(hz, loopSeconds) : hz; };

    const double length = looped ? loopSeconds : layer.length(timing.gate);
    const auto startFrame =
        looped ? uint64_t{0} : static_cast<uint64_t>(std::llround(layer.start * rate));
    const auto frames =
        looped ? timing.loopFrames : static_cast<uint64_t>(std::ceil(length * rate));
    // A loop is run twice and only the second pass kept, so that the filter
    // and the crackle enter the loop in the state they leave it in.
    const uint64_t passes = looped ? 2 : 1;

    std::vector<Oscillator> oscillators = oscillatorsOf(layer);
    Filter filter(layer.filter, layer.q);
    const double tremoloRate = loopRate(layer.tremoloRate);
    const double flutterRate = loopRate(layer.flutterRate);
    const Wander flutter(
        layer.seed + 101, flutterRate,
        looped ? static_cast<uint64_t>(std::llround(flutterRate * loopSeconds)) : 0);
    const double crackleFade = std::exp(-1.0 / (layer.crackleLength * rate));
    double crackle = 0;
    const double driveNorm = layer.drive > 0 ? std::tanh(layer.drive) : 1.0;

    for (uint64_t n = 0; n < frames * passes; ++n) {
        const uint64_t frame = n % frames;
        const double t = static_cast<double>(frame) / rate;
        const double level = looped ? 1.0 : layer.envelope.level(t, timing.gate);

        double sample = 0;
        if (layer.source == Layer::Source::Tone) {
            const double base = layer.fixedPitch ? layer.frequency.exponentialAt(t, length)
                                                 : timing.pitch * layer.ratio;
            const double vibrato =
                layer.vibratoCents != 0
                    ? std::pow(2.0, layer.vibratoCents * std::sin(kTwoPi * layer.vibratoRate * t) /
                                        1200.0)
                    : 1.0;
            for (Oscillator& o : oscillators) {
                const double hz =
                    (looped ? loopRate(base * o.multiplier) : base * o.multiplier) * vibrato;
                const double step = hz / rate;
                if (step < 0.5)
                    sample += o.amplitude * waveSample(layer.wave, o.phase, step, layer.pulseWidth);
                o.phase += step;
                o.phase -= std::floor(o.phase);
            }
        } else {
            sample = noiseAt(layer.seed, frame);
            if (layer.crackleRate > 0) {
                crackle *= crackleFade;
                const double chance = 0.5 + 0.5 * noiseAt(layer.seed + 7, frame);
                if (chance < layer.crackleRate / rate)
                    crackle = std::max(crackle,
                                       0.35 + 0.65 * (0.5 + 0.5 * noiseAt(layer.seed + 13, frame)));
                sample *= crackle;
            }
        }

        if (layer.filter != FilterKind::None)
            sample = filter.process(sample, layer.cutoff.exponentialAt(t, length), rate);
        if (layer.drive > 0) sample = std::tanh(layer.drive * sample) / driveNorm;
        if (layer.tremoloDepth > 0)
            sample *= 1.0 - layer.tremoloDepth * (0.5 - 0.5 * std::cos(kTwoPi * tremoloRate * t));
        if (layer.flutterDepth > 0)
            sample *= std::max(0.0, 1.0 + layer.flutterDepth * flutter.at(t));

        if (n < frames * (passes - 1)) continue;  // the warm-up pass of a loop
        const uint64_t at = startFrame + frame;
        if (at >= out.size()) break;
        out[at] += sample * level * layer.gain;
    }
}

}  // namespace assetgen::sounds
