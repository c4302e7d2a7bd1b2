#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tools/video/SoundMixer.h"

namespace {

using Channel = platform::AudioListener::Channel;

// A PCM RIFF/WAVE file of `frames` frames, every sample `value` (a byte for 8 bits).
std::vector<uint8_t> Wave(int rate, int bits, int channels, int ms, std::vector<int> values) {
    const int frames = rate * ms / 1000;
    const int block = bits / 8 * channels;
    std::vector<uint8_t> data;
    for (int f = 0; f < frames; ++f)
        for (int c = 0; c < channels; ++c) {
            const int v = values[static_cast<size_t>(c)];
            data.push_back(static_cast<uint8_t>(v & 0xFF));
            if (bits == 16) data.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
        }
    std::string head = "RIFF....WAVEfmt ";
    auto put = [&](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) head.push_back(static_cast<char>(v >> (8 * i)));
    };
    put(16, 4), put(1, 2), put(static_cast<uint32_t>(channels), 2),
        put(static_cast<uint32_t>(rate), 4);
    put(static_cast<uint32_t>(rate * block), 4), put(static_cast<uint32_t>(block), 2),
        put(static_cast<uint32_t>(bits), 2);
    head += "data";
    put(static_cast<uint32_t>(data.size()), 4);
    std::vector<uint8_t> file(head.begin(), head.end());
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

void PullMusic(video::SoundMixer& mixer, int ms, int16_t value) {
    std::vector<int16_t> music(static_cast<size_t>(44100 * ms / 1000) * 2, value);
    mixer.musicPulled(music);
}

}  // namespace

// One channel for the stored sounds, where a new sound cuts the one before
// and a stop silences it; the engine on its own channel; the music beneath
// both, paused and resumed where the game resumed it; every sum held at the
// 16-bit limits step by step, music first, stored sounds next, engine last.
TEST(SoundMixer, MixesTheChannelsAsTheRealOutputDoes) {
    video::SoundMixer mixer;
    const auto first = Wave(44100, 16, 1, 100, {-20000});
    // Unsigned, +127 steps of 256; resampled, within the filter's 0.05 %.
    const auto second = Wave(22050, 8, 1, 100, {255});
    const auto engine = Wave(44100, 16, 2, 200, {20000, -20000});
    const std::vector<uint8_t> unplayable = {'R', 'I', 'F', 'F', 0, 0};

    mixer.musicPlaying(0, true);
    PullMusic(mixer, 50, 1000);
    mixer.soundStarted(20, Channel::StoredSounds, first, "first");
    mixer.soundStarted(40, Channel::Engine, engine, "engine");
    mixer.musicPlaying(50, false);
    mixer.soundStarted(60, Channel::StoredSounds, second, "second");
    mixer.soundStarted(65, Channel::StoredSounds, unplayable, "broken");
    std::vector<int16_t> out;
    mixer.mixUntil(video::SoundMixer::FrameAt(45), out);
    mixer.musicPlaying(80, true);
    PullMusic(mixer, 220, 3000);
    mixer.storedSoundsStopped(120);
    mixer.mixUntil(video::SoundMixer::FrameAt(300), out);
    ASSERT_EQ(out.size(), video::SoundMixer::FrameAt(300) * 2);

    auto at = [&](int ms, int side) {
        return out[video::SoundMixer::FrameAt(static_cast<uint64_t>(ms)) * 2 +
                   static_cast<size_t>(side)];
    };
    EXPECT_EQ(at(10, 0), 1000);    // music alone
    EXPECT_EQ(at(30, 1), -19000);  // the first sound, mono on both sides
    EXPECT_EQ(at(45, 0), 1000);    // 1000 - 20000 + 20000
    EXPECT_EQ(at(45, 1), -32768);  // 1000 - 20000 - 20000, held at the limit
    // The second cut the first, the music paused, and the broken one cut nothing.
    EXPECT_NEAR(at(70, 1), 32512 - 20000, 16);
    EXPECT_EQ(at(79, 0), 32767);
    // Music resumed at 80 ms: 3000 + 32512 holds at 32767 before the engine
    // takes 20000 off; a sum of all three at once would give 15512.
    EXPECT_NEAR(at(90, 1), 12767, 16);
    EXPECT_EQ(at(130, 0), 23000);  // the stored sounds stopped at 120
    EXPECT_EQ(at(130, 1), -17000);
    EXPECT_EQ(at(250, 0), 3000);  // the engine sound ended at 240
}
