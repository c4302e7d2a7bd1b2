#include "TextDrawing.h"

#include <algorithm>

#include "Canvas.h"
#include "platform/MessageBoxes.h"

namespace ui {
namespace {

// Bytes of the UTF-8 character that starts at `text[at]`.
size_t characterLength(std::string_view text, size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return std::min(length, text.size() - at);
}

// One source line with its accelerator marks resolved.
TextLine withoutMarks(std::string_view line, bool showAccelChar) {
    TextLine result;
    if (!showAccelChar) {
        result.text = line;
        return result;
    }
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '&') {
            result.text += line[i];
            continue;
        }
        if (i + 1 >= line.size()) break;  // a mark with nothing after it shows nothing
        if (line[i + 1] == '&') {
            result.text += '&';
            ++i;
        } else {
            result.underlined.push_back(result.text.size());
        }
    }
    return result;
}

// The part [from, to) of a line, keeping the underlines that fall inside it.
TextLine slice(const TextLine& line, size_t from, size_t to) {
    TextLine part;
    part.text = line.text.substr(from, to - from);
    for (size_t at : line.underlined)
        if (at >= from && at < to) part.underlined.push_back(at - from);
    return part;
}

}  // namespace

TextDrawing::TextDrawing(const TFont& font, TextFormat format)
    : font_(font.Open()), format_(format) {}

int TextDrawing::LineHeight() const {
    return font_->lineHeight();
}

int TextDrawing::tabStop() const {
    return std::max(8 * font_->measure("x").width, 1);
}

int TextDrawing::widthOf(std::string_view piece) const {
    if (!format_.ExpandTabs) return font_->measure(piece).width;
    const int stop = tabStop();
    int x = 0;
    size_t start = 0;
    while (true) {
        // With no TAB left, `tab - start` runs past the end and takes the rest.
        const size_t tab = piece.find('\t', start);
        x += font_->measure(piece.substr(start, tab - start)).width;
        if (tab == std::string_view::npos) return x;
        x = (x / stop + 1) * stop;
        start = tab + 1;
    }
}

std::vector<TextLine> TextDrawing::Lines(std::string_view text, int width) const {
    std::vector<TextLine> lines;
    for (const std::string& source : platform::splitLines(std::string(text))) {
        const TextLine line = withoutMarks(source, format_.ShowAccelChar);
        const std::string& s = line.text;
        if (!format_.WordWrap) {
            lines.push_back(line);
            continue;
        }
        size_t start = 0;
        while (true) {
            // Take words while they fit; the first word always goes in.
            size_t end = std::string::npos;
            for (size_t pos = start; pos < s.size();) {
                const size_t wordStart = s.find_first_not_of(' ', pos);
                if (wordStart == std::string::npos) break;
                size_t wordEnd = s.find(' ', wordStart);
                if (wordEnd == std::string::npos) wordEnd = s.size();
                if (end != std::string::npos &&
                    widthOf(std::string_view(s).substr(start, wordEnd - start)) > width)
                    break;
                end = wordEnd;
                pos = wordEnd;
            }
            if (end == std::string::npos) end = s.size();  // nothing but blanks
            lines.push_back(slice(line, start, end));
            // The blanks at a break belong to neither line.
            start = s.find_first_not_of(' ', end);
            if (start == std::string::npos) break;
        }
    }
    for (TextLine& line : lines) line.width = widthOf(line.text);
    return lines;
}

platform::Size TextDrawing::Measure(std::string_view text, int width) const {
    if (text.empty() || (format_.ShowAccelChar && text == "&")) text = " ";
    int widest = 0;
    const std::vector<TextLine> lines = Lines(text, width);
    for (const TextLine& line : lines) widest = std::max(widest, line.width);
    return platform::Size{widest, static_cast<int>(lines.size()) * LineHeight()};
}

void TextDrawing::Draw(Canvas& canvas, const platform::Rect& rect, std::string_view text,
                       core::CanvasColor color) const {
    Canvas inside = canvas.Clipped(rect);
    int y = rect.top;
    if (format_.Layout != TTextLayout::Top) {
        const int spare = rect.height() - Measure(text, rect.width()).height;
        y += format_.Layout == TTextLayout::Center ? spare / 2 : spare;
    }
    const int lineHeight = LineHeight();
    const int underlineThickness = std::max(1, lineHeight / 16);
    const int underlineY = std::min(font_->ascent() + 1, lineHeight - underlineThickness);

    for (const TextLine& line : Lines(text, rect.width())) {
        int x = rect.left;
        if (format_.Alignment == TAlignment::Center)
            x += (rect.width() - line.width) / 2;
        else if (format_.Alignment == TAlignment::RightJustify)
            x = rect.right - line.width;

        // Each run between TABs starts where the tab stops put it.
        const std::string_view shown = line.text;
        for (size_t start = 0;;) {
            const size_t tab = format_.ExpandTabs ? shown.find('\t', start) : shown.npos;
            inside.DrawTextLine(x + widthOf(shown.substr(0, start)), y,
                                shown.substr(start, tab - start), *font_, color);
            if (tab == shown.npos) break;
            start = tab + 1;
        }

        for (size_t at : line.underlined) {
            const int from = widthOf(shown.substr(0, at));
            const int to = widthOf(shown.substr(0, at + characterLength(shown, at)));
            inside.FillColor(
                platform::Rect::ofSize(x + from, y + underlineY, to - from, underlineThickness),
                color);
        }
        y += lineHeight;
    }
}

void TextDrawing::DrawDisabled(Canvas& canvas, const platform::Rect& rect,
                               std::string_view text) const {
    Draw(canvas, platform::Rect{rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1}, text,
         core::colors::white);
    Draw(canvas, rect, text, core::colors::gray);
}

}  // namespace ui
