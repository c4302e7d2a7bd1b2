#include "sounds/Synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace assetgen::sounds {
namespace {

// Smooths a unit jump at phase 0 over one sample on each side.
double polyBlep(double phase, double step) {
    if (phase < step) {
        const double x = phase / step;
        return x + x - x * x - 1.0;
    }
    if (phase > 1.0 - step) {
        const double x = (phase - 1.0) / step;
        return x * x + x + x + 1.0;
    }
    return 0.0;
}

double wrapPhase(double phase) {
    return phase - std::floor(phase);
}

// Falls from 1 to 0 as x goes from 0 to 1.
double fall(double x, double curve) {
    x = std::clamp(x, 0.0, 1.0);
    if (curve < 1e-6) return 1.0 - x;
    const double end = std::exp(-curve);
    return (std::exp(-curve * x) - end) / (1.0 - end);
}

uint32_t mix32(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

}  // namespace

double waveSample(Waveform wave, double phase, double step, double pulseWidth) {
    // A pulse jumps up at phase 0 and down at its width; it is shifted to
    // stay centred on zero whatever its width.
    auto pulse = [&](double width) {
        const double naive = phase < width ? 1.0 : -1.0;
        return naive + polyBlep(phase, step) - polyBlep(wrapPhase(phase - width), step) +
               (1.0 - 2.0 * width);
    };
    switch (wave) {
        case Waveform::Sine:
            return std::sin(2.0 * std::numbers::pi * phase);
        case Waveform::Triangle:
            return phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
        case Waveform::Saw:
            return 2.0 * phase - 1.0 - polyBlep(phase, step);
        case Waveform::Square:
            return pulse(0.5);
        case Waveform::Pulse:
            return pulse(pulseWidth);
    }
    return 0.0;
}

double Envelope::level(double t, double gate) const {
    auto held = [this](double at) {
        if (at < attack) return at / attack;
        if (at < attack + decay)
            return sustain + (1.0 - sustain) * fall((at - attack) / decay, curve);
        return sustain;
    };
    if (t < 0) return 0.0;
    if (t < gate) return held(t);
    if (release <= 0) return 0.0;
    return held(gate) * fall((t - gate) / release, curve);
}

double noiseAt(uint32_t seed, uint64_t index) {
    const uint32_t h =
        mix32(static_cast<uint32_t>(index) ^ mix32(seed ^ static_cast<uint32_t>(index >> 32)));
    return static_cast<double>(h) / 2147483648.0 - 1.0;
}

Wander::Wander(uint32_t seed, double rate, uint64_t wrapPoints)
    : seed_(seed), rate_(rate), wrap_(wrapPoints) {}

double Wander::point(uint64_t index) const {
    return noiseAt(seed_ ^ 0x5bd1e995U, wrap_ > 0 ? index % wrap_ : index);
}

double Wander::at(double seconds) const {
    const double position = std::max(0.0, seconds * rate_);
    const auto index = static_cast<uint64_t>(position);
    const double x = position - static_cast<double>(index);
    const double ease = 0.5 - 0.5 * std::cos(std::numbers::pi * x);
    return point(index) + (point(index + 1) - point(index)) * ease;
}

double Filter::process(double input, double cutoffHz, double sampleRate) {
    if (kind_ == FilterKind::None) return input;
    const double cutoff = std::clamp(cutoffHz, 10.0, 0.49 * sampleRate);
    const double g = std::tan(std::numbers::pi * cutoff / sampleRate);
    const double a1 = 1.0 / (1.0 + g * (g + damping_));
    const double a2 = g * a1;
    const double a3 = g * a2;
    const double v3 = input - state2_;
    const double v1 = a1 * state1_ + a2 * v3;
    const double v2 = state2_ + a2 * state1_ + a3 * v3;
    state1_ = 2.0 * v1 - state1_;
    state2_ = 2.0 * v2 - state2_;
    switch (kind_) {
        case FilterKind::Lowpass:
            return v2;
        case FilterKind::Highpass:
            return input - damping_ * v1 - v2;
        case FilterKind::Bandpass:
            return damping_ * v1;  // unity gain at the centre
        case FilterKind::None:
            break;
    }
    return input;
}

}  // namespace assetgen::sounds
