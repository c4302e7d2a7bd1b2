#include "SoundMixer.h"

#include <algorithm>
#include <limits>

#include "WaveForOutput.h"
#include "platform/Audio.h"

namespace video {
namespace {

int16_t Saturated(int sum) {
    return static_cast<int16_t>(std::clamp(sum, int{std::numeric_limits<int16_t>::min()},
                                           int{std::numeric_limits<int16_t>::max()}));
}

}  // namespace

uint64_t SoundMixer::FrameAt(uint64_t ms) {
    return ms * platform::PcmStream::kSampleRate / 1000;
}

std::shared_ptr<const std::vector<int16_t>> SoundMixer::decoded(std::span<const uint8_t> riffWave) {
    // Keyed by the bytes themselves: the same sound plays many times, and the
    // bytes of one may be replaced by another's at the same address.
    const std::string_view bytes(reinterpret_cast<const char*>(riffWave.data()), riffWave.size());
    auto found = decoded_.find(bytes);
    if (found == decoded_.end())
        found = decoded_
                    .emplace(std::string(bytes),
                             std::make_shared<const std::vector<int16_t>>(WaveForOutput(riffWave)))
                    .first;
    return found->second;
}

void SoundMixer::startVoice(Channel channel, uint64_t ms,
                            std::shared_ptr<const std::vector<int16_t>> samples) {
    std::deque<Voice>& voices = voices_[channel == Channel::StoredSounds ? 0 : 1];
    const uint64_t start = std::max(FrameAt(ms), mixed_);
    // A later sound on the channel starting at the same frame replaces this one.
    while (!voices.empty() && voices.back().start >= start) voices.pop_back();
    voices.push_back(Voice{start, std::move(samples)});
}

void SoundMixer::soundStarted(uint64_t ms, Channel channel, std::span<const uint8_t> riffWave,
                              std::string_view) {
    // The real output ignores a sound it cannot play: the one playing goes on.
    auto samples = decoded(riffWave);
    if (!samples->empty()) startVoice(channel, ms, std::move(samples));
}

void SoundMixer::storedSoundsStopped(uint64_t ms) {
    startVoice(Channel::StoredSounds, ms, nullptr);
}

void SoundMixer::musicPlaying(uint64_t ms, bool playing) {
    if (!playing) return;  // the music already pulled still plays out
    const uint64_t resumeAt = std::max(FrameAt(ms), mixed_);
    const uint64_t written = musicStart_ + music_.size() / 2;
    if (music_.empty())
        musicStart_ = resumeAt;
    else if (resumeAt > written)
        music_.insert(music_.end(), (resumeAt - written) * 2, int16_t{0});
}

void SoundMixer::musicPulled(std::span<const int16_t> interleaved) {
    if (music_.empty()) musicStart_ = std::max(musicStart_, mixed_);
    music_.insert(music_.end(), interleaved.begin(), interleaved.end());
}

void SoundMixer::addVoices(std::deque<Voice>& voices, uint64_t from, uint64_t to, int16_t* out) {
    for (size_t i = 0; i < voices.size(); ++i) {
        const Voice& voice = voices[i];
        if (!voice.samples) continue;
        const uint64_t cut =
            i + 1 < voices.size() ? voices[i + 1].start : std::numeric_limits<uint64_t>::max();
        const uint64_t end = std::min({to, cut, voice.start + voice.samples->size() / 2});
        for (uint64_t f = std::max(from, voice.start); f < end; ++f)
            for (uint64_t side = 0; side < 2; ++side) {
                int16_t& sample = out[(f - from) * 2 + side];
                sample = Saturated(sample + (*voice.samples)[(f - voice.start) * 2 + side]);
            }
    }
    // Only the last voice that started by `to` can still sound afterwards.
    while (voices.size() > 1 && voices[1].start <= to) voices.pop_front();
}

void SoundMixer::mixUntil(uint64_t frame, std::vector<int16_t>& out) {
    if (frame <= mixed_) return;
    const size_t first = out.size();
    out.resize(first + (frame - mixed_) * 2, int16_t{0});
    int16_t* mix = out.data() + first;

    // The music lies under everything: it is copied, not added.
    if (musicStart_ < mixed_) {
        const uint64_t stale = std::min<uint64_t>(mixed_ - musicStart_, music_.size() / 2);
        music_.erase(music_.begin(), music_.begin() + static_cast<std::ptrdiff_t>(stale * 2));
        musicStart_ += stale;
    }
    const uint64_t musicFrom = std::max(musicStart_, mixed_);
    const uint64_t musicTo = std::min<uint64_t>(frame, musicStart_ + music_.size() / 2);
    if (musicFrom < musicTo) {
        std::copy_n(music_.begin() + static_cast<std::ptrdiff_t>((musicFrom - musicStart_) * 2),
                    (musicTo - musicFrom) * 2, mix + (musicFrom - mixed_) * 2);
        music_.erase(music_.begin(),
                     music_.begin() + static_cast<std::ptrdiff_t>((musicTo - musicStart_) * 2));
        musicStart_ = musicTo;
    }

    for (std::deque<Voice>& voices : voices_) addVoices(voices, mixed_, frame, mix);
    mixed_ = frame;
}

}  // namespace video
