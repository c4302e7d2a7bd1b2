#pragma once

#include <cstdint>

// The building blocks every sound is made of: oscillators, an envelope,
// reproducible noise and a resonant filter.
namespace assetgen::sounds {

enum class Waveform { Sine, Triangle, Saw, Square, Pulse };

// One sample of a waveform at `phase` (0..1) advancing `step` per sample. The
// jumps of saw, square and pulse are rounded off over one sample (polyBLEP),
// so that high notes at 8 and 11 kHz do not fold back as harsh whistles.
double waveSample(Waveform wave, double phase, double step, double pulseWidth);

// Attack, decay to the sustain level while held, release after the gate.
// `curve` bends decay and release: 0 is straight, larger values fall fast
// first and then linger, as struck and ringing things do.
struct Envelope {
    double attack = 0.002;
    double decay = 0;
    double sustain = 1;
    double release = 0.05;
    double curve = 4;

    // Level `t` seconds after the start of a note held `gate` seconds.
    double level(double t, double gate) const;
};

// Noise that depends only on (seed, index): the same sources always give the
// same sound, and a loop can wrap its index to repeat the same noise exactly.
double noiseAt(uint32_t seed, uint64_t index);

// A slow random wander between -1 and 1, `rate` new values a second, eased
// between them. With `wrapPoints` > 0 the values repeat after that many.
class Wander {
  public:
    Wander(uint32_t seed, double rate, uint64_t wrapPoints);
    double at(double seconds) const;

  private:
    double point(uint64_t index) const;
    uint32_t seed_;
    double rate_;
    uint64_t wrap_;
};

enum class FilterKind { None, Lowpass, Highpass, Bandpass };

// A state-variable filter in its trapezoidal form: stable for any cutoff
// below half the sample rate, even while the cutoff sweeps every sample.
class Filter {
  public:
    Filter(FilterKind kind, double q) : kind_(kind), damping_(1.0 / q) {}
    double process(double input, double cutoffHz, double sampleRate);

  private:
    FilterKind kind_;
    double damping_;
    double state1_ = 0;
    double state2_ = 0;
};

}  // namespace assetgen::sounds
