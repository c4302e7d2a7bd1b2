#include "dib/cDIBControl.h"

#include <algorithm>
#include <vector>

#include "dib/cDIBContainer.h"
#include "ui/Form.h"

namespace dib {

namespace {

ui::Form& requireOwner(ui::Form* owner) {
    if (!owner) throw EDIBError("Owner cannot be nil");
    return *owner;
}

// The first container at or below `control`, nearest levels first.
TDIBContainer* findContainer(ui::Control* control) {
    if (auto* container = dynamic_cast<TDIBContainer*>(control)) return container;
    for (ui::Control* child : control->Controls())
        if (auto* container = dynamic_cast<TDIBContainer*>(child)) return container;
    for (ui::Control* child : control->Controls())
        if (TDIBContainer* container = findContainer(child)) return container;
    return nullptr;
}

}  // namespace

TCustomDIBControl::TCustomDIBControl(std::string name, ui::Form* owner)
    : ui::Control(std::move(name)), owner_(requireOwner(owner)) {
    SetBounds(0, 0, 32, 32);
}

void TCustomDIBControl::SetParent(ui::Control* parent) {
    if (!parent) return ui::Control::SetParent(nullptr);
    TDIBContainer* container = findContainer(parent);
    if (!container) throw EDIBError("Parent must be a TDIBContainer");
    ui::Control::SetParent(container);
}

void TCustomDIBControl::SetOpacity(uint8_t opacity) {
    if (opacity == opacity_) return;
    opacity_ = opacity;
    Invalidate();
}

void TCustomDIBControl::PaintThrough(TAbstractSuperDIB& backBuffer, int left, int top,
                                     TWinDIB& scratch) {
    const int width = Width();
    const int height = Height();
    if (!OnPaintStart && !OnPaintEnd) {
        if (const std::optional<uint32_t> colour = UniformContent()) {
            // The title's veil is one black square stretched over the play
            // window on every frame: every row of it is the same, so one row
            // stands for all, and only the back buffer is read and written.
            thread_local std::vector<uint32_t> row;
            row.assign(static_cast<size_t>(width), *colour);
            TWinDIB oneColour(ui::PixelSurface{row.data(), 0, width, height});
            oneColour.SetOpacity(opacity_);
            oneColour.Draw(left, top, 0, 0, backBuffer, width, height);
            return;
        }
    }
    // What is painted below the control so far; a part of the control
    // outside the back buffer keeps whatever the scratch image held. The
    // title's veil covers the whole play window and is laid over it on every
    // frame: copying what it hides would be a third of its cost.
    if (OnPaintStart || !ContentCoversScratch())
        backBuffer.Draw(std::max(-left, 0), std::max(-top, 0), std::max(left, 0), std::max(top, 0),
                        scratch, width, height);
    scratch.SetClipRect(0, 0, width - 1, height - 1);
    if (OnPaintStart) OnPaintStart(*this);
    PaintContent(scratch);
    if (OnPaintEnd) OnPaintEnd(*this);
    scratch.SetOpacity(opacity_);
    scratch.Draw(left, top, 0, 0, backBuffer, width, height);
}

ui::Properties TCustomDIBControl::ExtraProperties() const {
    return {{"Opacity", int64_t{opacity_}}};
}

TDIBImage::TDIBImage(std::string name, ui::Form* owner)
    : TCustomDIBControl(std::move(name), owner) {
    indexMain_.OnChange = [this] {
        adjustSize();
        Invalidate();
    };
}

void TDIBImage::SetAngle(double degrees) {
    angle_ = NormaliseAngle(degrees);
    adjustSize();
    Invalidate();
}

void TDIBImage::SetScale(double percent) {
    if (percent == scale_ && !stretch_) return;
    scale_ = percent;
    stretch_ = false;
    adjustSize();
    Invalidate();
}

void TDIBImage::SetStretch(bool stretch) {
    if (stretch == stretch_) return;
    stretch_ = stretch;
    if (stretch_) autoSize_ = false;
    Invalidate();
}

void TDIBImage::SetCenter(bool center) {
    if (center == center_) return;
    center_ = center;
    adjustSize();
    Invalidate();
}

void TDIBImage::SetAutoSize(bool autoSize) {
    if (autoSize == autoSize_) return;
    autoSize_ = autoSize;
    adjustSize();
    Invalidate();
}

void TDIBImage::adjustSize() {
    if (!autoSize_) return;
    const TAbstractSuperDIB* picture = indexMain_.Resolve();
    if (!picture) return;
    const TDIBSize size = RotatedSize(picture->Width(), picture->Height(), scale_, scale_, angle_);
    SetBounds(Left(), Top(), size.Width, size.Height);
}

void TDIBImage::PaintContent(TWinDIB& scratch) {
    TAbstractSuperDIB* picture = indexMain_.Resolve();
    if (!picture) return;
    // The picture is the list's working image: these settings last only
    // until the next control borrows it.
    picture->SetAutoSize(true);
    picture->SetAngle(angle_);
    picture->SetScale(scale_);
    if (stretch_) {
        picture->SetScaleX(Width() * 100.0 / picture->Width());
        picture->SetScaleY(Height() * 100.0 / picture->Height());
    }
    const TDIBSize turned = RotatedSize(picture->Width(), picture->Height(), picture->ScaleX(),
                                        picture->ScaleY(), angle_);
    int x = 0;
    int y = 0;
    if (center_ && !autoSize_) {
        x = Width() / 2 - turned.Width / 2;
        y = Height() / 2 - turned.Height / 2;
    }
    picture->Draw(x, y, 0, 0, scratch, picture->Width(), picture->Height());
}

// Stretched, unturned, at the top-left corner and laid down as a plain copy,
// the picture covers the whole control: its rendered size is the control's
// size rounded up, and a plain resize gives every pixel a colour.
bool TDIBImage::PaintsOpaque() const {
    return Opacity() == 255 && ContentCoversScratch();
}

// Only a picture laid down by plain copy, unturned, can hide everything below.
bool TDIBImage::ContentCoversScratch() const {
    if (angle_ != 0) return false;
    const TAbstractSuperDIB* picture = indexMain_.Resolve();
    if (!picture || !picture->HasPixels() || picture->Transfer().rule != TTransferRule::Copy)
        return false;
    // Stretched, it is scaled to exactly the control's size.
    if (stretch_) return !center_;
    // Unscaled at the top-left corner, it covers a control no larger than itself.
    return scale_ == 100 && (autoSize_ || !center_) && picture->Width() >= Width() &&
           picture->Height() >= Height();
}

// A picture of one colour that covers the control, unturned, gives the
// control that colour whatever its scale.
std::optional<uint32_t> TDIBImage::UniformContent() const {
    if (angle_ != 0 || !ContentCoversScratch()) return std::nullopt;
    const TAbstractSuperDIB* picture = indexMain_.Resolve();
    const uint32_t first = picture->StoredRow(0)[0];
    for (int j = 0; j < picture->Height(); ++j) {
        const uint32_t* stored = picture->StoredRow(j);
        if (std::any_of(stored, stored + picture->Width(),
                        [first](uint32_t p) { return p != first; }))
            return std::nullopt;
    }
    return first;
}

ui::Properties TDIBImage::ExtraProperties() const {
    ui::Properties properties = TCustomDIBControl::ExtraProperties();
    properties.emplace_back("Angle", angle_);
    return properties;
}

}  // namespace dib
