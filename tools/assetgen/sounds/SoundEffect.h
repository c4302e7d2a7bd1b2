#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "sounds/Layer.h"
#include "sounds/WaveFile.h"

// A sound effect source: its name and WAVE format, its length (the exact
// WAVE file size, or a loop length), its loudness, and its layers.
namespace assetgen::sounds {

struct SoundEffect {
    std::string name;
    PcmFormat format;
    uint32_t waveBytes = 0;  // the whole file, header included; 0 for a loop
    double loopSeconds = 0;  // > 0: a seamless loop
    double peak = 0.89;      // the loudest sample, as a fraction of full scale
    double echoDelay = 0;    // seconds; 0 for none
    double echoFeedback = 0;
    double echoMix = 0;
    std::vector<Layer> layers;

    uint64_t frames() const;
};

SoundEffect readSoundEffect(const std::filesystem::path& file);

// The finished samples, interleaved, with the loudest at exactly `peak`.
// A loop is turned to begin at its quietest zero crossing: it repeats the
// same way, and its very first start does not click.
std::vector<double> renderSoundEffect(const SoundEffect& sound);

}  // namespace assetgen::sounds
