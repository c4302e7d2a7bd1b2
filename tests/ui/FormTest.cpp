#include "ui/Form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../platform/LoopHarness.h"

namespace {

// A control that writes down what reaches it.
struct Probe : ui::Control {
    std::vector<std::string>& log;
    bool focusable = false;
    bool solid = true;
    uint32_t colour = 0;

    Probe(std::string name, std::vector<std::string>& sink) : Control(std::move(name)), log(sink) {
        OnClick = [this] { log.push_back(Name() + " click"); };
    }
    void MouseEnter() override { log.push_back(Name() + " enter"); }
    void MouseLeave() override { log.push_back(Name() + " leave"); }
    void MouseDown(int x, int y) override {
        log.push_back(Name() + " down " + std::to_string(x) + "," + std::to_string(y));
    }
    void MouseUp(int, int) override { log.push_back(Name() + " up"); }
    bool CanFocus() const override { return focusable; }
    void KeyDown(int key) override { log.push_back(Name() + " key " + std::to_string(key)); }
    void KeyPress(char32_t ch) override { log.push_back(Name() + " char " + std::to_string(ch)); }
    bool HitTest(int x, int y) const override { return solid && Control::HitTest(x, y); }
    void PaintSelf(core::Bitmap& frame, const platform::Rect& clip) override {
        frame.fillRect(clip.left, clip.top, clip.width(), clip.height(), core::PixelWord{colour});
    }
};

struct FormFixture : ::testing::Test {
    test::LoopHarness h;
    std::vector<std::string> log;
    ui::Form form{"Form1", h.loop};
    Probe panel{"panel", log};
    Probe button{"button", log};
    Probe label{"label", log};

    FormFixture() {
        form.SetBounds(0, 0, 200, 100);
        panel.SetBounds(20, 10, 100, 80);
        panel.SetParent(&form);
        button.SetBounds(10, 10, 40, 20);  // inside panel: window (30, 20) .. (70, 40)
        button.SetParent(&panel);
        label.SetBounds(0, 0, 200, 15);  // on top of everything, but lets the mouse through
        label.solid = false;
        label.SetParent(&form);
        panel.colour = 0x111111;
        button.colour = 0x222222;
        label.colour = 0x333333;
    }
};

TEST_F(FormFixture, FindsControlsAndTheirPlaceInTheWindow) {
    EXPECT_EQ(form.FindControl("button"), &button);
    EXPECT_EQ(form.FindControl("nothing"), nullptr);
    EXPECT_EQ(button.BoundsInWindow(), platform::Rect::ofSize(30, 20, 40, 20));
    EXPECT_EQ(form.ControlAt(35, 25), &button);
    EXPECT_EQ(form.ControlAt(25, 15), &panel);  // under the label, which lets it through
    EXPECT_EQ(form.ControlAt(150, 50), &form);
    button.Hide();
    EXPECT_EQ(form.ControlAt(35, 25), &panel);
    button.Show();
    button.SetEnabled(false);
    EXPECT_EQ(form.ControlAt(35, 25), &panel);
}

TEST_F(FormFixture, AClickIsAPressAndReleaseOnTheSameControl) {
    form.mouseDown(35, 25);
    form.mouseUp(36, 26);
    EXPECT_EQ(log, (std::vector<std::string>{"button enter", "button down 5,5", "button up",
                                             "button click"}));
}

TEST_F(FormFixture, ThePressedControlKeepsTheMouseUntilRelease) {
    form.mouseDown(35, 25);
    log.clear();
    form.mouseMove(100, 60);  // dragged off: no leave yet, no other control entered
    form.mouseMove(110, 70);
    EXPECT_TRUE(log.empty());
    form.mouseUp(110, 70);
    // Released elsewhere: no click; only now the pointer has left.
    EXPECT_EQ(log, (std::vector<std::string>{"button up", "button leave", "panel enter"}));
}

TEST_F(FormFixture, KeyPreviewSeesKeysBeforeTheFocusedControl) {
    form.KeyPreview = true;
    form.OnKeyDown = [&](int key) { log.push_back("form key " + std::to_string(key)); };
    form.OnKeyPress = [&](char32_t ch) { log.push_back("form char " + std::to_string(ch)); };
    button.focusable = true;
    form.mouseDown(35, 25);  // takes the focus
    form.mouseUp(35, 25);
    log.clear();
    form.keyDown('P');
    form.keyChar(U'p');
    EXPECT_EQ(log, (std::vector<std::string>{"form key 80", "button key 80", "form char 112",
                                             "button char 112"}));
    EXPECT_EQ(form.ActiveControl(), &button);
}

TEST_F(FormFixture, ForgetsAControlThatGoesAway) {
    auto extra = std::make_unique<Probe>("extra", log);
    extra->SetBounds(150, 50, 20, 20);
    extra->SetParent(&form);
    extra->focusable = true;
    form.mouseDown(155, 55);
    EXPECT_EQ(form.Captured(), extra.get());
    extra.reset();
    EXPECT_EQ(form.Captured(), nullptr);
    EXPECT_EQ(form.Hovered(), nullptr);
    EXPECT_EQ(form.ActiveControl(), nullptr);
    form.mouseUp(155, 55);  // nothing left to deliver to
}

TEST_F(FormFixture, PaintsControlsInStackingOrderOnlyInsideTheArea) {
    core::Bitmap frame(200, 100);
    form.paint(frame, platform::Rect{0, 0, 200, 100});
    EXPECT_EQ(frame.pixel(150, 50).value, 0u);        // form background, black
    EXPECT_EQ(frame.pixel(25, 50).value, 0x111111u);  // panel
    EXPECT_EQ(frame.pixel(35, 25).value, 0x222222u);  // button over panel
    EXPECT_EQ(frame.pixel(35, 12).value, 0x333333u);  // label on top of the panel
    button.BringToFront();  // still inside the panel, so the label stays above it
    panel.BringToFront();   // now the panel covers the label
    frame.fill(core::PixelWord{1});
    form.paint(frame, platform::Rect{30, 12, 40, 14});
    EXPECT_EQ(frame.pixel(35, 12).value, 0x111111u);
    EXPECT_EQ(frame.pixel(29, 12).value, 1u);  // outside the area: untouched
}

}  // namespace
