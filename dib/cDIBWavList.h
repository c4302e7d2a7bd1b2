#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "assets/StoredSounds.h"
#include "platform/Audio.h"

namespace dib {

// One sound of a TDIBWavList: a name and a complete RIFF/WAVE file, which the
// item owns. Copying an item copies its name and duplicates its bytes.
class TDIBWav {
  public:
    std::string DisplayName = "TDIBWav";

    bool HasWave() const { return !wave_.empty(); }
    std::span<const uint8_t> Wave() const { return wave_; }
    // Replaces the sound with a copy of `riffWave` (empty: no sound).
    void SetWave(std::span<const uint8_t> riffWave);

    // The stored form of the sound (the layout's WavData): the byte count as
    // a 32-bit little-endian number, then the bytes. An item without sound
    // bytes has no stored form, and writes nothing.
    std::vector<uint8_t> WriteWavData() const;
    // Reads a stored form from the start of `stored` and returns how many
    // bytes it took. The old sound is freed first, so an item whose data is
    // cut short is left without a sound; that throws std::runtime_error.
    size_t ReadWavData(std::span<const uint8_t> stored);

  private:
    std::vector<uint8_t> wave_;
};

// A list of sounds played by number, one at a time for the whole program:
// a new sound cuts off whatever sound is playing, from any list.
class TDIBWavList {
  public:
    // `name` labels the sounds this list plays ("DIBWavList2" -> "DIBWavList2:3").
    TDIBWavList(platform::Audio& audio, std::string name);
    // Stops the sound, which may be playing from this list's memory.
    ~TDIBWavList();
    TDIBWavList(const TDIBWavList&) = delete;
    TDIBWavList& operator=(const TDIBWavList&) = delete;

    const std::string& Name() const { return name_; }

    std::vector<TDIBWav> Wavs;

    // Starts sound `index` and returns at once. An item without sound bytes
    // plays nothing. An index outside the list throws core::EListError
    // "List index out of bounds (<index>)".
    void Play(int index);
    void StopAll();

  private:
    platform::Audio& audio_;
    std::string name_;
};

// Replaces the items of `list` with copies of the sounds compiled into the
// program, in their order.
void LoadStoredSounds(TDIBWavList& list, std::span<const assets::StoredSound> sounds);

}  // namespace dib
