#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace video {

// A stored RIFF/WAVE sound as the game's output plays it: interleaved signed
// 16-bit stereo at 44.1 kHz. 8-bit samples are unsigned and widen as SDL
// widens them, a mono sound plays the same on both sides, and other rates are
// resampled. Empty when the bytes are no 8- or 16-bit PCM wave, which the
// real output does not play either.
std::vector<int16_t> WaveForOutput(std::span<const uint8_t> riffWave);

}  // namespace video
