#include "core/Bitmap.h"

#include <gtest/gtest.h>

namespace {

using core::PixelWord;

TEST(Colors, CanvasAndPixelFormsSwapRedAndBlue) {
    const core::CanvasColor red = core::colors::red;
    EXPECT_EQ(red.value, 0x0000FF);
    EXPECT_EQ(core::toPixelWord(red).value, 0x00FF0000u);
    EXPECT_EQ(core::toCanvasColor(PixelWord{0xFF112233}).value, 0x332211);
    EXPECT_EQ(core::CanvasColor::outside().value, -1);
}

TEST(Bitmap, FillRectAndBlitStayInsideThePicture) {
    core::Bitmap b(4, 3);
    b.fillRect(-2, -2, 4, 4, PixelWord{7});  // only (0..1, 0..1) lies inside
    EXPECT_EQ(b.pixel(0, 0).value, 7u);
    EXPECT_EQ(b.pixel(1, 1).value, 7u);
    EXPECT_EQ(b.pixel(2, 1).value, 0u);
    EXPECT_EQ(b.pixel(0, 2).value, 0u);

    core::Bitmap src(3, 3, PixelWord{9});
    b.blit(src, 2, 1);  // overhangs right and bottom
    EXPECT_EQ(b.pixel(3, 2).value, 9u);
    EXPECT_EQ(b.pixel(2, 0).value, 0u);
    b.blit(src, -5, 0);  // wholly outside: nothing
    EXPECT_EQ(b.pixel(0, 2).value, 0u);
}

TEST(Bitmap, RejectsNegativeSizes) {
    EXPECT_THROW(core::Bitmap(-1, 3), std::invalid_argument);
}

}  // namespace
