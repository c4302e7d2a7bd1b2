#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <stdexcept>

#include "platform/Png.h"

namespace platform {
namespace {

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

TEST(Png, WrittenPixelsReadBackOpaqueAndUnchanged) {
    // Odd sizes, so that a wrong row pitch would shear the picture.
    core::Bitmap picture(37, 23);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y,
                             core::PixelWord::rgb(
                                 static_cast<uint8_t>(x * 7), static_cast<uint8_t>(y * 11),
                                 static_cast<uint8_t>(x * y), static_cast<uint8_t>(x * 40 + y)));
    const std::string path = ::testing::TempDir() + "tarnwick_png_test.png";
    savePng(picture, path);

    SurfacePtr loaded(IMG_Load(path.c_str()));
    ASSERT_TRUE(loaded) << IMG_GetError();
    EXPECT_EQ(loaded->format->Amask, 0u) << "the file should carry no alpha channel";
    SurfacePtr argb(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    ASSERT_TRUE(argb);
    ASSERT_EQ(argb->w, picture.width());
    ASSERT_EQ(argb->h, picture.height());
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(argb->pixels) + y * argb->pitch);
        for (int x = 0; x < picture.width(); ++x)
            ASSERT_EQ(row[x], picture.pixel(x, y).value | 0xFF000000u) << "at " << x << "," << y;
    }
    std::filesystem::remove(path);
}

TEST(Png, FailuresAreReported) {
    const core::Bitmap picture(4, 4);
    const std::string badPath = ::testing::TempDir() + "no-such-folder/shot.png";
    try {
        savePng(picture, badPath);
        FAIL() << "writing into a missing folder succeeded";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(badPath), std::string::npos) << e.what();
    }
    EXPECT_THROW(savePng(core::Bitmap(), ::testing::TempDir() + "empty.png"), std::runtime_error);
}

}  // namespace
}  // namespace platform
