#include <gtest/gtest.h>
#include <sys/resource.h>

#include <string>

#include "TestFiles.h"
#include "TestJpeg.h"
#include "TestPng.h"
#include "app/PictureFile.h"

namespace {

using testfiles::encodeJpeg;
using testfiles::encodePng;
using testfiles::quarterColour;
using testfiles::quarterGrey;
using testfiles::Rgb;
using testfiles::TemporaryFolder;
using Kind = testfiles::JpegKind;

// Runs the load and returns the error text, or fails the test when it loads.
std::string loadError(const std::string& path) {
    try {
        app::LoadPictureFile(path);
    } catch (const app::PictureError& error) {
        const std::string text = error.what();
        EXPECT_NE(text.find(path), std::string::npos)
            << "the error does not name the file: " << text;
        return text;
    }
    ADD_FAILURE() << path << " loaded";
    return {};
}

class PictureFile : public ::testing::Test {
  protected:
    TemporaryFolder folder;

    std::string write(const std::string& name, const std::string& bytes) {
        testfiles::writeFile(folder.path() / name, bytes);
        return (folder.path() / name).string();
    }
};

// Odd sizes catch rows or columns lost at the edges of the 8-pixel blocks.
TEST_F(PictureFile, BaselineProgressiveAndGreyscaleLoadAtTheirExactSize) {
    constexpr int width = 37;
    constexpr int height = 23;
    constexpr int tolerance = 6;
    for (const Kind kind : {Kind::Baseline, Kind::Progressive, Kind::Greyscale}) {
        SCOPED_TRACE(static_cast<int>(kind));
        const core::Bitmap picture =
            app::LoadPictureFile(write("level0_big.jpg", encodeJpeg(width, height, kind)));
        ASSERT_EQ(picture.width(), width);
        ASSERT_EQ(picture.height(), height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const core::PixelWord pixel = picture.pixel(x, y);
                const Rgb expected =
                    kind == Kind::Greyscale
                        ? Rgb{quarterGrey(x, y), quarterGrey(x, y), quarterGrey(x, y)}
                        : quarterColour(x, y);
                ASSERT_EQ(pixel.alpha(), 0) << x << "," << y;
                ASSERT_NEAR(pixel.red(), expected.r, tolerance) << x << "," << y;
                ASSERT_NEAR(pixel.green(), expected.g, tolerance) << x << "," << y;
                ASSERT_NEAR(pixel.blue(), expected.b, tolerance) << x << "," << y;
            }
        }
    }
}

TEST_F(PictureFile, ExtensionDecidesTheFormatInAnyCase) {
    const std::string jpeg = encodeJpeg(16, 8, Kind::Baseline);
    EXPECT_EQ(app::LoadPictureFile(write("Level_hs.JPG", jpeg)).width(), 16);
    EXPECT_EQ(app::LoadPictureFile(write("title.Jpeg", jpeg)).width(), 16);
    EXPECT_NE(loadError(write("level0_big.png", jpeg)).find("format"), std::string::npos);
    loadError(write("level0_big", jpeg));
}

TEST_F(PictureFile, MissingNonJpegAndTruncatedFilesAreErrors) {
    EXPECT_NE(loadError((folder.path() / "absent.jpg").string()).find("No such file"),
              std::string::npos);
    loadError(write("text.jpg", "This is a level, honestly.\n"));
    loadError(write("empty.jpg", ""));

    for (const Kind kind : {Kind::Baseline, Kind::Progressive}) {
        const std::string whole = encodeJpeg(96, 96, kind, true);
        ASSERT_GT(whole.size(), 10000u);
        // Cut inside the picture data, and once just before the end marker.
        loadError(write("cut.jpg", whole.substr(0, whole.size() * 2 / 3)));
        loadError(write("cut.jpg", whole.substr(0, whole.size() - 2)));
    }
}

// Returns the offset of the first start-of-frame segment, walking the segments.
size_t startOfFrame(const std::string& jpeg) {
    size_t at = 2;
    while (at + 4 <= jpeg.size()) {
        const auto marker = static_cast<unsigned char>(jpeg[at + 1]);
        if (marker == 0xC0 || marker == 0xC2) return at;
        at += 2 + (static_cast<unsigned char>(jpeg[at + 2]) << 8 |
                   static_cast<unsigned char>(jpeg[at + 3]));
    }
    return std::string::npos;
}

long peakMemoryKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

TEST_F(PictureFile, PicturesAboveTheSizeLimitAreRefusedBeforeAllocating) {
    EXPECT_EQ(
        app::LoadPictureFile(write("wide.jpg", encodeJpeg(app::kMaxPictureSide, 8, Kind::Baseline)))
            .width(),
        app::kMaxPictureSide);
    EXPECT_NE(loadError(write("wider.jpg", encodeJpeg(app::kMaxPictureSide + 1, 8, Kind::Baseline)))
                  .find("8193"),
              std::string::npos);
    EXPECT_NE(
        loadError(write("taller.jpg", encodeJpeg(8, app::kMaxPictureSide + 1, Kind::Greyscale)))
            .find("8193"),
        std::string::npos);

    // A tiny file claiming 20000 x 20000 pixels (1.6 GB as a bitmap).
    std::string huge = encodeJpeg(16, 16, Kind::Baseline);
    const size_t frame = startOfFrame(huge);
    ASSERT_NE(frame, std::string::npos);
    for (size_t field : {frame + 5, frame + 7}) {
        huge[field] = static_cast<char>(20000 >> 8);
        huge[field + 1] = static_cast<char>(20000 & 0xFF);
    }
    const long before = peakMemoryKiB();
    EXPECT_NE(loadError(write("huge.jpg", huge)).find("20000 x 20000"), std::string::npos);
    EXPECT_LT(peakMemoryKiB() - before, 200 * 1024);
}

// Pictures held in memory, as a pack holds its caves: the format by the
// name's extension, a PNG's transparent pixels black, the header alone for
// the size, and every failure a PictureError that names the picture.
TEST(PictureInMemory, JpegAndPngDecodeAsFilesDoAndFailWithTheirName) {
    const std::string jpeg = encodeJpeg(16, 8, Kind::Baseline);
    const std::span<const uint8_t> jpegBytes(reinterpret_cast<const uint8_t*>(jpeg.data()),
                                             jpeg.size());
    EXPECT_EQ(app::ReadPictureSize(jpegBytes, "cave.JPG"), (app::PictureSize{16, 8}));
    EXPECT_EQ(app::DecodePicture(jpegBytes, "cave.jpeg").height(), 8);

    const std::vector<uint8_t> png = encodePng(
        3, 1, {0xFF, 0x80, 0x10, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x40, 0x40, 0x40, 0xFF});
    EXPECT_EQ(app::ReadPictureSize(png, "cave.png"), (app::PictureSize{3, 1}));
    const core::Bitmap picture = app::DecodePicture(png, "cave.PNG");
    EXPECT_EQ(picture.pixel(0, 0).value, 0xFF8010u);
    EXPECT_EQ(picture.pixel(1, 0).value, 0u) << "transparent is open space";
    EXPECT_EQ(picture.pixel(2, 0).value, 0x404040u);

    const auto failure = [](std::span<const uint8_t> bytes, const std::string& name) {
        try {
            app::DecodePicture(bytes, name);
        } catch (const app::PictureError& error) {
            EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
            return std::string(error.what());
        }
        ADD_FAILURE() << name << " decoded";
        return std::string();
    };
    failure(png, "cave.jpg");
    failure(jpegBytes, "cave.png");
    failure(std::span(png).first(png.size() - 20), "cut.png");
    failure({}, "empty.png");
    EXPECT_NE(failure(png, "cave.gif").find("format"), std::string::npos);
    const std::vector<uint8_t> wide(static_cast<size_t>(app::kMaxPictureSide + 1) * 4, 0);
    EXPECT_NE(failure(encodePng(app::kMaxPictureSide + 1, 1, wide), "wide.png").find("8193"),
              std::string::npos);
}

}  // namespace
