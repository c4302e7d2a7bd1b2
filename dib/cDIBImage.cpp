#include "dib/cDIBImage.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "dib/cDIBTransfer.h"

namespace dib {

namespace {

// Width and height are 16-bit. Within that, a picture is refused beyond
// 8192 x 8192 pixels' worth of memory (256 MiB): the game's largest is its
// 616 x 479 back buffer, and a runaway scale must end in a clear error
// rather than in an allocation the system cannot satisfy.
constexpr int kMaxSide = 65535;
constexpr int64_t kMaxPixels = int64_t{8192} * 8192;

}  // namespace

// Whole turns are taken off or added until the angle lies in [0, 360). Huge
// values are first cut down by fmod so the loops stay short; a value that is
// not a number at all would never get there and counts as 0.
double NormaliseAngle(double value) {
    if (!std::isfinite(value)) return 0;
    if (std::abs(value) >= 1e6) value = std::fmod(value, 360.0);
    while (value < 0) value += 360;
    while (value >= 360) value -= 360;
    return value;
}

TAbstractSuperDIB::TAbstractSuperDIB() {
    ResetProperties();
}

TAbstractSuperDIB::TAbstractSuperDIB(int width, int height) {
    SetSize(width, height);
    ResetProperties();
}

void TAbstractSuperDIB::SetAngle(double value) {
    value = NormaliseAngle(value);
    if (value == angle_) return;
    angle_ = value;
    Changed();
}

void TAbstractSuperDIB::SetAutoSize(bool value) {
    if (value == autoSize_) return;
    autoSize_ = value;
    Changed();
}

void TAbstractSuperDIB::SetMasked(bool value) {
    if (value == masked_) return;
    masked_ = value;
    if (value) transparent_ = false;
    Changed();
}

void TAbstractSuperDIB::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    if (value) masked_ = false;
    Changed();
}

void TAbstractSuperDIB::SetOpacity(uint8_t value) {
    if (value == opacity_) return;
    opacity_ = value;
    Changed();
}

void TAbstractSuperDIB::SetScale(double value) {
    if (value == scaleX_ && value == scaleY_) return;
    scaleX_ = value;
    scaleY_ = value;
    Changed();
}

void TAbstractSuperDIB::SetScaleX(double value) {
    if (value == scaleX_) return;
    scaleX_ = value;
    Changed();
}

void TAbstractSuperDIB::SetScaleY(double value) {
    if (value == scaleY_) return;
    scaleY_ = value;
    Changed();
}

core::CanvasColor TAbstractSuperDIB::TransparentColor() const {
    if (mode_ == tmAuto && HasPixels())
        return core::toCanvasColor(core::PixelWord{StoredRow(0)[0]});
    return core::toCanvasColor(key_);
}

void TAbstractSuperDIB::SetTransparentColor(core::CanvasColor value) {
    const core::PixelWord key = core::toPixelWord(value);
    if (key == key_) return;
    key_ = key;
    Changed();
}

void TAbstractSuperDIB::SetTransparentMode(TTransparentMode value) {
    if (value == mode_) return;
    mode_ = value;
    Changed();
}

void TAbstractSuperDIB::SetWidth(int value) {
    const TDIBSize before{width_, height_};
    SetSize(value, height_);
    if (TDIBSize{width_, height_} != before) Changed();
}

void TAbstractSuperDIB::SetHeight(int value) {
    const TDIBSize before{width_, height_};
    SetSize(width_, value);
    if (TDIBSize{width_, height_} != before) Changed();
}

void TAbstractSuperDIB::SetSize(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == width_ && height == height_ && !view_) return;
    if (width > kMaxSide || height > kMaxSide || int64_t{width} * height > kMaxPixels)
        throw EDIBError("Cannot make a picture of " + std::to_string(width) + " x " +
                        std::to_string(height) + " pixels: it is too large");
    // The new block is complete before the old one goes, so a failed
    // allocation leaves the image as it was. Fresh pixels are zero.
    pixels_ =
        std::make_shared<uint32_t[]>(static_cast<size_t>(width) * static_cast<size_t>(height));
    width_ = width;
    height_ = height;
    rowStride_ = width;
    view_ = false;
    clip_ = TClipRect{0, 0, width_ - 1, height_ - 1};
}

void TAbstractSuperDIB::viewPixels(const ui::PixelSurface& pixels) {
    if (pixels.top == nullptr || pixels.width <= 0 || pixels.height <= 0) {
        pixels_.reset();
        width_ = height_ = 0;
        rowStride_ = 0;
        view_ = false;
        clip_ = TClipRect{};
        return;
    }
    // The aliasing constructor with an empty owner: a pointer that frees nothing.
    pixels_ =
        std::shared_ptr<uint32_t[]>(std::shared_ptr<uint32_t[]>(), pixels.row(pixels.height - 1));
    width_ = pixels.width;
    height_ = pixels.height;
    rowStride_ = -pixels.stride;
    view_ = true;
    clip_ = TClipRect{0, 0, width_ - 1, height_ - 1};
}

void TAbstractSuperDIB::SetClipRect(int left, int top, int right, int bottom) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    if (!HasPixels()) {
        clip_ = TClipRect{};
        return;
    }
    clip_ = TClipRect{std::clamp(left, 0, width_ - 1), std::clamp(top, 0, height_ - 1),
                      std::clamp(right, 0, width_ - 1), std::clamp(bottom, 0, height_ - 1)};
}

void TAbstractSuperDIB::ResetProperties() {
    angle_ = 0;
    masked_ = false;
    opacity_ = 255;
    scaleX_ = 100;
    scaleY_ = 100;
    transparent_ = false;
    Changed();
}

void TAbstractSuperDIB::EndUpdate() {
    if (updateCount_ == 0) throw EDIBError("EndUpdate without BeginUpdate");
    if (--updateCount_ == 0) Changed();
}

void TAbstractSuperDIB::Changed() {
    TTransferRule rule;
    if (opacity_ == 255)
        rule = masked_        ? TTransferRule::AlphaBlend
               : transparent_ ? TTransferRule::ColorKey
                              : TTransferRule::Copy;
    else
        rule = masked_        ? TTransferRule::AlphaOpacityBlend
               : transparent_ ? TTransferRule::ColorKeyOpacity
                              : TTransferRule::OpacityBlend;
    transfer_ = TTransfer{rule, opacity_, key_.value};
    if (updateCount_ == 0 && OnChange) OnChange();
}

void TAbstractSuperDIB::Fill(core::CanvasColor color) {
    if (!HasPixels()) return;
    const uint32_t value = core::toPixelWord(color).value;
    for (int j = 0; j < height_; ++j) std::fill_n(StoredRow(j), width_, value);
}

void TAbstractSuperDIB::FillRect(core::CanvasColor color, int x, int y, int w, int h) {
    const int64_t left = std::max<int64_t>(x, 0);
    const int64_t top = std::max<int64_t>(y, 0);
    const int64_t right = std::min<int64_t>(int64_t{x} + w, width_);
    const int64_t bottom = std::min<int64_t>(int64_t{y} + h, height_);
    if (left >= right || top >= bottom) return;
    const uint32_t value = core::toPixelWord(color).value;
    for (int64_t row = top; row < bottom; ++row) {
        uint32_t* line = StoredRow(height_ - 1 - static_cast<int>(row));
        std::fill(line + left, line + right, value);
    }
}

void TAbstractSuperDIB::Draw(int x, int y, int srcX, int srcY, TAbstractSuperDIB& target, int w,
                             int h) const {
    if (!HasPixels() || !target.HasPixels()) return;
    if (angle_ != 0 || scaleX_ != 100 || scaleY_ != 100)
        drawTransformed(x, y, target, w, h);
    else
        drawUntransformed(x, y, srcX, srcY, target, w, h);
}

// Whether the two pixel blocks overlap in memory (a view, a link, itself).
bool TAbstractSuperDIB::sharesPixelsWith(const TAbstractSuperDIB& other) const {
    const auto span = [](const TAbstractSuperDIB& image) {
        const auto first = reinterpret_cast<uintptr_t>(image.StoredRow(0));
        const auto last = reinterpret_cast<uintptr_t>(image.StoredRow(image.height_ - 1));
        return std::pair{std::min(first, last),
                         std::max(first, last) + sizeof(uint32_t) * static_cast<size_t>(image.width_)};
    };
    const auto [begin, end] = span(*this);
    const auto [otherBegin, otherEnd] = span(other);
    return begin < otherEnd && otherBegin < end;
}

void TAbstractSuperDIB::drawTransformed(int x, int y, TAbstractSuperDIB& target, int w,
                                        int h) const {
    // A picture scaled to nothing is not turned; laying down the untouched
    // temporary would paint a blank block where nothing should appear.
    if (angle_ != 0 && scaledToNothing()) return;
    TDIBSize size{w, h};
    if (autoSize_)
        size = angle_ != 0 ? RotatedSize(w, h, scaleX_, scaleY_, angle_)
                           : ScaledSize(w, h, scaleX_, scaleY_);
    // The turned or scaled picture goes into memory kept from one draw to the
    // next: the game turns and stretches sprites on every repaint, and a
    // fresh window-sized block each time cost more than the drawing. Every
    // pixel of it is written by RotateInto or ScaleInto before it is read.
    const int tempWidth = std::max(size.Width, 1);
    const int tempHeight = std::max(size.Height, 1);
    // A scaled picture that would be copied plainly and whole into the target
    // is made right where it goes: the title's veil is stretched over the
    // play window on every frame, and the second pass cost as much as the first.
    const TClipRect& clip = target.clip_;
    if (angle_ == 0 && transfer_.rule == TTransferRule::Copy && !sharesPixelsWith(target) &&
        x >= clip.Left && y >= clip.Top && int64_t{x} + tempWidth - 1 <= clip.Right &&
        int64_t{y} + tempHeight - 1 <= clip.Bottom) {
        const ui::PixelSurface whole = target.Surface();
        TWinDIB place(ui::PixelSurface{whole.row(y) + x, whole.stride, tempWidth, tempHeight});
        ScaleInto(place);
        target.Changed();
        return;
    }
    thread_local std::vector<uint32_t> tempPixels;
    const size_t needed = static_cast<size_t>(tempWidth) * static_cast<size_t>(tempHeight);
    if (tempPixels.size() < needed) tempPixels.resize(needed);
    TWinDIB temp(ui::PixelSurface{tempPixels.data() + (needed - static_cast<size_t>(tempWidth)),
                                  -static_cast<ptrdiff_t>(tempWidth), tempWidth, tempHeight});
    temp.SetMasked(masked_);
    temp.SetOpacity(opacity_);
    temp.SetTransparent(transparent_);
    temp.SetTransparentMode(tmFixed);
    temp.SetTransparentColor(TransparentColor());
    if (angle_ != 0)
        RotateInto(temp);
    else
        ScaleInto(temp);
    // The rendered pixels are laid down with this image's rule, opacity and key.
    TAbstractSuperDIB& rendered = temp;
    rendered.transfer_ = transfer_;
    rendered.drawUntransformed(x, y, 0, 0, target, temp.Width(), temp.Height());
}

void TAbstractSuperDIB::drawUntransformed(int x, int y, int srcX, int srcY,
                                          TAbstractSuperDIB& target, int w, int h) const {
    // 64-bit so that no combination of arguments can overflow.
    int64_t dx = x, dy = y, sx = srcX, sy = srcY, cw = w, ch = h;
    const TClipRect& clip = target.clip_;
    // The target's clip rectangle first; cutting at the left or top moves the
    // source region along with it.
    if (dx < clip.Left) {
        sx += clip.Left - dx;
        cw -= clip.Left - dx;
        dx = clip.Left;
    }
    if (dy < clip.Top) {
        sy += clip.Top - dy;
        ch -= clip.Top - dy;
        dy = clip.Top;
    }
    cw = std::min(cw, clip.Right + 1 - dx);
    ch = std::min(ch, clip.Bottom + 1 - dy);
    // Then this image: a region reaching before its first column or row
    // loses that part.
    if (sx < 0) {
        dx -= sx;
        cw += sx;
        sx = 0;
    }
    if (sy < 0) {
        dy -= sy;
        ch += sy;
        sy = 0;
    }
    cw = std::min(cw, width_ - sx);
    ch = std::min(ch, height_ - sy);
    // Then the target itself.
    cw = std::min(cw, target.width_ - dx);
    ch = std::min(ch, target.height_ - dy);
    if (cw <= 0 || ch <= 0 || dx < 0 || dy < 0) return;

    // Top row of the rectangle first, which is the higher stored row.
    for (int64_t row = 0; row < ch; ++row) {
        const uint32_t* from = StoredRow(static_cast<int>(height_ - 1 - (sy + row))) + sx;
        uint32_t* to = target.StoredRow(static_cast<int>(target.height_ - 1 - (dy + row))) + dx;
        TransferRow(transfer_, from, to, static_cast<int>(cw));
    }
    target.Changed();
}

void TAbstractSuperDIB::LinkTo(const TAbstractSuperDIB& source) {
    if (&source == this) return;
    angle_ = source.angle_;
    autoSize_ = source.autoSize_;
    masked_ = source.masked_;
    transparent_ = source.transparent_;
    opacity_ = source.opacity_;
    scaleX_ = source.scaleX_;
    scaleY_ = source.scaleY_;
    key_ = source.key_;
    mode_ = source.mode_;
    width_ = source.width_;
    height_ = source.height_;
    pixels_ = source.pixels_;
    rowStride_ = source.rowStride_;
    view_ = source.view_;
    clip_ = HasPixels() ? TClipRect{0, 0, width_ - 1, height_ - 1} : TClipRect{};
    transfer_ = source.transfer_;
}

uint32_t* TAbstractSuperDIB::StoredRow(int j) {
    return pixels_.get() + static_cast<ptrdiff_t>(j) * rowStride_;
}

const uint32_t* TAbstractSuperDIB::StoredRow(int j) const {
    return pixels_.get() + static_cast<ptrdiff_t>(j) * rowStride_;
}

core::PixelWord TAbstractSuperDIB::Pixel(int x, int y) const {
    return core::PixelWord{StoredRow(height_ - 1 - y)[x]};
}

void TAbstractSuperDIB::SetPixel(int x, int y, core::PixelWord value) {
    StoredRow(height_ - 1 - y)[x] = value.value;
}

ui::PixelSurface TAbstractSuperDIB::Surface() {
    if (!HasPixels()) return ui::PixelSurface{};
    return ui::PixelSurface{StoredRow(height_ - 1), -rowStride_, width_, height_};
}

}  // namespace dib
