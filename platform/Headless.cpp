#include "Headless.h"

#include <cstring>
#include <fstream>
#include <stdexcept>
#include <utility>

namespace platform {

// ---------------------------------------------------------------- clock

core::TimeOfDay VirtualClock::utcNow() const {
    return core::Later(start_, now_);
}

void VirtualClock::sleepMs(uint32_t ms) {
    advanceTo(now_ + ms);
}

void VirtualClock::advanceTo(uint64_t ms) {
    if (ms <= now_) return;
    const uint64_t from = now_;
    now_ = ms;
    if (onAdvance_) onAdvance_(from, ms);
}

// ---------------------------------------------------------------- audio

namespace {

// Playing time of a PCM WAVE file, from its fmt and data chunks; 0 when the
// file is not a WAVE file we can measure.
uint64_t waveLengthMs(const std::string& bytes) {
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
        return 0;
    uint32_t byteRate = 0;
    uint32_t dataSize = 0;
    size_t pos = 12;
    auto le32 = [&](size_t at) {
        uint32_t v = 0;
        std::memcpy(&v, bytes.data() + at, 4);
        return v;
    };
    while (pos + 8 <= bytes.size()) {
        const std::string id = bytes.substr(pos, 4);
        const uint32_t size = le32(pos + 4);
        // The byte rate is the third field of the fmt chunk, bytes 8 to 11.
        if (id == "fmt " && pos + 20 <= bytes.size() && size >= 12) byteRate = le32(pos + 8 + 8);
        if (id == "data") dataSize = size;
        // In 64 bits: a chunk claiming nearly 4 GiB would wrap a 32-bit step
        // to 0 and measure the same chunk for ever.
        pos += 8 + uint64_t{size} + (size & 1);
    }
    return byteRate == 0 ? 0 : uint64_t{dataSize} * 1000 / byteRate;
}

}  // namespace

void AudioRecorder::playWave(std::span<const uint8_t>, std::string_view label) {
    log_.emplace_back(label);
}

void AudioRecorder::openEngineSound(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("Cannot open the sound file " + path);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    engineLengthMs_ = waveLengthMs(bytes);
    engineEndsAt_ = 0;
    engineOpen_ = true;
}

void AudioRecorder::playEngineSound() {
    if (!engineOpen_) return;
    const uint64_t now = clock_ ? clock_->nowMs() : 0;
    if (now < engineEndsAt_) return;  // still playing: it goes on
    engineEndsAt_ = now + std::max<uint64_t>(engineLengthMs_, 1);
    log_.emplace_back("engine");
}

void AudioRecorder::setMusicStream(std::shared_ptr<PcmStream> stream) {
    music_ = std::move(stream);
    musicFramesDue_ = 0;
}

void AudioRecorder::playMusic() {
    musicPlaying_ = true;
    log_.emplace_back("music:play");
}

void AudioRecorder::stopMusic() {
    musicPlaying_ = false;
    log_.emplace_back("music:stop");
}

std::vector<std::string> AudioRecorder::takeLog() {
    return std::exchange(log_, {});
}

bool AudioRecorder::advance(uint64_t fromMs, uint64_t toMs) {
    if (!musicPlaying_ || !music_) return false;
    // Pull the frames the real device would have played in that time.
    musicFramesDue_ += (toMs - fromMs) * PcmStream::kSampleRate;
    uint64_t frames = musicFramesDue_ / 1000;
    musicFramesDue_ %= 1000;
    static thread_local std::vector<int16_t> scratch(2 * 4096);
    while (frames > 0) {
        const size_t ask = static_cast<size_t>(std::min<uint64_t>(frames, 4096));
        const size_t got = music_->read(scratch.data(), ask);
        if (got < ask) {
            musicPlaying_ = false;
            return true;
        }
        frames -= got;
    }
    return false;
}

// ---------------------------------------------------------------- back-end

HeadlessBackend::HeadlessBackend(core::TimeOfDay startTime) : clock_(startTime) {
    audio_.setClock(&clock_);
    clock_.setOnAdvance([this](uint64_t from, uint64_t to) {
        if (audio_.advance(from, to) && !stepwise_)
            queue_.push_back(Event{.type = Event::Type::MusicEnded});
    });
}

void HeadlessBackend::jumpTo(uint64_t ms) {
    stepwise_ = true;
    target_ = std::max(target_, ms);
    clock_.advanceTo(ms);
}

void HeadlessBackend::showWindow(const std::string& caption, const std::string&, Size) {
    caption_ = caption;
}

std::optional<Event> HeadlessBackend::waitEvent(std::optional<uint64_t> deadline) {
    auto pop = [this]() -> std::optional<Event> {
        if (queue_.empty()) return std::nullopt;
        Event event = std::move(queue_.front());
        queue_.pop_front();
        return event;
    };
    if (auto event = pop()) return event;
    const uint64_t now = clock_.nowMs();
    if (deadline && *deadline <= now && !stepwise_) return std::nullopt;
    if (now < target_) {
        clock_.advanceTo(deadline ? std::min(*deadline, target_) : target_);
        return pop();
    }
    const uint64_t targetBefore = target_;
    tickGranted_ = false;
    if (driver_) driver_(*this);
    // A driver that neither gave input nor let time pass has nothing more:
    // end, rather than asking it again for ever.
    if (queue_.empty() && target_ == targetBefore && !tickGranted_)
        queue_.push_back(Event{.type = Event::Type::Quit});
    return pop();
}

}  // namespace platform
