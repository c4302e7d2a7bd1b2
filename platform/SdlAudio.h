#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

#include "Audio.h"

struct Mix_Chunk;

namespace platform {

// The sound device through SDL2_mixer: channel 0 carries the stored sounds,
// channel 1 the engine sound, and the music is mixed in by a hook that pulls
// the decoded stream on the audio thread. Without a device every call still
// works and nothing is heard. SDL's audio subsystem must be initialised first
// (SDL_Init with SDL_INIT_AUDIO); if it is not, the output stays silent.
class SdlAudio : public Audio {
  public:
    // `musicEndedEventType` is the registered SDL user event pushed once when
    // the music stream runs dry.
    explicit SdlAudio(uint32_t musicEndedEventType);
    ~SdlAudio() override;
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    bool hasDevice() const { return deviceOpen_; }

    void playWave(std::span<const uint8_t> riffWave, std::string_view label) override;
    void stopWaves() override;
    void openEngineSound(const std::string& path) override;
    void playEngineSound() override;
    void setMusicStream(std::shared_ptr<PcmStream> stream) override;
    void playMusic() override;
    void stopMusic() override;

  private:
    static void mixMusic(void* self, uint8_t* stream, int bytes);
    void fillMusic(int16_t* out, size_t frames);

    uint32_t musicEndedEventType_;
    bool deviceOpen_ = false;

    // Decoded stored sounds by the address and size of their bytes: the sound
    // lists keep their bytes for the life of the program, and converting a
    // sound to the device format on every play would be wasted work.
    std::map<std::pair<const uint8_t*, size_t>, Mix_Chunk*> waves_;
    Mix_Chunk* engine_ = nullptr;

    // Shared with the audio thread.
    std::mutex musicLock_;
    std::shared_ptr<PcmStream> music_;
    bool musicPulling_ = false;
};

}  // namespace platform
