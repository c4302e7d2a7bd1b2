#pragma once

#include <cstdint>

namespace assetgen::levels {

// Smooth value noise from a seed: the same seed and point always give the
// same value, so a level's rock texture and rough edges never change between
// builds. Features are about one unit across; callers scale their points.
class Noise {
  public:
    explicit Noise(uint32_t seed) : seed_(seed) {}

    // A smooth value in -1 .. 1.
    double value(double x, double y) const;
    // Several octaves of value() added with halving weights, each octave
    // twice as fine; still within -1 .. 1.
    double fractal(double x, double y, int octaves) const;
    // A whole-number hash of a lattice point in 0 .. 2^32 - 1, for scattering
    // things (crystals, spikes) without a random generator's hidden state.
    uint32_t hash(int32_t x, int32_t y) const;

  private:
    uint32_t seed_;
};

}  // namespace assetgen::levels
