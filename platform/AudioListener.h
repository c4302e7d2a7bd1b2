#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace platform {

// Hears what the headless audio plays, at the moments of the virtual clock,
// so that a tool can mix the sound the real output would have made (the
// video maker does).
class AudioListener {
  public:
    enum class Channel { StoredSounds, Engine };

    virtual ~AudioListener() = default;
    // A sound starts on `channel`, cutting off whatever that channel played.
    // `riffWave` is the complete RIFF/WAVE file, valid during the call only
    // (the engine sound may be opened anew). `label` names it as the
    // recorder's log does ("DIBWavList2:3", "engine").
    virtual void soundStarted(uint64_t ms, Channel channel, std::span<const uint8_t> riffWave,
                              std::string_view label) = 0;
    virtual void storedSoundsStopped(uint64_t ms) = 0;
    virtual void musicPlaying(uint64_t ms, bool playing) = 0;
    // The music the output pulled, in order, from where it was last played:
    // interleaved signed 16-bit stereo frames at PcmStream::kSampleRate.
    virtual void musicPulled(std::span<const int16_t> interleaved) = 0;
};

}  // namespace platform
