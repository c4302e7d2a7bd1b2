#include "dib/cDIBWavList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/EListError.h"
#include "platform/Headless.h"

namespace {

using dib::TDIBWav;
using dib::TDIBWavList;

// The headless recorder, also noting the bytes handed over and every stop.
class Recorder : public platform::AudioRecorder {
  public:
    void playWave(std::span<const uint8_t> riffWave, std::string_view label) override {
        played.push_back(riffWave);
        AudioRecorder::playWave(riffWave, label);
    }
    void stopWaves() override { ++stops; }

    std::vector<std::span<const uint8_t>> played;
    int stops = 0;
};

std::vector<uint8_t> waveBytes(uint8_t fill, size_t size) {
    std::vector<uint8_t> bytes(size, fill);
    std::copy_n("RIFF", 4, bytes.begin());
    return bytes;
}

// A list shaped like the game's second list: seven sounds, all with bytes.
void fillSeven(TDIBWavList& list) {
    for (int i = 0; i < 7; ++i) {
        TDIBWav& item = list.Wavs.emplace_back();
        item.SetWave(waveBytes(static_cast<uint8_t>(i), 40 + static_cast<size_t>(i)));
    }
}

TEST(DIBWavList, FreshItemIsNamedAfterItsClassAndHoldsNoSound) {
    const TDIBWav item;
    EXPECT_EQ(item.DisplayName, "TDIBWav");
    EXPECT_FALSE(item.HasWave());
    EXPECT_TRUE(item.WriteWavData().empty());  // nothing stored for an empty item
}

TEST(DIBWavList, ANewSoundCutsOffTheOldOneAndTheSameSoundRestarts) {
    Recorder audio;
    TDIBWavList list1(audio, "DIBWavList1");
    TDIBWavList list2(audio, "DIBWavList2");
    fillSeven(list1);
    fillSeven(list2);

    list2.Play(3);
    list2.Play(6);
    list2.Play(6);
    list1.Play(0);
    EXPECT_EQ(audio.takeLog(), (std::vector<std::string>{"DIBWavList2:3", "DIBWavList2:6",
                                                         "DIBWavList2:6", "DIBWavList1:0"}));

    // Each start hands over that item's own bytes, in place.
    ASSERT_EQ(audio.played.size(), 4u);
    EXPECT_EQ(audio.played[0].data(), list2.Wavs[3].Wave().data());
    EXPECT_EQ(audio.played[0].size(), 43u);
    EXPECT_EQ(audio.played[1].data(), list2.Wavs[6].Wave().data());
    EXPECT_EQ(audio.played[3].data(), list1.Wavs[0].Wave().data());
    EXPECT_EQ(audio.stops, 0);  // starting a sound is not a stop
}

TEST(DIBWavList, AnItemWithoutSoundPlaysNothingAndRaisesNothing) {
    Recorder audio;
    TDIBWavList list(audio, "DIBWavList2");
    fillSeven(list);
    list.Wavs[2].SetWave({});
    list.Wavs.emplace_back();

    EXPECT_NO_THROW(list.Play(2));
    EXPECT_NO_THROW(list.Play(7));
    EXPECT_TRUE(audio.takeLog().empty());
    list.Play(1);
    EXPECT_EQ(audio.takeLog(), std::vector<std::string>{"DIBWavList2:1"});
}

TEST(DIBWavList, AnIndexOutsideTheListRaisesTheListIndexError) {
    Recorder audio;
    TDIBWavList list(audio, "DIBWavList2");
    auto messageOf = [&](int index) {
        try {
            list.Play(index);
        } catch (const core::EListError& error) {
            return std::string(error.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(messageOf(0), "List index out of bounds (0)");
    fillSeven(list);
    EXPECT_EQ(messageOf(7), "List index out of bounds (7)");
    EXPECT_EQ(messageOf(-1), "List index out of bounds (-1)");
    EXPECT_TRUE(audio.takeLog().empty());
}

TEST(DIBWavList, StopAllAndDestroyingTheListStopTheSound) {
    Recorder audio;
    {
        TDIBWavList list(audio, "DIBWavList1");
        fillSeven(list);
        list.Play(1);
        list.StopAll();
        EXPECT_EQ(audio.stops, 1);
    }
    // The sound may be playing from the list's memory: it must not outlive it.
    EXPECT_EQ(audio.stops, 2);
}

TEST(DIBWavList, WavDataRoundTripsThroughItsStoredForm) {
    TDIBWav source;
    source.SetWave(waveBytes(0x5A, 300));
    const std::vector<uint8_t> stored = source.WriteWavData();
    ASSERT_EQ(stored.size(), 304u);
    EXPECT_EQ(
        (std::vector<uint8_t>(stored.begin(), stored.begin() + 8)),
        (std::vector<uint8_t>{0x2C, 0x01, 0x00, 0x00, 'R', 'I', 'F', 'F'}));  // 300, little-endian

    // Read back from a stream that goes on with other data: exactly the item is taken,
    // and the bytes the item held before are replaced.
    std::vector<uint8_t> stream = stored;
    stream.insert(stream.end(), {1, 2, 3});
    TDIBWav target;
    target.SetWave(waveBytes(0x11, 999));
    EXPECT_EQ(target.ReadWavData(stream), 304u);
    EXPECT_TRUE(std::equal(target.Wave().begin(), target.Wave().end(), source.Wave().begin(),
                           source.Wave().end()));

    // A copy owns its own bytes.
    const TDIBWav copy = target;
    EXPECT_NE(copy.Wave().data(), target.Wave().data());
    EXPECT_TRUE(std::equal(copy.Wave().begin(), copy.Wave().end(), target.Wave().begin(),
                           target.Wave().end()));
}

TEST(DIBWavList, CutShortWavDataFreesTheOldSoundAndFails) {
    TDIBWav source;
    source.SetWave(waveBytes(0x5A, 64));
    std::vector<uint8_t> stored = source.WriteWavData();
    stored.pop_back();

    TDIBWav item;
    item.SetWave(waveBytes(0x11, 32));
    EXPECT_THROW(item.ReadWavData(stored), std::runtime_error);
    EXPECT_FALSE(item.HasWave());

    item.SetWave(waveBytes(0x11, 32));
    EXPECT_THROW(item.ReadWavData(std::span<const uint8_t>(stored.data(), 3)), std::runtime_error);
    EXPECT_FALSE(item.HasWave());
}

TEST(DIBWavList, LoadsCopiesOfTheStoredSoundsInOrder) {
    const std::vector<uint8_t> thud = waveBytes(1, 48);
    const std::vector<uint8_t> shimmer = waveBytes(2, 61);
    const assets::StoredSound stored[] = {{"bumb", thud}, {"Spawn", shimmer}};

    Recorder audio;
    TDIBWavList list(audio, "DIBWavList1");
    list.Wavs.emplace_back();  // replaced by the load
    dib::LoadStoredSounds(list, stored);

    ASSERT_EQ(list.Wavs.size(), 2u);
    EXPECT_EQ(list.Wavs[0].DisplayName, "bumb");
    EXPECT_EQ(list.Wavs[1].DisplayName, "Spawn");
    EXPECT_TRUE(std::equal(list.Wavs[1].Wave().begin(), list.Wavs[1].Wave().end(), shimmer.begin(),
                           shimmer.end()));
    EXPECT_NE(list.Wavs[1].Wave().data(), shimmer.data());
    list.Play(1);
    EXPECT_EQ(audio.takeLog(), std::vector<std::string>{"DIBWavList1:1"});
}

}  // namespace
