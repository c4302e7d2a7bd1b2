#include "Canvas.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "Control.h"

namespace ui {
namespace {

constexpr uint32_t kColourBits = 0x00FFFFFFu;

// The window system's colours for the light and dark sides of 3-D edges.
constexpr core::CanvasColor kHighlight = core::colors::white;
constexpr core::CanvasColor kShadow = core::colors::gray;
constexpr core::CanvasColor kDarkShadow = core::CanvasColor::rgb(64, 64, 64);

int clampToInt(int64_t v) {
    return static_cast<int>(
        std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Whether pixel (px, py) of a w x h box belongs to the box once its corners
// are rounded by an ellipse of ew x eh. Worked in doubled coordinates so that
// pixel centres and ellipse centres stay whole numbers.
bool insideRoundedBox(int64_t px, int64_t py, int64_t w, int64_t h, int64_t ew, int64_t eh) {
    if (px < 0 || py < 0 || px >= w || py >= h) return false;
    if (ew <= 0 || eh <= 0) return true;
    const auto cornerDistance = [](int64_t p, int64_t size, int64_t diameter) -> int64_t {
        const int64_t centre2 = 2 * p + 1;
        if (centre2 < diameter) return diameter - centre2;
        if (centre2 > 2 * size - diameter) return centre2 - (2 * size - diameter);
        return 0;
    };
    const int64_t dx = cornerDistance(px, w, ew);
    const int64_t dy = cornerDistance(py, h, eh);
    if (dx == 0 || dy == 0) return true;
    return dx * dx * eh * eh + dy * dy * ew * ew <= ew * ew * eh * eh;
}

}  // namespace

Canvas::Canvas(PixelSurface surface)
    : Canvas(surface, 0, 0, platform::Rect{0, 0, surface.width, surface.height}) {}

Canvas::Canvas(PixelSurface surface, int originX, int originY, const platform::Rect& clip)
    : surface_(surface),
      originX_(originX),
      originY_(originY),
      clip_(clip.intersected(platform::Rect{0, 0, surface.width, surface.height})) {}

Canvas Canvas::ForControl(core::Bitmap& frame, const Control& control, const platform::Rect& clip) {
    const platform::Rect bounds = control.BoundsInWindow();
    return Canvas(PixelSurface::of(frame), bounds.left, bounds.top, clip);
}

platform::Rect Canvas::ClipRect() const {
    if (clip_.empty()) return platform::Rect{};
    return platform::Rect{clip_.left - originX_, clip_.top - originY_, clip_.right - originX_,
                          clip_.bottom - originY_};
}

Canvas Canvas::Clipped(const platform::Rect& rect) const {
    Canvas narrower = *this;
    narrower.clip_ = toSurface(rect.left, rect.top, rect.right, rect.bottom);
    return narrower;
}

platform::Rect Canvas::toSurface(int64_t left, int64_t top, int64_t right, int64_t bottom) const {
    const platform::Rect area{
        clampToInt(std::max<int64_t>(left + originX_, clip_.left)),
        clampToInt(std::max<int64_t>(top + originY_, clip_.top)),
        clampToInt(std::min<int64_t>(right + originX_, clip_.right)),
        clampToInt(std::min<int64_t>(bottom + originY_, clip_.bottom)),
    };
    return area.empty() ? platform::Rect{} : area;
}

void Canvas::fillSurface(const platform::Rect& area, core::PixelWord word) {
    if (area.empty()) return;
    for (int y = area.top; y < area.bottom; ++y)
        std::fill_n(surface_.row(y) + area.left, area.width(), word.value);
}

void Canvas::plot(int64_t x, int64_t y, core::PixelWord word) {
    const int64_t sx = x + originX_;
    const int64_t sy = y + originY_;
    if (sx < clip_.left || sy < clip_.top || sx >= clip_.right || sy >= clip_.bottom) return;
    surface_.row(static_cast<int>(sy))[sx] = word.value;
}

void Canvas::changed(const platform::Rect& area) {
    if (OnChangeArea && !area.empty()) OnChangeArea(area);
    if (OnChange) OnChange();
}

void Canvas::FillColor(const platform::Rect& rect, core::CanvasColor color) {
    const platform::Rect area = toSurface(rect.left, rect.top, rect.right, rect.bottom);
    fillSurface(area, core::toPixelWord(color));
    changed(area);
}

void Canvas::Frame3D(platform::Rect& rect, core::CanvasColor topLeft,
                     core::CanvasColor bottomRight) {
    if (rect.empty()) return;
    FillColor(platform::Rect{rect.left, rect.top, rect.right, rect.top + 1}, topLeft);
    FillColor(platform::Rect{rect.left, rect.top, rect.left + 1, rect.bottom}, topLeft);
    FillColor(platform::Rect{rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottomRight);
    FillColor(platform::Rect{rect.right - 1, rect.top, rect.right, rect.bottom}, bottomRight);
    rect = platform::Rect{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
}

void Canvas::DrawEdge(platform::Rect& rect, bool sunken) {
    if (sunken) {
        Frame3D(rect, kShadow, kHighlight);
        Frame3D(rect, kDarkShadow, core::colors::buttonFace);
    } else {
        Frame3D(rect, kHighlight, kDarkShadow);
        Frame3D(rect, core::colors::buttonFace, kShadow);
    }
}

void Canvas::FillRect(const platform::Rect& rect) {
    if (Brush.Style == TBrushStyle::Clear) return;
    FillColor(rect, Brush.Color);
}

void Canvas::Rectangle(int x1, int y1, int x2, int y2) {
    const int64_t left = std::min(x1, x2);
    const int64_t right = std::max(x1, x2);
    const int64_t top = std::min(y1, y2);
    const int64_t bottom = std::max(y1, y2);
    if (left == right || top == bottom) return;
    if (Brush.Style == TBrushStyle::Solid)
        fillSurface(toSurface(left + 1, top + 1, right - 1, bottom - 1),
                    core::toPixelWord(Brush.Color));
    const core::PixelWord pen = core::toPixelWord(Pen.Color);
    fillSurface(toSurface(left, top, right, top + 1), pen);
    fillSurface(toSurface(left, bottom - 1, right, bottom), pen);
    fillSurface(toSurface(left, top, left + 1, bottom), pen);
    fillSurface(toSurface(right - 1, top, right, bottom), pen);
    changed(toSurface(left, top, right, bottom));
}

void Canvas::RoundRect(int x1, int y1, int x2, int y2, int ellipseWidth, int ellipseHeight) {
    const int64_t left = std::min(x1, x2);
    const int64_t top = std::min(y1, y2);
    const int64_t w = static_cast<int64_t>(std::max(x1, x2)) - left;
    const int64_t h = static_cast<int64_t>(std::max(y1, y2)) - top;
    const int64_t ew = std::clamp<int64_t>(ellipseWidth, 0, w);
    const int64_t eh = std::clamp<int64_t>(ellipseHeight, 0, h);
    const platform::Rect area = toSurface(left, top, left + w, top + h);
    const core::PixelWord pen = core::toPixelWord(Pen.Color);
    const core::PixelWord brush = core::toPixelWord(Brush.Color);
    const bool fill = Brush.Style == TBrushStyle::Solid;
    for (int sy = area.top; sy < area.bottom; ++sy) {
        const int64_t py = sy - originY_ - top;
        uint32_t* row = surface_.row(sy);
        for (int sx = area.left; sx < area.right; ++sx) {
            const int64_t px = sx - originX_ - left;
            if (!insideRoundedBox(px, py, w, h, ew, eh)) continue;
            const bool edge = !insideRoundedBox(px - 1, py, w, h, ew, eh) ||
                              !insideRoundedBox(px + 1, py, w, h, ew, eh) ||
                              !insideRoundedBox(px, py - 1, w, h, ew, eh) ||
                              !insideRoundedBox(px, py + 1, w, h, ew, eh);
            if (edge)
                row[sx] = pen.value;
            else if (fill)
                row[sx] = brush.value;
        }
    }
    changed(area);
}

void Canvas::MoveTo(int x, int y) {
    penX_ = x;
    penY_ = y;
}

void Canvas::LineTo(int x, int y) {
    const int64_t x0 = penX_;
    const int64_t y0 = penY_;
    penX_ = x;
    penY_ = y;
    const int64_t adx = std::abs(x - x0);
    const int64_t ady = std::abs(y - y0);
    const int64_t sx = x >= x0 ? 1 : -1;
    const int64_t sy = y >= y0 ? 1 : -1;
    const bool xMajor = adx >= ady;
    const int64_t steps = xMajor ? adx : ady;
    if (steps == 0) return;

    // Only the steps whose major coordinate lies inside the clip are walked,
    // so a line reaching far outside costs no more than the part that shows.
    const platform::Rect clip = ClipRect();
    const int64_t start = xMajor ? x0 : y0;
    const int64_t sign = xMajor ? sx : sy;
    const int64_t low = xMajor ? clip.left : clip.top;
    const int64_t high = xMajor ? clip.right : clip.bottom;
    const int64_t first = std::max<int64_t>(0, sign > 0 ? low - start : start - high + 1);
    const int64_t last = std::min<int64_t>(steps, sign > 0 ? high - start : start - low + 1);

    const core::PixelWord pen = core::toPixelWord(Pen.Color);
    const int64_t major = xMajor ? adx : ady;
    const int64_t minor = xMajor ? ady : adx;
    for (int64_t i = first; i < last; ++i) {
        // The minor coordinate is the exact one rounded, halves towards the end point.
        const int64_t along = (2 * i * minor + major) / (2 * major);
        if (xMajor)
            plot(x0 + sx * i, y0 + sy * along, pen);
        else
            plot(x0 + sx * along, y0 + sy * i, pen);
    }
    changed(toSurface(std::min<int64_t>(x0, x), std::min<int64_t>(y0, y),
                      std::max<int64_t>(x0, x) + 1, std::max<int64_t>(y0, y) + 1));
}

platform::Size Canvas::TextExtent(std::string_view text) const {
    return Font.Open()->measure(text);
}

void Canvas::TextOut(int x, int y, std::string_view text) {
    const auto font = Font.Open();
    if (Brush.Style == TBrushStyle::Solid) {
        const platform::Size size = font->measure(text);
        FillColor(platform::Rect::ofSize(x, y, size.width, size.height), Brush.Color);
    }
    DrawTextLine(x, y, text, *font, Font.Color);
}

void Canvas::DrawText(const platform::Rect& rect, std::string_view text, const TextFormat& format) {
    TextDrawing(Font, format).Draw(*this, rect, text, Font.Color);
}

void Canvas::DrawTextLine(int x, int y, std::string_view text, const platform::Font& font,
                          core::CanvasColor color) {
    if (text.empty()) return;
    const platform::Size size = font.measure(text);
    // Slack on the right for glyphs that reach past their advance (italics).
    const platform::Rect area =
        toSurface(x, y, int64_t{x} + size.width + size.height, int64_t{y} + size.height);
    if (area.empty()) return;
    font.draw(surface_, clampToInt(int64_t{x} + originX_), clampToInt(int64_t{y} + originY_), text,
              core::toPixelWord(color), area);
    changed(area);
}

void Canvas::Draw(int x, int y, const core::Bitmap& picture) {
    const int64_t px = int64_t{x} + originX_;
    const int64_t py = int64_t{y} + originY_;
    const platform::Rect area =
        toSurface(x, y, int64_t{x} + picture.width(), int64_t{y} + picture.height());
    // Plain pointers and a count, so that the compiler turns each row into a
    // vector loop: the level picture covers most of the window every frame.
    const size_t count = static_cast<size_t>(area.width());
    for (int sy = area.top; sy < area.bottom; ++sy) {
        const uint32_t* from = picture.row(static_cast<int>(sy - py)) + (area.left - px);
        uint32_t* to = surface_.row(sy) + area.left;
        for (size_t i = 0; i < count; ++i) to[i] = from[i] & kColourBits;
    }
    changed(area);
}

void Canvas::StretchDraw(const platform::Rect& rect, const core::Bitmap& picture) {
    if (rect.empty() || picture.empty()) return;
    const int64_t rw = int64_t{rect.right} - rect.left;
    const int64_t rh = int64_t{rect.bottom} - rect.top;
    const int64_t rx = int64_t{rect.left} + originX_;
    const int64_t ry = int64_t{rect.top} + originY_;
    const platform::Rect area = toSurface(rect.left, rect.top, rect.right, rect.bottom);
    for (int sy = area.top; sy < area.bottom; ++sy) {
        const uint32_t* from = picture.row(static_cast<int>((sy - ry) * picture.height() / rh));
        uint32_t* to = surface_.row(sy);
        for (int sx = area.left; sx < area.right; ++sx)
            to[sx] = from[(sx - rx) * picture.width() / rw] & kColourBits;
    }
    changed(area);
}

core::CanvasColor Canvas::Pixel(int x, int y) const {
    const int64_t sx = int64_t{x} + originX_;
    const int64_t sy = int64_t{y} + originY_;
    if (sx < clip_.left || sy < clip_.top || sx >= clip_.right || sy >= clip_.bottom)
        return core::CanvasColor::outside();
    return core::toCanvasColor(core::PixelWord{surface_.row(static_cast<int>(sy))[sx]});
}

void Canvas::SetPixel(int x, int y, core::CanvasColor color) {
    plot(x, y, core::toPixelWord(color));
    changed(toSurface(x, y, int64_t{x} + 1, int64_t{y} + 1));
}

}  // namespace ui
