#pragma once

#include <span>
#include <string>

namespace assetgen::sounds {

struct Levels {
    double peakDb = 0;  // dB below full scale
    double rmsDb = 0;
};

Levels measureLevels(std::span<const double> samples);

// Scales the samples so that the loudest is exactly `peak` (0..1). A silent
// sound is a mistake in its source and is reported as one.
void scaleToPeak(std::span<double> samples, double peak, const std::string& what);

}  // namespace assetgen::sounds
