#include "MessageBoxes.h"

#include <algorithm>

#include "Fonts.h"
#include "Keys.h"

namespace platform {
namespace {

using core::PixelWord;

constexpr int kPadding = 12;
constexpr int kCaptionHeight = 18;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 8;
constexpr int kMinimumWidth = 200;
constexpr int kScreenMargin = 8;

constexpr PixelWord kFace = PixelWord::rgb(212, 208, 200);
constexpr PixelWord kLight = PixelWord::rgb(255, 255, 255);
constexpr PixelWord kShadow = PixelWord::rgb(128, 128, 128);
constexpr PixelWord kDark = PixelWord::rgb(64, 64, 64);
constexpr PixelWord kCaptionBar = PixelWord::rgb(10, 36, 106);
constexpr PixelWord kText = PixelWord::rgb(0, 0, 0);
constexpr PixelWord kCaptionText = PixelWord::rgb(255, 255, 255);

std::shared_ptr<const Font> textFont() {
    return Font::get(FontSpec{"MS Sans Serif", 13, false});
}
std::shared_ptr<const Font> captionFont() {
    return Font::get(FontSpec{"MS Sans Serif", 13, true});
}

const char* labelOf(BoxButton button) {
    switch (button) {
        case BoxButton::Ok:
            return "OK";
        case BoxButton::Yes:
            return "Yes";
        case BoxButton::No:
            return "No";
    }
    return "";
}

// Breaks a word wider than `maxWidth` into pieces that fit, between whole
// UTF-8 characters: a long path in an error must show every character.
std::vector<std::string> breakWord(const std::string& word, const Font& font, int maxWidth) {
    std::vector<std::string> pieces;
    std::string current;
    size_t pos = 0;
    while (pos < word.size()) {
        size_t end = pos + 1;
        while (end < word.size() && (static_cast<unsigned char>(word[end]) & 0xC0) == 0x80) ++end;
        const std::string character = word.substr(pos, end - pos);
        if (!current.empty() && font.measure(current + character).width > maxWidth) {
            pieces.push_back(current);
            current.clear();
        }
        current += character;
        pos = end;
    }
    pieces.push_back(current);
    return pieces;
}

// Breaks one line at blanks so that no piece is wider than `maxWidth`; a
// word that is wider on its own is broken at the box edge.
std::vector<std::string> wrap(const std::string& line, const Font& font, int maxWidth) {
    std::vector<std::string> pieces;
    std::string current;
    size_t pos = 0;
    while (pos <= line.size()) {
        size_t blank = line.find(' ', pos);
        if (blank == std::string::npos) blank = line.size();
        std::string word = line.substr(pos, blank - pos);
        pos = blank + 1;
        if (font.measure(word).width > maxWidth) {
            if (!current.empty()) pieces.push_back(current);
            std::vector<std::string> parts = breakWord(word, font, maxWidth);
            current = parts.back();
            parts.pop_back();
            pieces.insert(pieces.end(), parts.begin(), parts.end());
            continue;
        }
        const std::string candidate = current.empty() ? word : current + " " + word;
        if (!current.empty() && font.measure(candidate).width > maxWidth) {
            pieces.push_back(current);
            current = word;
        } else {
            current = candidate;
        }
    }
    pieces.push_back(current);
    return pieces;
}

// A raised (or, pressed, sunken) bevel around `r`.
void bevel(core::Bitmap& frame, const Rect& r, bool sunken) {
    const PixelWord outerLight = sunken ? kDark : kLight;
    const PixelWord outerDark = sunken ? kLight : kDark;
    const PixelWord innerDark = sunken ? kFace : kShadow;
    frame.fillRect(r.left, r.top, r.width(), 1, outerLight);
    frame.fillRect(r.left, r.top, 1, r.height(), outerLight);
    frame.fillRect(r.left, r.bottom - 1, r.width(), 1, outerDark);
    frame.fillRect(r.right - 1, r.top, 1, r.height(), outerDark);
    frame.fillRect(r.left + 1, r.bottom - 2, r.width() - 2, 1, innerDark);
    frame.fillRect(r.right - 2, r.top + 1, 1, r.height() - 2, innerDark);
}

}  // namespace

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string current;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            current += c;
        }
    }
    lines.push_back(current);
    return lines;
}

MessageBox::MessageBox(Kind kind, std::string text, std::string caption, Size client)
    : kind_(kind), text_(std::move(text)), caption_(std::move(caption)) {
    const auto font = textFont();
    const int maxTextWidth = std::max(client.width - 2 * kScreenMargin - 2 * kPadding, 1);
    int textWidth = 0;
    for (const std::string& line : splitLines(text_))
        for (std::string& piece : wrap(line, *font, maxTextWidth)) {
            textWidth = std::max(textWidth, font->measure(piece).width);
            lines_.push_back(std::move(piece));
        }
    textWidth = std::min(textWidth, maxTextWidth);

    const std::vector<BoxButton> ids = kind_ == Kind::Question
                                           ? std::vector{BoxButton::Yes, BoxButton::No}
                                           : std::vector{BoxButton::Ok};
    const int buttonsWidth = static_cast<int>(ids.size()) * kButtonWidth +
                             (static_cast<int>(ids.size()) - 1) * kButtonGap;
    const int captionWidth = captionFont()->measure(caption_).width + 2 * kPadding;
    const int width = std::min(std::max({textWidth + 2 * kPadding, buttonsWidth + 2 * kPadding,
                                         captionWidth, kMinimumWidth}),
                               std::max(client.width - 2 * kScreenMargin, 1));
    const int textHeight = static_cast<int>(lines_.size()) * font->lineHeight();
    const int height = kCaptionHeight + kPadding + textHeight + kPadding + kButtonHeight + kPadding;

    const int left = (client.width - width) / 2;
    const int top = std::max((client.height - height) / 2, 0);
    bounds_ = Rect::ofSize(left, top, width, height);
    textRect_ = Rect::ofSize(left + kPadding, top + kCaptionHeight + kPadding, width - 2 * kPadding,
                             textHeight);

    int buttonLeft = left + (width - buttonsWidth) / 2;
    const int buttonTop = bounds_.bottom - kPadding - kButtonHeight;
    for (BoxButton id : ids) {
        buttons_.push_back(
            Button{id, Rect::ofSize(buttonLeft, buttonTop, kButtonWidth, kButtonHeight)});
        buttonLeft += kButtonWidth + kButtonGap;
    }
}

std::vector<BoxButton> MessageBox::buttons() const {
    std::vector<BoxButton> ids;
    for (const Button& b : buttons_) ids.push_back(b.id);
    return ids;
}

std::optional<Rect> MessageBox::buttonRect(BoxButton button) const {
    for (const Button& b : buttons_)
        if (b.id == button) return b.rect;
    return std::nullopt;
}

std::optional<BoxButton> MessageBox::buttonAt(int x, int y) const {
    for (const Button& b : buttons_)
        if (b.rect.contains(x, y)) return b.id;
    return std::nullopt;
}

void MessageBox::mouseDown(int x, int y) {
    pressed_ = buttonAt(x, y);
}

std::optional<BoxButton> MessageBox::mouseUp(int x, int y) {
    const auto released = buttonAt(x, y);
    const auto pressed = pressed_;
    pressed_.reset();
    if (pressed && released == pressed) return released;
    return std::nullopt;
}

std::optional<BoxButton> MessageBox::key(int key) const {
    // Space answers nothing: a player holding the engine key when a question
    // opens must not abandon the game by it.
    if (key == vk::Return) return buttons_.front().id;
    if (key == vk::Escape) return buttons_.back().id;
    for (const BoxButton id : {BoxButton::Yes, BoxButton::No})
        if (key == (id == BoxButton::Yes ? 'Y' : 'N') && buttonRect(id)) return id;
    return std::nullopt;
}

void MessageBox::draw(core::Bitmap& frame) const {
    const Rect& b = bounds_;
    frame.fillRect(b.left, b.top, b.width(), b.height(), kFace);
    bevel(frame, b, false);

    const Rect bar = Rect::ofSize(b.left + 3, b.top + 3, b.width() - 6, kCaptionHeight - 2);
    frame.fillRect(bar.left, bar.top, bar.width(), bar.height(), kCaptionBar);
    const auto bold = captionFont();
    bold->draw(frame, bar.left + 4, bar.top + (bar.height() - bold->lineHeight()) / 2, caption_,
               kCaptionText, bar);

    const auto font = textFont();
    int y = textRect_.top;
    for (const std::string& line : lines_) {
        font->draw(frame, textRect_.left, y, line, kText, textRect_);
        y += font->lineHeight();
    }

    for (const Button& button : buttons_) {
        const bool sunken = pressed_ == button.id;
        bevel(frame, button.rect, sunken);
        const Size label = font->measure(labelOf(button.id));
        const int shift = sunken ? 1 : 0;
        font->draw(frame, button.rect.left + (button.rect.width() - label.width) / 2 + shift,
                   button.rect.top + (button.rect.height() - label.height) / 2 + shift,
                   labelOf(button.id), kText, button.rect);
    }
}

}  // namespace platform
