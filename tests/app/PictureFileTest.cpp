#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

#include "TestFiles.h"
#include "app/PictureFile.h"

namespace {

using testfiles::TemporaryFolder;

struct Rgb {
    int r, g, b;
};

// Four flat quarters split on 8-pixel block edges, so every block is one
// colour and survives compression almost unchanged.
Rgb quarterColour(int x, int y) {
    static const Rgb colours[4] = {{200, 30, 40}, {20, 180, 60}, {30, 50, 210}, {230, 220, 20}};
    return colours[(x < 16 ? 0 : 1) + (y < 8 ? 0 : 2)];
}

int quarterGrey(int x, int y) { return 30 + 60 * ((x < 16 ? 0 : 1) + (y < 8 ? 0 : 2)); }

enum class Kind { Baseline, Progressive, Greyscale };

// Encodes a test picture with libjpeg at quality 95 without chroma
// subsampling. `noise` replaces the quarters with random pixels, which
// compress badly and so give a long stretch of picture data to cut into.
std::string encodeJpeg(int width, int height, Kind kind, bool noise = false) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);

    const bool grey = kind == Kind::Greyscale;
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    if (kind == Kind::Progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);

    std::vector<JSAMPLE> row(static_cast<size_t>(width) * info.input_components);
    const std::string random = testfiles::patternBytes(row.size() * height, 7);
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < width; ++x) {
            JSAMPLE* sample = &row[static_cast<size_t>(x) * info.input_components];
            if (noise) {
                for (int c = 0; c < info.input_components; ++c) {
                    sample[c] = static_cast<JSAMPLE>(random[(static_cast<size_t>(y) * width + x) * info.input_components + c]);
                }
            } else if (grey) {
                sample[0] = static_cast<JSAMPLE>(quarterGrey(x, y));
            } else {
                const Rgb rgb = quarterColour(x, y);
                sample[0] = static_cast<JSAMPLE>(rgb.r);
                sample[1] = static_cast<JSAMPLE>(rgb.g);
                sample[2] = static_cast<JSAMPLE>(rgb.b);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

// Runs the load and returns the error text, or fails the test when it loads.
std::string loadError(const std::string& path) {
    try {
        app::LoadPictureFile(path);
    } catch (const app::PictureError& error) {
        const std::string text = error.what();
        EXPECT_NE(text.find(path), std::string::npos) << "the error does not name the file: " << text;
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
        const core::Bitmap picture = app::LoadPictureFile(write("level0_big.jpg", encodeJpeg(width, height, kind)));
        ASSERT_EQ(picture.width(), width);
        ASSERT_EQ(picture.height(), height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const core::PixelWord pixel = picture.pixel(x, y);
                const Rgb expected = kind == Kind::Greyscale
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
    EXPECT_NE(loadError((folder.path() / "absent.jpg").string()).find("No such file"), std::string::npos);
    loadError(write("text.jpg", "This is a level, honestly.\n"));
    loadError(write("empty.jpg", ""));

    for (const Kind kind : {Kind::Baseline, Kind::Progressive}) {
        const std::string whole = encodeJpeg(96, 96, kind, true);
        ASSERT_GT(whole.size(), 20000u);
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
        at += 2 + (static_cast<unsigned char>(jpeg[at + 2]) << 8 | static_cast<unsigned char>(jpeg[at + 3]));
    }
    return std::string::npos;
}

long peakMemoryKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

TEST_F(PictureFile, PicturesAboveTheSizeLimitAreRefusedBeforeAllocating) {
    EXPECT_EQ(app::LoadPictureFile(write("wide.jpg", encodeJpeg(app::kMaxPictureSide, 8, Kind::Baseline))).width(),
              app::kMaxPictureSide);
    EXPECT_NE(loadError(write("wider.jpg", encodeJpeg(app::kMaxPictureSide + 1, 8, Kind::Baseline))).find("8193"),
              std::string::npos);
    EXPECT_NE(loadError(write("taller.jpg", encodeJpeg(8, app::kMaxPictureSide + 1, Kind::Greyscale))).find("8193"),
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

}  // namespace
