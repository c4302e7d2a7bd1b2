#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace assetgen::sounds {

// Uncompressed PCM: 8-bit samples are unsigned, 16-bit ones signed.
struct PcmFormat {
    uint32_t sampleRate = 22050;
    uint16_t bits = 16;
    uint16_t channels = 1;

    uint32_t blockAlign() const { return channels * bits / 8u; }
};

// The size of the canonical 44-byte header in front of the samples.
inline constexpr uint32_t kWaveHeaderBytes = 44;

// A complete RIFF/WAVE file holding `interleaved` samples (-1..1, clamped);
// an odd data chunk gets the pad byte RIFF asks for.
std::vector<uint8_t> encodeWave(const PcmFormat& format, std::span<const double> interleaved);

}  // namespace assetgen::sounds
