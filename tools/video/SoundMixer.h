#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/AudioListener.h"

namespace video {

// The game's sound mixed again from what the headless audio played, by the
// rules of the real output: interleaved signed 16-bit stereo at 44.1 kHz; one
// channel for the stored sounds and one for the engine, where a new sound
// cuts off the one before; the music beneath them as the output pulled it;
// all at full volume, summed music first, then the stored sounds, then the
// engine, each sum held at the 16-bit limits as SDL's mixer holds it.
class SoundMixer : public platform::AudioListener {
  public:
    void soundStarted(uint64_t ms, Channel channel, std::span<const uint8_t> riffWave,
                      std::string_view label) override;
    void storedSoundsStopped(uint64_t ms) override;
    void musicPlaying(uint64_t ms, bool playing) override;
    void musicPulled(std::span<const int16_t> interleaved) override;

    // Appends to `out` the mixed frames from where the last call ended up to
    // (not including) `frame`. Nothing may start before a frame already mixed.
    void mixUntil(uint64_t frame, std::vector<int16_t>& out);

    // The first frame of the moment `ms` on the output's clock.
    static uint64_t FrameAt(uint64_t ms);

  private:
    // What one channel plays from `start` on: a sound, or silence once cut.
    struct Voice {
        uint64_t start = 0;
        std::shared_ptr<const std::vector<int16_t>> samples;
    };

    void startVoice(Channel channel, uint64_t ms,
                    std::shared_ptr<const std::vector<int16_t>> samples);
    std::shared_ptr<const std::vector<int16_t>> decoded(std::span<const uint8_t> riffWave);
    // Adds channel `voices` into out[from..to), frames counted from `base`.
    static void addVoices(std::deque<Voice>& voices, uint64_t from, uint64_t to, int16_t* out);

    std::map<std::string, std::shared_ptr<const std::vector<int16_t>>, std::less<>> decoded_;
    std::deque<Voice> voices_[2];
    std::deque<int16_t> music_;  // pulled and not yet mixed, from musicStart_ on
    uint64_t musicStart_ = 0;
    uint64_t mixed_ = 0;  // frames handed out so far
};

}  // namespace video
