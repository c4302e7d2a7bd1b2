#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <variant>
#include <vector>

#include "music/AudioFileStream.h"
#include "music/MediaPlayer.h"
#include "music/mp3frameU1.h"
#include "platform/Headless.h"
#include "platform/MessageBoxes.h"

namespace {

namespace fs = std::filesystem;
using music::TMPModes;
using Log = std::vector<std::string>;

constexpr int64_t kRate = platform::PcmStream::kSampleRate;
constexpr int kReturnKey = 13;

// Sound files made with the ffmpeg program for each run of the tests.
class MusicFiles : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        folder = fs::temp_directory_path() /
                 ("tarnwick-music-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder);
        // Two seconds of 440 Hz in the shipped music's format.
        ffmpeg("-f lavfi -i sine=frequency=440:duration=2 -ac 2 -c:a wmav2 -b:a 64k", loopWma());
        // 1.5 s of 1 kHz, mono at half the output rate: decoding must resample and duplicate.
        ffmpeg(
            "-f lavfi -i sine=frequency=1000:duration=1.5:sample_rate=22050 -ac 1 -c:a pcm_s16le",
            monoWav());
        std::mt19937 bytes(7);
        std::ofstream noise(noiseWma(), std::ios::binary);
        for (int i = 0; i < 20000; ++i) noise.put(static_cast<char>(bytes()));
    }
    static void TearDownTestSuite() { fs::remove_all(folder); }

    static void ffmpeg(const std::string& arguments, const fs::path& output) {
        const std::string command = "ffmpeg -nostdin -hide_banner -loglevel error -y " + arguments +
                                    " '" + output.string() + "'";
        if (std::system(command.c_str()) != 0) ADD_FAILURE() << "could not make " << output;
    }

    static fs::path loopWma() { return folder / "loop 2s.wma"; }
    static fs::path monoWav() { return folder / "mono.wav"; }
    static fs::path noiseWma() { return folder / "noise.wma"; }

    static fs::path folder;
};

fs::path MusicFiles::folder;

// Reads the whole stream; returns the interleaved samples.
std::vector<int16_t> readAll(music::AudioFileStream& stream) {
    std::vector<int16_t> all;
    std::vector<int16_t> chunk(2 * 1000);
    for (;;) {
        const size_t got = stream.read(chunk.data(), 1000);
        all.insert(all.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(2 * got));
        if (got < 1000) return all;
    }
}

class NoWindowContent : public platform::WindowClient {
  public:
    void paint(core::Bitmap&, const platform::Rect&) override {}
    void keyDown(int) override {}
    void keyUp(int) override {}
    void keyChar(char32_t) override {}
    void mouseMove(int, int) override {}
    void mouseDown(int, int) override {}
    void mouseUp(int, int) override {}
    void closeRequested() override {}
};

// The music frame on the headless back-end, driven by a list of steps:
// `wait` lets virtual time pass (the music plays meanwhile), `then` runs a
// step on the loop as a click would. The loop ends after the last step.
class Game {
  public:
    Game() { loop.openWindow(content, "Tarnwick for windows", "Tarnwick", {646, 585}); }

    Game& wait(uint64_t ms) {
        steps_.emplace_back(ms);
        return *this;
    }
    Game& then(std::function<void()> step) {
        steps_.emplace_back(std::move(step));
        return *this;
    }
    void run() {
        backend.setDriver([this](platform::HeadlessBackend& driven) {
            if (steps_.empty()) return;
            auto step = std::move(steps_.front());
            steps_.pop_front();
            if (auto* ms = std::get_if<uint64_t>(&step)) {
                driven.advanceBy(*ms);
            } else {
                platform::Event event;
                event.type = platform::Event::Type::Call;
                event.call = std::move(std::get<std::function<void()>>(step));
                driven.queue(std::move(event));
            }
        });
        loop.run();
        // The loop runs once per game: steps left over were never run.
        EXPECT_TRUE(steps_.empty()) << steps_.size() << " steps did not run";
    }
    Log log() { return backend.audio().takeLog(); }

    platform::HeadlessBackend backend;
    platform::EventLoop loop{backend};
    NoWindowContent content;
    music::TFrame1 frame{loop};

  private:
    std::deque<std::variant<uint64_t, std::function<void()>>> steps_;
};

TEST_F(MusicFiles, StreamResamplesToStereoAndKnowsItsExactLengthAtTheEnd) {
    music::AudioFileStream stream(monoWav().string());
    EXPECT_EQ(stream.position(), 0);
    EXPECT_NEAR(stream.length(), 3 * kRate / 2, kRate / 100);

    const std::vector<int16_t> samples = readAll(stream);
    const int64_t frames = static_cast<int64_t>(samples.size() / 2);
    EXPECT_EQ(frames, 3 * kRate / 2);
    EXPECT_TRUE(stream.atEnd());
    EXPECT_EQ(stream.position(), frames);
    EXPECT_EQ(stream.length(), frames);

    int crossings = 0;
    int peak = 0;
    for (int64_t i = 0; i < frames; ++i) {
        ASSERT_EQ(samples[2 * i], samples[2 * i + 1]) << "frame " << i;
        peak = std::max(peak, std::abs(int{samples[2 * i]}));
        if (i > 0 && (samples[2 * i - 2] < 0) != (samples[2 * i] < 0)) ++crossings;
    }
    // 1000 Hz for 1.5 s crosses zero 3000 times at any sample rate.
    EXPECT_NEAR(crossings, 3000, 6);
    EXPECT_GT(peak, 2000);

    std::vector<int16_t> chunk(2 * 10);
    EXPECT_EQ(stream.read(chunk.data(), 10), 0u) << "an ended stream stays ended";

    stream.rewind();
    EXPECT_EQ(stream.position(), 0);
    EXPECT_FALSE(stream.atEnd());
    const std::vector<int16_t> again = readAll(stream);
    EXPECT_EQ(again, samples);
}

TEST_F(MusicFiles, WmaStreamRestartsWithTheSameMusic) {
    music::AudioFileStream stream(loopWma().string());
    EXPECT_NEAR(stream.length(), 2 * kRate, kRate / 20);
    const std::vector<int16_t> first = readAll(stream);
    EXPECT_NEAR(static_cast<int64_t>(first.size() / 2), 2 * kRate, kRate / 20);
    EXPECT_EQ(stream.length(), stream.position());

    stream.rewind();
    const std::vector<int16_t> second = readAll(stream);
    EXPECT_EQ(second, first);
}

TEST_F(MusicFiles, MissingFileShowsOneThreeLineMessageAndLeavesThePlayerAlone) {
    Game game;
    const std::string missing = (folder / "Pelwyn-Skyrush 2k4_64.wma").string();
    game.frame.Load_and_play(missing);

    EXPECT_EQ(game.frame.currentMusicFile, missing);
    ASSERT_NE(game.loop.topBox(), nullptr);
    EXPECT_EQ(game.loop.topBox()->text(), "MP3 file \r\n" + missing + "\r\ndoes not exist!");
    EXPECT_EQ(platform::splitLines(game.loop.topBox()->text()),
              (std::vector<std::string>{"MP3 file ", missing, "does not exist!"}));
    EXPECT_EQ(game.frame.mp3player.Mode(), TMPModes::mpNotReady);
    EXPECT_EQ(game.frame.mp3player.FileName, "");

    // OK closes it, and no second box follows.
    platform::Event ok;
    ok.type = platform::Event::Type::KeyDown;
    ok.key = kReturnKey;
    game.backend.queue(std::move(ok));
    game.wait(3000).run();
    EXPECT_EQ(game.loop.topBox(), nullptr);
    EXPECT_EQ(game.log(), Log{});

    // The Music option then meets a player without a device.
    for (auto command : {&music::MediaPlayer::Stop, &music::MediaPlayer::Play}) {
        try {
            (game.frame.mp3player.*command)();
            ADD_FAILURE() << "no error without an open file";
        } catch (const std::runtime_error& error) {
            EXPECT_STREQ(error.what(), "No MCI device open");
        }
    }
    EXPECT_NO_THROW(game.frame.mp3player.Close());

    // A folder under the music file's name is no music file either.
    std::filesystem::create_directory(missing);
    Game withFolder;
    withFolder.frame.Load_and_play(missing);
    ASSERT_NE(withFolder.loop.topBox(), nullptr);
    EXPECT_EQ(withFolder.loop.topBox()->text(), "MP3 file \r\n" + missing + "\r\ndoes not exist!");
    EXPECT_EQ(withFolder.frame.mp3player.Mode(), TMPModes::mpNotReady);
}

TEST_F(MusicFiles, ShortFileLoopsForEverEachTimeFromTheStart) {
    Game game;
    auto& player = game.frame.mp3player;
    game.frame.Load_and_play(loopWma().string());
    EXPECT_EQ(game.log(), Log{"music:play"});
    EXPECT_EQ(player.Mode(), TMPModes::mpPlaying);
    EXPECT_EQ(player.FileName, loopWma().string());

    int64_t firstLength = 0;
    game.wait(1900)
        .then([&] {
            EXPECT_EQ(game.log(), Log{});
            EXPECT_NEAR(player.Position(), 1900 * kRate / 1000, 1);
        })
        .wait(200)
        .then([&] {
            // The end came in between: Stop then Play, back at the start.
            EXPECT_EQ(game.log(), (Log{"music:stop", "music:play"}));
            EXPECT_EQ(player.Position(), 0);
            EXPECT_EQ(player.Mode(), TMPModes::mpPlaying);
            firstLength = player.Length();
        })
        .wait(1000)
        .then([&] { EXPECT_NEAR(player.Position(), kRate, 1); })
        .wait(1100)
        .then([&] {
            EXPECT_EQ(game.log(), (Log{"music:stop", "music:play"}));
            EXPECT_EQ(player.Position(), 0);
        })
        // The silent output stops at the end of the file, so each round needs
        // its own wait.
        .wait(2100)
        .wait(2100)
        .wait(2100)
        .then([&] {
            // Three more rounds, one restart each.
            EXPECT_EQ(game.log(), (Log{"music:stop", "music:play", "music:stop", "music:play",
                                       "music:stop", "music:play"}));
            EXPECT_EQ(player.Mode(), TMPModes::mpPlaying);
        })
        .run();
    EXPECT_NEAR(firstLength, 2 * kRate, kRate / 20);
    EXPECT_EQ(game.loop.topBox(), nullptr);
}

TEST_F(MusicFiles, MusicOffAndOnContinuesWhereItStoppedWithOneCopy) {
    Game game;
    auto& player = game.frame.mp3player;
    game.frame.Load_and_play(loopWma().string());
    game.log();

    int64_t stoppedAt = 0;
    // Off and on in the middle of the first round ...
    game.wait(700)
        .then([&] {
            player.Stop();
            stoppedAt = player.Position();
        })
        .wait(60000)
        .then([&] {
            // The interrupted play's notice came meanwhile and changed nothing.
            EXPECT_EQ(game.log(), Log{"music:stop"});
            EXPECT_EQ(player.Mode(), TMPModes::mpStopped);
            EXPECT_EQ(player.Position(), stoppedAt);
            player.Play();
            EXPECT_EQ(player.Position(), stoppedAt);
            EXPECT_EQ(game.log(), Log{"music:play"});
        })
        .wait(500)
        .then([&] { EXPECT_NEAR(player.Position(), stoppedAt + kRate / 2, 1); })
        // ... and again after the file ended and restarted a few times.
        .wait(1000)
        .wait(2100)
        .then([&] {
            EXPECT_EQ(game.log(), (Log{"music:stop", "music:play", "music:stop", "music:play"}));
        })
        .wait(400)
        .then([&] {
            player.Stop();
            stoppedAt = player.Position();
            EXPECT_EQ(stoppedAt, 400 * kRate / 1000);
        })
        .wait(3000)
        .then([&] {
            player.Play();
            EXPECT_EQ(game.log(), (Log{"music:stop", "music:play"}));
        })
        .wait(300)
        .then([&] { EXPECT_NEAR(player.Position(), stoppedAt + 300 * kRate / 1000, 1); })
        .run();
    EXPECT_EQ(game.loop.topBox(), nullptr);
}

TEST_F(MusicFiles, StopNotifiesLaterAndOnlyForTheFileStillOpen) {
    Game game;
    auto& player = game.frame.mp3player;
    int notices = 0;
    player.SetOnNotify([&] { ++notices; });
    player.FileName = loopWma().string();
    player.Open();
    EXPECT_EQ(player.Mode(), TMPModes::mpStopped);

    game.then([&] {
            player.Stop();  // nothing was playing: nothing to report
            player.Play();
            player.Stop();
            EXPECT_EQ(notices, 0) << "the notice arrives as a message, not inside Stop";
        })
        .wait(10)
        .then([&] {
            EXPECT_EQ(notices, 1);
            // A notice still queued when the file is closed belongs to no device any more.
            player.Play();
            player.Stop();
            player.Close();
            EXPECT_EQ(player.Mode(), TMPModes::mpNotReady);
            player.Close();
        })
        .wait(10)
        .run();
    EXPECT_EQ(notices, 1);
}

TEST_F(MusicFiles, FileThatCannotBeDecodedFailsLoadAndPlay) {
    Game game;
    const fs::path bad = noiseWma();
    try {
        game.frame.Load_and_play(bad.string());
        ADD_FAILURE() << "no error for " << bad;
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find(bad.string()), std::string::npos) << error.what();
    }
    EXPECT_EQ(game.frame.mp3player.Mode(), TMPModes::mpNotReady);
    EXPECT_EQ(game.frame.currentMusicFile, bad.string());
    EXPECT_EQ(game.loop.topBox(), nullptr);
    EXPECT_EQ(game.log(), Log{});

    // A good file opened after a bad one plays.
    game.frame.Load_and_play(loopWma().string());
    EXPECT_EQ(game.log(), Log{"music:play"});
}

}  // namespace
