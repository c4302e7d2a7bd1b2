#include "SdlAudio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <stdexcept>

namespace platform {
namespace {

constexpr int kWaveChannel = 0;
constexpr int kEngineChannel = 1;
constexpr int kChannels = 2;
// About 23 ms at 44.1 kHz: short enough that a new sound cuts in at once.
constexpr int kBufferFrames = 1024;

}  // namespace

SdlAudio::SdlAudio(uint32_t musicEndedEventType) : musicEndedEventType_(musicEndedEventType) {
    if (SDL_WasInit(SDL_INIT_AUDIO) == 0) return;
    // No format change allowed: SDL converts for the device, so the music hook
    // can rely on 44.1 kHz stereo signed 16-bit, which is what the stream delivers.
    const int stereo = 2;
    const int noChanges = 0;
    if (Mix_OpenAudioDevice(PcmStream::kSampleRate, AUDIO_S16SYS, stereo, kBufferFrames, nullptr,
                            noChanges) != 0)
        return;
    deviceOpen_ = true;
    Mix_AllocateChannels(kChannels);
    Mix_HookMusic(&SdlAudio::mixMusic, this);
}

SdlAudio::~SdlAudio() {
    if (!deviceOpen_) return;
    Mix_HookMusic(nullptr, nullptr);
    Mix_HaltChannel(-1);
    for (const auto& [key, chunk] : waves_) Mix_FreeChunk(chunk);
    if (engine_) Mix_FreeChunk(engine_);
    Mix_CloseAudio();
}

void SdlAudio::playWave(std::span<const uint8_t> riffWave, std::string_view) {
    if (!deviceOpen_ || riffWave.empty()) return;
    const auto key = std::make_pair(riffWave.data(), riffWave.size());
    auto cached = waves_.find(key);
    if (cached == waves_.end()) {
        SDL_RWops* source = SDL_RWFromConstMem(riffWave.data(), static_cast<int>(riffWave.size()));
        Mix_Chunk* chunk = source ? Mix_LoadWAV_RW(source, 1) : nullptr;
        // Sound data that cannot be played is not played, and says nothing.
        if (!chunk) return;
        cached = waves_.emplace(key, chunk).first;
    }
    Mix_HaltChannel(kWaveChannel);
    Mix_PlayChannel(kWaveChannel, cached->second, 0);
}

void SdlAudio::stopWaves() {
    if (deviceOpen_) Mix_HaltChannel(kWaveChannel);
}

void SdlAudio::openEngineSound(const std::string& path) {
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    if (!file)
        throw std::runtime_error("Cannot open the sound file " + path + ": " + SDL_GetError());
    if (!deviceOpen_) {
        // Silent, but a missing file fails the same way as with a device.
        SDL_RWclose(file);
        return;
    }
    Mix_Chunk* chunk = Mix_LoadWAV_RW(file, 1);
    if (!chunk)
        throw std::runtime_error("Cannot play the sound file " + path + ": " + Mix_GetError());
    Mix_HaltChannel(kEngineChannel);
    if (engine_) Mix_FreeChunk(engine_);
    engine_ = chunk;
}

void SdlAudio::playEngineSound() {
    if (!deviceOpen_ || !engine_) return;
    if (Mix_Playing(kEngineChannel) == 0) Mix_PlayChannel(kEngineChannel, engine_, 0);
}

void SdlAudio::setMusicStream(std::shared_ptr<PcmStream> stream) {
    {
        std::lock_guard guard(musicLock_);
        std::swap(music_, stream);
    }
    // The old stream, if this held the last reference, goes away here on the
    // caller's thread rather than inside the audio callback.
}

void SdlAudio::playMusic() {
    std::lock_guard guard(musicLock_);
    musicPulling_ = true;
}

void SdlAudio::stopMusic() {
    std::lock_guard guard(musicLock_);
    musicPulling_ = false;
}

void SdlAudio::mixMusic(void* self, uint8_t* stream, int bytes) {
    const size_t frames = static_cast<size_t>(bytes) / (2 * sizeof(int16_t));
    static_cast<SdlAudio*>(self)->fillMusic(reinterpret_cast<int16_t*>(stream), frames);
}

// Runs on the audio thread: it touches only the stream and the pulling flag,
// and tells the game about the end through SDL's thread-safe event queue.
void SdlAudio::fillMusic(int16_t* out, size_t frames) {
    size_t filled = 0;
    bool ended = false;
    {
        std::lock_guard guard(musicLock_);
        if (musicPulling_ && music_) {
            filled = std::min(music_->read(out, frames), frames);
            if (filled < frames) {
                musicPulling_ = false;
                ended = true;
            }
        }
    }
    std::fill(out + filled * 2, out + frames * 2, int16_t{0});
    if (ended) {
        SDL_Event event{};
        event.type = musicEndedEventType_;
        SDL_PushEvent(&event);
    }
}

}  // namespace platform
