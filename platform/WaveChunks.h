#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace platform {

// The format and the samples of a RIFF/WAVE file in memory.
struct WaveChunks {
    uint16_t formatTag = 0;  // 1 is plain PCM
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint32_t byteRate = 0;
    uint16_t bitsPerSample = 0;
    // The data chunk, as far as the file holds it.
    std::span<const uint8_t> data;
};

// Nullopt when the bytes are no RIFF/WAVE file with a format chunk.
std::optional<WaveChunks> ReadWaveChunks(std::span<const uint8_t> riffWave);

}  // namespace platform
