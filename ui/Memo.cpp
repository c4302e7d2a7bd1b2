#include "Memo.h"

#include <algorithm>

#include "Canvas.h"
#include "TextDrawing.h"
#include "platform/MessageBoxes.h"

namespace ui {
namespace {

TextFormat rowFormat() {
    TextFormat format;
    format.WordWrap = true;
    return format;
}

}  // namespace

TMemo::TMemo(std::string name) : Control(std::move(name)) {}

void TMemo::Add(std::string_view line) {
    for (std::string& piece : platform::splitLines(std::string(line)))
        lines_.push_back(std::move(piece));
    const size_t total = rows().size();
    const size_t fit = static_cast<size_t>(rowsThatFit());
    topRow_ = total > fit ? total - fit : 0;
    Invalidate();
}

void TMemo::Clear() {
    if (lines_.empty()) return;
    lines_.clear();
    topRow_ = 0;
    Invalidate();
}

std::string TMemo::Text() const {
    std::string text;
    for (const std::string& line : lines_) text += line + "\r\n";
    return text;
}

void TMemo::SetFont(const TFont& font) {
    if (font == font_) return;
    font_ = font;
    Invalidate();
}

platform::Rect TMemo::textArea() const {
    // Two pixels of sunken edge and one of margin on each side.
    const int inset = 3;
    return platform::Rect{inset, inset, std::max(Width() - inset, inset),
                          std::max(Height() - inset, inset)};
}

std::vector<std::string> TMemo::rows() const {
    const TextDrawing drawing(font_, rowFormat());
    std::vector<std::string> result;
    for (const std::string& line : lines_)
        for (TextLine& row : drawing.Lines(line, textArea().width()))
            result.push_back(std::move(row.text));
    return result;
}

int TMemo::rowsThatFit() const {
    return std::max(textArea().height() / TextDrawing(font_, rowFormat()).LineHeight(), 1);
}

std::vector<std::string> TMemo::VisibleRows() const {
    const std::vector<std::string> all = rows();
    const size_t first = std::min(topRow_, all.size());
    const size_t last = std::min(first + static_cast<size_t>(rowsThatFit()), all.size());
    return std::vector<std::string>(all.begin() + static_cast<ptrdiff_t>(first),
                                    all.begin() + static_cast<ptrdiff_t>(last));
}

void TMemo::PaintSelf(core::Bitmap& frame, const platform::Rect& clip) {
    Canvas canvas = Canvas::ForControl(frame, *this, clip);
    platform::Rect inside{0, 0, Width(), Height()};
    canvas.DrawEdge(inside, true);
    canvas.FillColor(inside, core::colors::white);

    const platform::Rect area = textArea();
    const TextDrawing drawing(font_, rowFormat());
    platform::Rect row{area.left, area.top, area.right, area.top + drawing.LineHeight()};
    for (const std::string& text : VisibleRows()) {
        drawing.Draw(canvas, row, text, font_.Color);
        row.top = row.bottom;
        row.bottom += drawing.LineHeight();
    }
}

Properties TMemo::ExtraProperties() const {
    return {{"Lines", lines_}, {"FontColor", int64_t{font_.Color.value}}};
}

}  // namespace ui
