#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "sounds/SourceText.h"
#include "sounds/Synth.h"

// A layer is one line of a sound source: a tone or a noise, shaped by an
// envelope and a filter. Sound effects, instruments, drums and the engine
// loop are all stacks of layers.
namespace assetgen::sounds {

struct Partial {
    double ratio = 1;
    double amplitude = 1;
};

struct Layer {
    enum class Source { Tone, Noise };
    Source source = Source::Tone;

    // Tones: a fixed frequency (possibly gliding), or a ratio of the note
    // an instrument is asked to play.
    Waveform wave = Waveform::Sine;
    double pulseWidth = 0.5;
    bool fixedPitch = false;
    Glide frequency;
    double ratio = 1;
    std::vector<Partial> partials{Partial{}};
    int voices = 1;
    double detuneCents = 0;  // the voices spread over +- this
    double vibratoRate = 0;
    double vibratoCents = 0;

    // Noise: its seed, and optional crackle (short random bursts).
    uint32_t seed = 1;
    double crackleRate = 0;
    double crackleLength = 0.02;

    double start = 0;  // seconds after the sound or note begins
    Envelope envelope;
    double hold = 0;  // one-shot sounds: time at the sustain level
    FilterKind filter = FilterKind::None;
    Glide cutoff;
    double q = 0.707;
    double drive = 0;  // soft saturation; 0 leaves the layer clean
    double tremoloRate = 0;
    double tremoloDepth = 0;
    double flutterRate = 0;  // random swell and fade of the level
    double flutterDepth = 0;
    double gain = 1;
    double pan = 0;  // -1 left .. 1 right, for stereo sounds

    // How long a one-shot layer is held before its release.
    double oneShotGate() const { return envelope.attack + envelope.decay + hold; }
    // Seconds from the layer's start until it has died away.
    double length(double gate) const { return gate + envelope.release; }
};

// A looped layer repeats seamlessly, so it has no envelope and nothing in it
// may glide; its frequencies are rounded to whole cycles per loop.
Layer parseLayer(const SourceLine& line, bool looped);

struct LayerTiming {
    double sampleRate = 44100;
    double pitch = 0;         // Hz of the note, for layers without a fixed pitch
    double gate = 0;          // seconds the note is held
    uint64_t loopFrames = 0;  // > 0: render exactly one seamless loop of this length
};

// Adds the layer into `out`, from out[0] on (plus the layer's own start);
// whatever falls beyond the end of `out` is dropped.
void addLayer(const Layer& layer, const LayerTiming& timing, std::span<double> out);

}  // namespace assetgen::sounds
