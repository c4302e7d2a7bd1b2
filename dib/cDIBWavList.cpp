#include "dib/cDIBWavList.h"
#include "core/EListError.h"

#include <stdexcept>
#include <utility>

namespace dib {

void TDIBWav::SetWave(std::span<const uint8_t> riffWave) {
    if (riffWave.size() > UINT32_MAX) throw std::length_error("a sound holds at most 4 GB");
    wave_.assign(riffWave.begin(), riffWave.end());
}

std::vector<uint8_t> TDIBWav::WriteWavData() const {
    if (wave_.empty()) return {};
    const auto count = static_cast<uint32_t>(wave_.size());
    std::vector<uint8_t> stored;
    stored.reserve(4 + wave_.size());
    for (int shift = 0; shift < 32; shift += 8)
        stored.push_back(static_cast<uint8_t>(count >> shift));
    stored.insert(stored.end(), wave_.begin(), wave_.end());
    return stored;
}

size_t TDIBWav::ReadWavData(std::span<const uint8_t> stored) {
    wave_.clear();
    wave_.shrink_to_fit();
    if (stored.size() < 4) throw std::runtime_error("Stream read error");
    uint32_t count = 0;
    for (int i = 0; i < 4; ++i) count |= uint32_t{stored[static_cast<size_t>(i)]} << (8 * i);
    if (stored.size() - 4 < count) throw std::runtime_error("Stream read error");
    wave_.assign(stored.begin() + 4, stored.begin() + 4 + count);
    return 4 + static_cast<size_t>(count);
}

TDIBWavList::TDIBWavList(platform::Audio& audio, std::string name)
    : audio_(audio), name_(std::move(name)) {}

TDIBWavList::~TDIBWavList() {
    StopAll();
}

void TDIBWavList::Play(int index) {
    if (index < 0 || static_cast<size_t>(index) >= Wavs.size())
        throw core::EListError("List index out of bounds (" + std::to_string(index) + ")");
    const TDIBWav& item = Wavs[static_cast<size_t>(index)];
    if (!item.HasWave()) return;
    audio_.playWave(item.Wave(), name_ + ":" + std::to_string(index));
}

void TDIBWavList::StopAll() {
    audio_.stopWaves();
}

void LoadStoredSounds(TDIBWavList& list, std::span<const assets::StoredSound> sounds) {
    list.StopAll();  // the old items' bytes are about to be freed
    list.Wavs.clear();
    for (const assets::StoredSound& sound : sounds) {
        TDIBWav& item = list.Wavs.emplace_back();
        item.DisplayName = std::string(sound.DisplayName);
        item.SetWave(sound.Wave);
    }
}

}  // namespace dib
