#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "../app/TestFiles.h"
#include "tools/video/VideoEncoder.h"

// The encoder's files are checked from outside, with the ffprobe and ffmpeg
// programs, as a player would read them.
namespace video {
namespace {

using ::testing::HasSubstr;

constexpr int kWidth = 646;
constexpr int kHeight = 585;
constexpr int kSlots = 30;
constexpr int kSlotsPerPicture = 10;
constexpr int kSamplesPerSlot = VideoEncoder::kSampleRate / VideoEncoder::kFramesPerSecond;
// The middle picture's slots carry a tone, the others silence.
constexpr int kToneFirstSlot = 10;
constexpr int kToneEndSlot = 20;

core::Bitmap LoadGolden(const std::string& name) {
    const std::string path = std::string(TARNWICK_GOLDEN_DIR) + "/" + name;
    const testfiles::CommandRun run =
        testfiles::runCommand("ffmpeg -v error -i '" + path + "' -f rawvideo -pix_fmt bgra -");
    core::Bitmap picture(kWidth, kHeight);
    if (run.status != 0 || run.out.size() != static_cast<size_t>(kWidth) * kHeight * 4)
        throw std::runtime_error("cannot load " + path);
    std::memcpy(picture.data(), run.out.data(), run.out.size());
    return picture;
}

// Swatches of pure colours, where a player converting back with another
// colour matrix than the encoder's goes furthest astray: x, y, size of the
// row of them in game pixels.
constexpr int kSwatchesX = 10;
constexpr int kSwatchesY = 400;
constexpr int kSwatchSize = 26;
constexpr uint32_t kSwatchColours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0x00FFFF, 0xFF00FF, 0xFFFF00};
constexpr int kSwatchesWidth = kSwatchSize * static_cast<int>(std::size(kSwatchColours));

// Real game screens: the title, a mission as it starts, and that mission
// scrolled a little, as the cave moves under the ship, with the swatches in
// the dark beside the cave.
std::vector<core::Bitmap> GamePictures() {
    const core::Bitmap mission = LoadGolden("mission1-start.png");
    core::Bitmap scrolled(kWidth, kHeight);
    scrolled.blit(mission, -5, -3);
    for (size_t i = 0; i < std::size(kSwatchColours); ++i)
        scrolled.fillRect(kSwatchesX + kSwatchSize * static_cast<int>(i), kSwatchesY, kSwatchSize,
                          kSwatchSize, core::PixelWord{0xFF000000u | kSwatchColours[i]});
    return {LoadGolden("title.png"), mission, scrolled};
}

void EncodeClip(const std::filesystem::path& path, int scale,
                const std::vector<core::Bitmap>& pictures) {
    VideoEncoder encoder(path, *FormatForName(path), kWidth, kHeight, scale);
    std::vector<int16_t> sound(2 * kSamplesPerSlot);
    for (int slot = 0; slot < kSlots; ++slot) {
        if (slot % kSlotsPerPicture == 0) {
            encoder.addPicture(pictures[slot / kSlotsPerPicture]);
        } else {
            encoder.repeatPicture();
        }
        const bool tone = slot >= kToneFirstSlot && slot < kToneEndSlot;
        for (int i = 0; i < kSamplesPerSlot; ++i) {
            const double t =
                static_cast<double>(slot * kSamplesPerSlot + i) / VideoEncoder::kSampleRate;
            const auto value = static_cast<int16_t>(tone ? 8000 * std::sin(2 * M_PI * 440 * t) : 0);
            sound[2 * i] = sound[2 * i + 1] = value;
        }
        encoder.addSound(sound);
    }
    encoder.finish();
}

// ffprobe's "key=value" lines for the entries asked for.
std::map<std::string, std::string> Probe(const std::filesystem::path& path,
                                         const std::string& entries) {
    const testfiles::CommandRun run = testfiles::runCommand(
        "ffprobe -v error " + entries + " -of default=noprint_wrappers=1 '" + path.string() + "'");
    std::map<std::string, std::string> values;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
        const size_t equals = line.find('=');
        if (equals != std::string::npos) values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
}

struct Area {
    int x = 0;
    int y = 0;
    int width = kWidth;
    int height = kHeight;
};

// PSNR over red, green and blue of a decoded rgb24 frame (with its padding)
// against an area of the picture enlarged with square pixels.
double Psnr(const std::string& decoded, int frameWidth, const core::Bitmap& picture, int scale,
            Area area = {}) {
    double squaredError = 0;
    for (int y = area.y * scale; y < (area.y + area.height) * scale; ++y) {
        for (int x = area.x * scale; x < (area.x + area.width) * scale; ++x) {
            const uint32_t source = picture.row(y / scale)[x / scale];
            const char* pixel = &decoded[(static_cast<size_t>(y) * frameWidth + x) * 3];
            for (int channel = 0; channel < 3; ++channel) {
                const int expected = static_cast<int>(source >> (16 - 8 * channel)) & 0xFF;
                const double difference = expected - static_cast<unsigned char>(pixel[channel]);
                squaredError += difference * difference;
            }
        }
    }
    const double meanSquaredError = squaredError / (3.0 * area.width * scale * area.height * scale);
    return 10 * std::log10(255.0 * 255.0 / meanSquaredError);
}

// Root mean square of the decoded mono sound between two moments.
double Loudness(const std::vector<int16_t>& sound, double from, double to) {
    const auto first = static_cast<size_t>(from * VideoEncoder::kSampleRate);
    const auto end = static_cast<size_t>(to * VideoEncoder::kSampleRate);
    double sum = 0;
    for (size_t i = first; i < end; ++i) sum += static_cast<double>(sound.at(i)) * sound.at(i);
    return std::sqrt(sum / static_cast<double>(end - first));
}

struct Case {
    const char* name;
    int scale;
    int width;
    int height;
    const char* pictureCodec;
    const char* soundCodec;
    double leastPsnr;
};

TEST(VideoEncoder, ClipsPlayBackAsTheGameDrewAndSoundedThem) {
    const std::vector<core::Bitmap> pictures = GamePictures();
    const testfiles::TemporaryFolder folder;
    // Scale 1 pads the odd height; 4:2:0 shares one colour among four
    // pixels, which at scale 2 are one game pixel, so only there the colours
    // come back near exactly.
    const Case cases[] = {
        {"clip-1.webm", 1, 646, 586, "vp9", "opus", 30},
        {"clip-2.WebM", 2, 1292, 1170, "vp9", "opus", 40},
        {"clip-1.mp4", 1, 646, 586, "h264", "aac", 30},
        {"clip-2.mp4", 2, 1292, 1170, "h264", "aac", 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::filesystem::path path = folder.path() / c.name;
        EncodeClip(path, c.scale, pictures);

        auto stream = Probe(path, "-select_streams v -show_entries stream=codec_name,width,height");
        EXPECT_EQ(stream["codec_name"], c.pictureCodec);
        EXPECT_EQ(stream["width"], std::to_string(c.width));
        EXPECT_EQ(stream["height"], std::to_string(c.height));
        EXPECT_EQ(Probe(path, "-select_streams a -show_entries stream=codec_name")["codec_name"],
                  c.soundCodec);
        // Half a frame: a picture out of step by one slot shows.
        EXPECT_NEAR(std::stod(Probe(path, "-show_entries format=duration")["duration"]), 0.5,
                    0.5 / 60);

        // The first slot of each later picture: a frame out of its slot
        // shows the picture before.
        const testfiles::CommandRun frames =
            testfiles::runCommand("ffmpeg -v error -i '" + path.string() +
                                  "' -vf \"select='eq(n,10)+eq(n,20)'\" -fps_mode passthrough -f "
                                  "rawvideo -pix_fmt rgb24 -");
        const size_t frameBytes = static_cast<size_t>(c.width) * c.height * 3;
        ASSERT_EQ(frames.out.size(), 2 * frameBytes);
        EXPECT_GT(Psnr(frames.out.substr(0, frameBytes), c.width, pictures[1], c.scale),
                  c.leastPsnr);
        EXPECT_GT(Psnr(frames.out.substr(frameBytes), c.width, pictures[2], c.scale), c.leastPsnr);
        // Converted back with another matrix, they fall to about 27 dB.
        EXPECT_GT(Psnr(frames.out.substr(frameBytes), c.width, pictures[2], c.scale,
                       {kSwatchesX, kSwatchesY, kSwatchesWidth, kSwatchSize}),
                  35);

        const auto decodeSound = [&](const std::string& filter) {
            const testfiles::CommandRun run =
                testfiles::runCommand("ffmpeg -v error -i '" + path.string() + "' -vn " + filter +
                                      " -ac 1 -ar 44100 -f s16le -");
            std::vector<int16_t> sound(run.out.size() / 2);
            std::memcpy(sound.data(), run.out.data(), sound.size() * 2);
            return sound;
        };
        // All of it, to the resampler's last samples and the last partial
        // codec frame. The ffmpeg program plays AAC's last frame whole, past
        // the end the file gives.
        const size_t soundLength = decodeSound("").size();
        EXPECT_GE(soundLength, kSlots * kSamplesPerSlot - 2);
        EXPECT_LE(soundLength, kSlots * kSamplesPerSlot + 1024);
        // Laid out from the file's start, so that a late or early start shows.
        const std::vector<int16_t> sound = decodeSound("-af aresample=async=1:first_pts=0");
        const double toneStart =
            static_cast<double>(kToneFirstSlot) / VideoEncoder::kFramesPerSecond;
        const double toneEnd = static_cast<double>(kToneEndSlot) / VideoEncoder::kFramesPerSecond;
        // 30 ms away from each change, past the codecs' frames.
        EXPECT_LT(Loudness(sound, 0, toneStart - 0.03), 30);
        EXPECT_GT(Loudness(sound, toneStart + 0.03, toneEnd - 0.03), 4000);
        EXPECT_LT(Loudness(sound, toneEnd + 0.03, 0.5), 30);
    }
}

TEST(VideoEncoder, FormatsComeFromTheExtensionAndMistakesAreRefused) {
    EXPECT_EQ(FormatForName("flight.WEBM"), VideoFormat::WebM);
    EXPECT_EQ(FormatForName("/tmp/x.y/flight.Mp4"), VideoFormat::Mp4);
    EXPECT_EQ(FormatForName("flight.avi"), std::nullopt);
    EXPECT_EQ(FormatForName("noextension"), std::nullopt);
    EXPECT_EQ(FormatForName("webm"), std::nullopt);

    const testfiles::TemporaryFolder folder;
    const auto failure = [](const auto& step) -> std::string {
        try {
            step();
        } catch (const std::runtime_error& error) {
            return error.what();
        }
        return "no failure";
    };
    const std::filesystem::path missingFolder = folder.path() / "missing" / "flight.webm";
    EXPECT_EQ(failure([&] { VideoEncoder(missingFolder, VideoFormat::WebM, kWidth, kHeight, 1); }),
              "Cannot write the video " + missingFolder.string() +
                  ": creating the file: No such file or directory");
    const std::filesystem::path path = folder.path() / "flight.mp4";
    EXPECT_THAT(failure([&] { VideoEncoder(path, VideoFormat::Mp4, kWidth, kHeight, 5); }),
                HasSubstr("scale"));
    EXPECT_FALSE(std::filesystem::exists(path)) << "settings refused before the file was made";

    // Each mistake on a fresh encoder, as after a failure every step is refused.
    const auto mistake = [&](const auto& step) {
        return failure([&] {
            VideoEncoder encoder(path, VideoFormat::Mp4, kWidth, kHeight, 1);
            step(encoder);
        });
    };
    EXPECT_THAT(mistake([](VideoEncoder& e) { e.repeatPicture(); }), HasSubstr("no picture"));
    EXPECT_THAT(mistake([](VideoEncoder& e) { e.addPicture(core::Bitmap(kWidth, kHeight + 1)); }),
                HasSubstr("646 x 586"));
    const int16_t halfAFrame[3] = {};
    EXPECT_THAT(mistake([&](VideoEncoder& e) { e.addSound(halfAFrame); }),
                HasSubstr("whole stereo frames"));
    EXPECT_THAT(mistake([](VideoEncoder& e) {
                    EXPECT_THROW(e.repeatPicture(), std::runtime_error);
                    e.addPicture(core::Bitmap(kWidth, kHeight));
                }),
                HasSubstr("an earlier step failed"));
    EXPECT_THAT(mistake([](VideoEncoder& e) {
                    e.finish();
                    e.repeatPicture();
                }),
                HasSubstr("finished already"));

    // A full disk must not pass for a finished video.
    EXPECT_THAT(failure([] {
                    VideoEncoder full("/dev/full", VideoFormat::WebM, kWidth, kHeight, 1);
                    full.addPicture(core::Bitmap(kWidth, kHeight));
                    full.finish();
                }),
                HasSubstr("No space left on device"));
}

}  // namespace
}  // namespace video
