#include "sounds/Levels.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace assetgen::sounds {
namespace {

double decibels(double level) {
    return level > 0 ? 20.0 * std::log10(level) : -200.0;
}

double largest(std::span<const double> samples) {
    double peak = 0;
    for (double s : samples) peak = std::max(peak, std::abs(s));
    return peak;
}

}  // namespace

Levels measureLevels(std::span<const double> samples) {
    double sum = 0;
    for (double s : samples) sum += s * s;
    const double rms = samples.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(samples.size()));
    return Levels{decibels(largest(samples)), decibels(rms)};
}

void scaleToPeak(std::span<double> samples, double peak, const std::string& what) {
    const double loudest = largest(samples);
    if (loudest < 1e-9) throw std::runtime_error(what + " is silent");
    const double factor = peak / loudest;
    for (double& s : samples) s *= factor;
}

}  // namespace assetgen::sounds
