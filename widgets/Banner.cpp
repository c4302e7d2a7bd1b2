#include "Banner.h"

#include <algorithm>
#include <cmath>

#include "ui/Canvas.h"

namespace widgets {

TBanner::TBanner(std::string name, platform::EventLoop& loop)
    : Control(std::move(name)), timer_(loop) {
    SetBounds(0, 0, 70, 18);
    timer_.SetInterval(50);
    timer_.SetOnTimer([this](dib::TDIBTimer&) { tick(); });
}

void TBanner::SetLines(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    nextIndex_ = 0;
    fetchNextLine();
    y_ = Height();
    Invalidate();
}

void TBanner::SetRun(bool run) {
    y_ = Height();
    timer_.SetEnabled(run);
    Invalidate();
}

int TBanner::Speed() const {
    return static_cast<int>(std::nearbyint(10000.0 / timer_.Interval()));
}

void TBanner::SetSpeed(int speed) {
    const int clamped = std::clamp(speed, kMinSpeed, kMaxSpeed);
    timer_.SetInterval(static_cast<uint32_t>(std::nearbyint(10000.0 / clamped)));
}

void TBanner::SetGap(int gap) {
    if (gap == gap_) return;
    gap_ = gap;
    Invalidate();
}

void TBanner::SetAlignment(ui::TAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    Invalidate();
}

void TBanner::SetFont(const ui::TFont& font) {
    if (font == font_) return;
    font_ = font;
    Invalidate();
}

void TBanner::SetColor(core::CanvasColor color) {
    if (color == color_) return;
    color_ = color;
    Invalidate();
}

size_t TBanner::fetchNextLine() {
    const size_t fetched = nextIndex_;
    topLine_ = fetched < lines_.size() ? lines_[fetched] : std::string();
    nextIndex_ = fetched + 1 < lines_.size() ? fetched + 1 : 0;
    return fetched;
}

void TBanner::tick() {
    if (direction_ != TBannerDirection::dirBottomTop) return;
    if (!ticked_) {
        ticked_ = true;
        y_ = Height();
    }
    if (y_ + gap_ < 0) {
        // The old second line is the new top line and stays where it was
        // drawn; only a fresh start of the list begins at the bottom again.
        if (fetchNextLine() == 0)
            y_ = Height();
        else
            y_ += gap_;
    } else {
        y_ -= jump_;
    }
    Invalidate();
}

int TBanner::lineLeft(int textWidth) const {
    switch (alignment_) {
        case ui::TAlignment::RightJustify:
            return Width() - textWidth;
        case ui::TAlignment::Center:
            return (Width() - textWidth) / 2;
        case ui::TAlignment::LeftJustify:
            break;
    }
    return 0;
}

void TBanner::PaintSelf(core::Bitmap& frame, const platform::Rect& clip) {
    ui::Canvas canvas = ui::Canvas::ForControl(frame, *this, clip);
    canvas.FillColor(platform::Rect{0, 0, Width(), Height()}, color_);
    const auto font = font_.Open();
    const auto drawLine = [&](const std::string& text, int y) {
        if (text.empty()) return;
        canvas.DrawTextLine(lineLeft(font->measure(text).width), y, text, *font, font_.Color);
    };

    int y = y_;
    if (y >= Height()) return;
    drawLine(topLine_, y);
    // An index of 0 means the top line is the list's last one: nothing follows it.
    if (nextIndex_ == 0) return;
    for (size_t i = nextIndex_; i < lines_.size(); ++i) {
        y += gap_;
        if (y >= Height()) break;
        drawLine(lines_[i], y);
    }
}

ui::Properties TBanner::ExtraProperties() const {
    return {{"Lines", lines_}, {"Run", Run()}};
}

}  // namespace widgets
