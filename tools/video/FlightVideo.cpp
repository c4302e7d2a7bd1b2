#include "FlightVideo.h"

#include "Stopped.h"

namespace video {
namespace {

constexpr uint64_t kSoundFramesPerSlot = VideoEncoder::kSampleRate / VideoEncoder::kFramesPerSecond;
static_assert(kSoundFramesPerSlot * VideoEncoder::kFramesPerSecond == VideoEncoder::kSampleRate);

// The music the output pulled while the clock moved to a moment may end a
// frame short of it; mixing stays this far behind the clock so that no
// frame is mixed before its music came.
constexpr uint64_t kMixingLag = 64;

}  // namespace

FlightVideo::FlightVideo(VideoEncoder& encoder, SoundMixer& sound, int width, int height,
                         const std::atomic<bool>& stopAsked)
    : encoder_(encoder),
      sound_(sound),
      stopAsked_(stopAsked),
      shown_(width, height, core::PixelWord{0xFF000000u}) {}

void FlightVideo::fillSlotsBefore(uint64_t ms) {
    // Slot i lies at i * 1000 / 60 ms; compared in whole numbers.
    while (slots_ * 1000 < ms * VideoEncoder::kFramesPerSecond) {
        if (stopAsked_) throw Stopped{};
        if (shownIsNew_)
            encoder_.addPicture(shown_);
        else
            encoder_.repeatPicture();
        shownIsNew_ = false;
        ++slots_;
    }
}

void FlightVideo::addSoundUntil(uint64_t frame) {
    mixed_.clear();
    sound_.mixUntil(frame, mixed_);
    if (!mixed_.empty()) encoder_.addSound(mixed_);
}

void FlightVideo::presented(const core::Bitmap& frame, uint64_t ms) {
    fillSlotsBefore(ms);
    shown_ = frame;
    shownIsNew_ = true;
    const uint64_t now = SoundMixer::FrameAt(ms);
    if (now > kMixingLag) addSoundUntil(now - kMixingLag);
}

void FlightVideo::finish(uint64_t ms) {
    fillSlotsBefore(ms);
    addSoundUntil(slots_ * kSoundFramesPerSlot);
    encoder_.finish();
}

}  // namespace video
