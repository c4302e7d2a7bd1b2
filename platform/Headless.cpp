#include "Headless.h"

#include "WaveChunks.h"

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

// Playing time of a WAVE file, from its format and data chunks; 0 when the
// file is not a WAVE file we can measure.
uint64_t waveLengthMs(std::span<const uint8_t> bytes) {
    const std::optional<WaveChunks> wave = ReadWaveChunks(bytes);
    if (!wave || wave->byteRate == 0) return 0;
    return uint64_t{wave->data.size()} * 1000 / wave->byteRate;
}

}  // namespace

void AudioRecorder::playWave(std::span<const uint8_t> riffWave, std::string_view label) {
    log_.emplace_back(label);
    // The stored sounds' bytes live as long as the program.
    tell([riffWave, name = std::string(label)](AudioListener& listener, uint64_t ms) {
        listener.soundStarted(ms, AudioListener::Channel::StoredSounds, riffWave, name);
    });
}

void AudioRecorder::stopWaves() {
    tell([](AudioListener& listener, uint64_t ms) { listener.storedSoundsStopped(ms); });
}

void AudioRecorder::openEngineSound(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("Cannot open the sound file " + path);
    engineWave_.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    engineLengthMs_ = waveLengthMs(engineWave_);
    engineEndsAt_ = 0;
    engineOpen_ = true;
}

void AudioRecorder::playEngineSound() {
    if (!engineOpen_) return;
    const uint64_t at = now();
    if (at < engineEndsAt_) return;  // still playing: it goes on
    engineEndsAt_ = at + std::max<uint64_t>(engineLengthMs_, 1);
    log_.emplace_back("engine");
    // A copy, made only for a listener: the engine sound may be opened anew
    // before a start-up ends.
    if (listener_)
        tell([wave = engineWave_](AudioListener& listener, uint64_t ms) {
            listener.soundStarted(ms, AudioListener::Channel::Engine, wave, "engine");
        });
}

void AudioRecorder::setMusicStream(std::shared_ptr<PcmStream> stream) {
    music_ = std::move(stream);
    musicFramesDue_ = 0;
}

void AudioRecorder::playMusic() {
    musicPlaying_ = true;
    log_.emplace_back("music:play");
    tell([](AudioListener& listener, uint64_t ms) { listener.musicPlaying(ms, true); });
}

void AudioRecorder::stopMusic() {
    musicPlaying_ = false;
    log_.emplace_back("music:stop");
    tell([](AudioListener& listener, uint64_t ms) { listener.musicPlaying(ms, false); });
}

std::vector<std::string> AudioRecorder::takeLog() {
    return std::exchange(log_, {});
}

void AudioRecorder::tell(std::function<void(AudioListener&, uint64_t)> news) {
    if (!listener_) return;
    if (startingUp_)
        heardInStartUp_.push_back(std::move(news));
    else
        news(*listener_, now());
}

void AudioRecorder::endStartUp(uint64_t ms) {
    if (!startingUp_) return;
    startingUp_ = false;
    startUpEnd_ = ms;
    for (const auto& news : std::exchange(heardInStartUp_, {}))
        if (listener_) news(*listener_, ms);
}

bool AudioRecorder::advance(uint64_t fromMs, uint64_t toMs) {
    endStartUp(fromMs);
    fromMs = std::max(fromMs, startUpEnd_);
    if (!musicPlaying_ || !music_ || toMs <= fromMs) return false;
    // Pull the frames the real device would have played in that time.
    musicFramesDue_ += (toMs - fromMs) * PcmStream::kSampleRate;
    uint64_t frames = musicFramesDue_ / 1000;
    musicFramesDue_ %= 1000;
    static thread_local std::vector<int16_t> scratch(2 * 4096);
    while (frames > 0) {
        const size_t ask = static_cast<size_t>(std::min<uint64_t>(frames, 4096));
        const size_t got = music_->read(scratch.data(), ask);
        if (listener_) listener_->musicPulled(std::span(scratch.data(), got * 2));
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
    if (!stepwise_) audio_.endStartUp(ms);
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
