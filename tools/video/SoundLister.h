#pragma once

#include <ostream>

#include "platform/AudioListener.h"

namespace video {

// Writes down when each sound started, one "MS NAME" line each, the moments
// on the recording's clock: what a video's sound track is laid out by.
class SoundLister : public platform::AudioListener {
  public:
    explicit SoundLister(std::ostream& out) : out_(out) {}

    void soundStarted(uint64_t ms, Channel, std::span<const uint8_t>,
                      std::string_view label) override {
        out_ << ms << ' ' << label << '\n';
    }
    void storedSoundsStopped(uint64_t ms) override { out_ << ms << " sounds:stop\n"; }
    void musicPlaying(uint64_t ms, bool playing) override {
        out_ << ms << (playing ? " music:play\n" : " music:stop\n");
    }
    void musicPulled(std::span<const int16_t>) override {}

  private:
    std::ostream& out_;
};

}  // namespace video
