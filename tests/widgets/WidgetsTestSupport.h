#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "../platform/LoopHarness.h"
#include "core/Bitmap.h"
#include "core/Colors.h"
#include "ui/Control.h"
#include "ui/Form.h"

namespace test {

// A black form, not shown, that the widgets sit on: tests paint it into
// their own frame and read pixels back in canvas colours.
struct WidgetForm : ::testing::Test {
    static constexpr int kWidth = 260;
    static constexpr int kHeight = 100;

    LoopHarness h;
    ui::Form form{"Form1", h.loop};
    core::Bitmap frame{kWidth, kHeight};

    WidgetForm() { form.SetBounds(0, 0, kWidth, kHeight); }

    void paint() { form.paint(frame, platform::Rect{0, 0, kWidth, kHeight}); }
    bool frameEquals(const core::Bitmap& other) const {
        return std::equal(frame.data(), frame.data() + kWidth * kHeight, other.data());
    }
    // The pixel at (x, y) of `control`'s client area.
    core::CanvasColor at(const ui::Control& control, int x, int y) const {
        const platform::Rect b = control.BoundsInWindow();
        return core::toCanvasColor(frame.pixel(b.left + x, b.top + y));
    }
    // Pixels of `control` that pass `test`.
    template <typename Test>
    int countInside(const ui::Control& control, Test test) const {
        int n = 0;
        for (int y = 0; y < control.Height(); ++y)
            for (int x = 0; x < control.Width(); ++x) n += test(at(control, x, y)) ? 1 : 0;
        return n;
    }
    int countInside(const ui::Control& control, core::CanvasColor colour) const {
        return countInside(control, [colour](core::CanvasColor c) { return c == colour; });
    }
};

template <typename T>
T property(const ui::Control& control, const std::string& name) {
    for (const auto& [key, value] : control.ExtraProperties())
        if (key == name) return std::get<T>(value);
    ADD_FAILURE() << "no property " << name;
    return T{};
}

}  // namespace test
