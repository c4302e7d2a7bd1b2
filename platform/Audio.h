#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace platform {

// Decoded music, pulled by the audio output on its own thread: interleaved
// signed 16-bit stereo at kMusicSampleRate. The stream must not touch game state.
class PcmStream {
  public:
    static constexpr int kSampleRate = 44100;
    virtual ~PcmStream() = default;
    // Fills up to `frames` stereo frames; fewer (or 0) means the end was reached.
    virtual size_t read(int16_t* interleaved, size_t frames) = 0;
};

// Everything the game plays. One channel carries the stored sounds (a new one
// cuts off the old), one the engine sound, and the music runs beside them.
class Audio {
  public:
    virtual ~Audio() = default;

    // Plays a complete RIFF/WAVE file from memory without waiting. The bytes
    // stay valid while the sound plays. Data that cannot be played is ignored.
    // `label` names the sound for recordings ("DIBWavList2:3").
    virtual void playWave(std::span<const uint8_t> riffWave, std::string_view label) = 0;
    virtual void stopWaves() = 0;

    // The engine sound, a media player on its own channel: `play` lets a
    // sound that still plays go on and starts an ended one from the beginning.
    // openEngineSound throws std::runtime_error when the file cannot be opened.
    virtual void openEngineSound(const std::string& path) = 0;
    virtual void playEngineSound() = 0;

    // Music: `play` starts or resumes pulling from the stream, `stop` pauses
    // it (the stream keeps its position). When the stream runs dry the back-end
    // posts an Event::Type::MusicEnded to the loop.
    virtual void setMusicStream(std::shared_ptr<PcmStream> stream) = 0;
    virtual void playMusic() = 0;
    virtual void stopMusic() = 0;
};

}  // namespace platform
