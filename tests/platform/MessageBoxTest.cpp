#include "platform/MessageBoxes.h"

#include <gtest/gtest.h>

#include "platform/Fonts.h"
#include "platform/Keys.h"

namespace {

using platform::BoxButton;
using platform::MessageBox;

TEST(MessageBox, SplitsTextAtEveryKindOfLineBreak) {
    EXPECT_EQ(platform::splitLines("MP3 file \r\n/x/y.wma\r\ndoes not exist!"),
              (std::vector<std::string>{"MP3 file ", "/x/y.wma", "does not exist!"}));
    EXPECT_EQ(platform::splitLines("a\nb\rc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(platform::splitLines(""), (std::vector<std::string>{""}));
}

TEST(MessageBox, LiesCentredInsideTheWindowWithItsButtons) {
    const platform::Size client{646, 585};
    const MessageBox question(MessageBox::Kind::Question, "Abandon current game ?", "Quit game",
                              client);
    const platform::Rect b = question.bounds();
    EXPECT_GE(b.left, 0);
    EXPECT_LE(b.right, client.width);
    EXPECT_LE(std::abs((b.left + b.right) - client.width), 1);
    EXPECT_EQ(question.buttons(), (std::vector<BoxButton>{BoxButton::Yes, BoxButton::No}));
    const platform::Rect yes = *question.buttonRect(BoxButton::Yes);
    const platform::Rect no = *question.buttonRect(BoxButton::No);
    EXPECT_LT(yes.right, no.left);
    EXPECT_EQ(b.intersected(yes), yes);
    EXPECT_FALSE(question.buttonRect(BoxButton::Ok).has_value());

    // A long text wraps instead of leaving the window, and a word wider than
    // the box (a deep folder path) is broken at its edge, every character shown.
    const std::string path = "/opt/" + std::string(300, 'y') + "/level.zip";
    const MessageBox message(MessageBox::Kind::Message,
                             std::string(40, 'x') + " Cannot open " + path, "Tarnwick", client);
    EXPECT_GE(message.bounds().left, 0);
    EXPECT_LE(message.bounds().right, client.width);
    const auto font = platform::Font::get(platform::FontSpec{"MS Sans Serif", 13, false});
    std::string shown;
    for (const std::string& line : message.lines()) {
        EXPECT_LT(font->measure(line).width, message.bounds().width()) << line;
        shown += line;
    }
    EXPECT_NE(shown.find(path), std::string::npos) << "a character went missing";
}

TEST(MessageBox, AnswersOnlyWhenPressAndReleaseHitTheSameButton) {
    MessageBox box(MessageBox::Kind::Question, "Abandon current game ?", "Quit game", {646, 585});
    const platform::Rect yes = *box.buttonRect(BoxButton::Yes);
    const platform::Rect no = *box.buttonRect(BoxButton::No);
    box.mouseDown(yes.left + 1, yes.top + 1);
    EXPECT_EQ(box.mouseUp(no.left + 1, no.top + 1), std::nullopt);
    box.mouseDown(no.left + 1, no.top + 1);
    EXPECT_EQ(box.mouseUp(no.left + 2, no.top + 2), BoxButton::No);
    EXPECT_EQ(box.key(platform::vk::Return), BoxButton::Yes);
    EXPECT_EQ(box.key(platform::vk::Escape), BoxButton::No);
    EXPECT_EQ(box.key('Y'), BoxButton::Yes);
    EXPECT_EQ(box.key('N'), BoxButton::No);
    EXPECT_EQ(box.key('Q'), std::nullopt);
    EXPECT_EQ(box.key(platform::vk::Space), std::nullopt) << "the engine key answers no question";
    const MessageBox message(MessageBox::Kind::Message, "x", "Tarnwick", {646, 585});
    EXPECT_EQ(message.key('Y'), std::nullopt);
    EXPECT_EQ(message.key(platform::vk::Return), BoxButton::Ok);
}

TEST(MessageBox, DrawsItsFaceAndTextInsideItsBounds) {
    const MessageBox box(MessageBox::Kind::Message, "Cannot open the level archive", "Tarnwick",
                         {646, 585});
    core::Bitmap frame(646, 585, core::PixelWord::rgb(1, 2, 3));
    box.draw(frame);
    const platform::Rect b = box.bounds();
    EXPECT_EQ(frame.pixel(b.left - 1, b.top).value, core::PixelWord::rgb(1, 2, 3).value);
    EXPECT_EQ(frame.pixel(b.right, b.bottom - 1).value, core::PixelWord::rgb(1, 2, 3).value);
    int dark = 0;
    for (int y = b.top + 20; y < b.top + 50; ++y)
        for (int x = b.left; x < b.right; ++x)
            if (frame.pixel(x, y).red() < 100) ++dark;
    EXPECT_GT(dark, 50) << "the text should be drawn in dark pixels on the light face";
}

}  // namespace
