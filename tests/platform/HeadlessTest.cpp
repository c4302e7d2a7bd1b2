#include "platform/Headless.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "LoopHarness.h"

namespace {

TEST(VirtualClock, TimeOfDayRunsOnFromTheSetTimeAcrossMidnight) {
    platform::VirtualClock clock(core::TimeOfDay{2005, 6, 15, 23, 59, 59, 500});
    EXPECT_EQ(clock.nowMs(), 0u);
    clock.advanceTo(1700);
    const core::TimeOfDay t = clock.utcNow();
    EXPECT_EQ(t.day, 16);
    EXPECT_EQ(t.hour, 0);
    EXPECT_EQ(t.second, 1);
    EXPECT_EQ(t.millisecond, 200);
    clock.sleepMs(300);
    EXPECT_EQ(clock.nowMs(), 2000u);
    EXPECT_EQ(clock.tickCount(), 2000u);
}

TEST(VirtualClock, TickCountWrapsAt32Bits) {
    platform::VirtualClock clock;
    clock.advanceTo((uint64_t{1} << 32) + 5);
    EXPECT_EQ(clock.tickCount(), 5u);
}

// A stream of silence of a fixed length.
struct SilentStream : platform::PcmStream {
    size_t framesLeft;
    explicit SilentStream(size_t frames) : framesLeft(frames) {}
    size_t read(int16_t* out, size_t frames) override {
        const size_t n = std::min(frames, framesLeft);
        std::fill(out, out + 2 * n, int16_t{0});
        framesLeft -= n;
        return n;
    }
};

TEST(AudioRecorder, MusicEndsOnTheVirtualClock) {
    test::LoopHarness h;
    std::vector<uint64_t> endedAt;
    h.loop.setMusicEndedHandler([&] { endedAt.push_back(h.now()); });
    h.then([&] {
        h.backend.audio().setMusicStream(std::make_shared<SilentStream>(44100 * 2));  // two seconds
        h.backend.audio().playMusic();
    });
    for (int i = 0; i < 30; ++i) h.wait(100);
    h.run();
    ASSERT_EQ(endedAt.size(), 1u);
    EXPECT_GT(endedAt[0], 2000u);
    EXPECT_LE(endedAt[0], 2100u);
    EXPECT_EQ(h.backend.audio().takeLog(), (std::vector<std::string>{"music:play"}));
}

TEST(AudioRecorder, StoppedMusicDoesNotAdvance) {
    platform::AudioRecorder audio;
    auto stream = std::make_shared<SilentStream>(44100);
    audio.setMusicStream(stream);
    audio.playMusic();
    EXPECT_FALSE(audio.advance(0, 500));
    audio.stopMusic();
    EXPECT_FALSE(audio.advance(500, 5000));
    EXPECT_EQ(stream->framesLeft, 44100u / 2);
    audio.playMusic();
    EXPECT_TRUE(audio.advance(5000, 5600));
    EXPECT_EQ(audio.takeLog(),
              (std::vector<std::string>{"music:play", "music:stop", "music:play"}));
}

TEST(AudioRecorder, EngineSoundRestartsOnlyAfterItEnded) {
    // A 0.5 s WAVE file: 8000 Hz, 8-bit mono, 4000 bytes of data.
    const auto path = std::filesystem::temp_directory_path() / "tarnwick_engine_test.wav";
    {
        std::ofstream f(path, std::ios::binary);
        auto u32 = [&](uint32_t v) { f.write(reinterpret_cast<const char*>(&v), 4); };
        auto u16 = [&](uint16_t v) { f.write(reinterpret_cast<const char*>(&v), 2); };
        f.write("RIFF", 4);
        u32(36 + 4000);
        f.write("WAVEfmt ", 8);
        u32(16);
        u16(1);
        u16(1);
        u32(8000);
        u32(8000);
        u16(1);
        u16(8);
        f.write("data", 4);
        u32(4000);
        f << std::string(4000, '\x80');
    }
    platform::VirtualClock clock;
    platform::AudioRecorder audio;
    audio.setClock(&clock);
    audio.playEngineSound();  // nothing opened yet: nothing plays
    audio.openEngineSound(path.string());
    audio.playEngineSound();
    clock.advanceTo(300);
    audio.playEngineSound();  // still playing: goes on
    clock.advanceTo(500);
    audio.playEngineSound();  // ended: starts again
    EXPECT_EQ(audio.takeLog(), (std::vector<std::string>{"engine", "engine"}));
    EXPECT_THROW(audio.openEngineSound("/nonexistent/engine1.wav"), std::runtime_error);
    std::filesystem::remove(path);
}

// Opens `bytes` as the engine sound and plays it at 0 and 300 ms: a sound of
// unknown length starts again each time, a 0.5 s one only once.
std::vector<std::string> playEngineTwice(const std::string& bytes) {
    const auto path = std::filesystem::temp_directory_path() / "tarnwick_engine_bytes.wav";
    std::ofstream(path, std::ios::binary) << bytes;
    platform::VirtualClock clock;
    platform::AudioRecorder audio;
    audio.setClock(&clock);
    audio.openEngineSound(path.string());
    std::filesystem::remove(path);
    audio.playEngineSound();
    clock.advanceTo(300);
    audio.playEngineSound();
    return audio.takeLog();
}

TEST(AudioRecorder, AFmtChunkCutOffBeforeItsByteRateLeavesTheLengthUnknown) {
    // The file ends 8 bytes into the fmt chunk; its byte rate was read from
    // past the end of the file (AddressSanitizer catches that read).
    const std::string bytes =
        std::string("RIFF\x14\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x44\xAC\0\0", 28);
    EXPECT_EQ(playEngineTwice(bytes), (std::vector<std::string>{"engine", "engine"}));
}

TEST(AudioRecorder, AChunkOfNearly4GiBEndsTheMeasurement) {
    // A chunk size of 0xFFFFFFF7 once wrapped the step to the next chunk to 0,
    // and the measurement never returned.
    const std::string bytes =
        std::string("RIFF\0\0\x01\0WAVE\0\x01\0\0\0\0\0\0fmt \xF7\xFF\xFF\xFF", 28) +
        std::string(16, '\xFF');
    EXPECT_EQ(playEngineTwice(bytes), (std::vector<std::string>{"engine", "engine"}));
}

}  // namespace
