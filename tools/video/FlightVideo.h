#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "SoundMixer.h"
#include "VideoEncoder.h"
#include "core/Bitmap.h"

namespace video {

// Lays the replayed game out on the video's clock: slot i of the constant
// 60 frames a second lies at i / 60 s and holds the last frame the window
// presented at or before that moment (black before the first), and the
// sound runs along, 735 frames of it per slot.
class FlightVideo {
  public:
    // `stopAsked` is looked at between slots: a long pause in the game makes
    // thousands of slots at once.
    FlightVideo(VideoEncoder& encoder, SoundMixer& sound, int width, int height,
                const std::atomic<bool>& stopAsked);

    // The window showed `frame` at `ms`. Throws Stopped when a stop was asked.
    void presented(const core::Bitmap& frame, uint64_t ms);
    // Ends the video at `ms`: every slot before it, and the sound to the last slot's end.
    void finish(uint64_t ms);

    uint64_t slots() const { return slots_; }

  private:
    void fillSlotsBefore(uint64_t ms);
    void addSoundUntil(uint64_t frame);

    VideoEncoder& encoder_;
    SoundMixer& sound_;
    const std::atomic<bool>& stopAsked_;
    core::Bitmap shown_;
    bool shownIsNew_ = true;
    uint64_t slots_ = 0;
    std::vector<int16_t> mixed_;
};

}  // namespace video
