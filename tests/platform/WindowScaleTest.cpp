#include <gtest/gtest.h>

#include <vector>

#include "platform/WindowScale.h"

namespace platform {
namespace {

TEST(WindowScale, TheLargestWholeFactorCentredAndTheMouseMappedBackExactly) {
    const Size client{646, 585};
    const WindowScale small = WindowScale::fit(client, Size{640, 480});  // never below 1
    EXPECT_EQ(small.factor, 1);
    EXPECT_EQ(small.offsetX, 0);

    const WindowScale full = WindowScale::fit(client, Size{1920, 1080});  // height decides
    EXPECT_EQ(full.factor, 1);
    const WindowScale large = WindowScale::fit(client, Size{2560, 1440});
    EXPECT_EQ(large.factor, 2);
    EXPECT_EQ(large.offsetX, (2560 - 1292) / 2);
    EXPECT_EQ(large.offsetY, (1440 - 1170) / 2);

    // Both window pixels of a game pixel map to it; the bars lie outside.
    EXPECT_EQ(large.toClientX(large.offsetX + 2 * 305), 305);
    EXPECT_EQ(large.toClientX(large.offsetX + 2 * 305 + 1), 305);
    EXPECT_EQ(large.toClientX(large.offsetX - 1), -1);
    EXPECT_EQ(large.toClientY(large.offsetY + 2 * 585), 585);
    const Rect shown = large.toWindow(Rect{10, 20, 30, 40});
    EXPECT_EQ(shown.left, large.offsetX + 20);
    EXPECT_EQ(shown.bottom, large.offsetY + 80);
}

TEST(WindowScale, EnlargingMakesEveryPixelASharpSquare) {
    core::Bitmap frame(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) frame.row(y)[x] = static_cast<uint32_t>(10 * y + x);
    // The right two columns of both rows, three times larger.
    constexpr int kFactor = 3;
    const Rect area{1, 0, 3, 2};
    std::vector<uint32_t> target(6 * 6, 99);
    Enlarge(frame, area, kFactor, target.data(), 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(target[static_cast<size_t>(y * 6 + x)],
                      static_cast<uint32_t>(10 * (y / kFactor) + 1 + x / kFactor))
                << x << "," << y;
}

}  // namespace
}  // namespace platform
