#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>

#include "core/Colors.h"
#include "ui/PixelSurface.h"

namespace dib {

// Raised by the picture layer for misuse and for pictures it cannot hold.
class EDIBError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// How the colour key of an image is reported: tmFixed gives the key that was
// set, tmAuto the colour of the first stored pixel (bottom-left on screen).
enum TTransparentMode { tmAuto = 0, tmFixed = 1 };

// The six ways a source pixel is laid over a target pixel. Which one an image
// uses follows from its Opacity, Masked and Transparent settings.
enum class TTransferRule {
    Copy,
    OpacityBlend,
    AlphaBlend,
    AlphaOpacityBlend,
    ColorKey,
    ColorKeyOpacity,
};

// Inclusive edges in screen orientation (y = 0 is the top row).
struct TClipRect {
    int Left = 0;
    int Top = 0;
    int Right = -1;
    int Bottom = -1;
    bool operator==(const TClipRect&) const = default;
};

struct TDIBSize {
    int Width = 0;
    int Height = 0;
    bool operator==(const TDIBSize&) const = default;
};

// The size a w x h picture takes once scaled by scaleX/scaleY percent and
// turned by angle degrees (angle in [0, 360)). Odd results are made even by
// taking one off, so a turned picture always has a whole-pixel centre.
// An angle in degrees brought into [0, 360); infinities and NaN become 0.
double NormaliseAngle(double degrees);

// Builds the rotation tables now instead of at the first turned draw; the
// program calls it at start so that no frame pays for it.
void PrepareRotationTables();

TDIBSize RotatedSize(int w, int h, double scaleX, double scaleY, double angle);
// The size a w x h picture takes once scaled, unturned: each side rounded up.
TDIBSize ScaledSize(int w, int h, double scaleX, double scaleY);

// The rule an image transfers its pixels with, together with the opacity and
// colour key that rule reads. An image normally reads its own settings; a
// borrowed picture or a temporary can carry over another image's.
struct TTransfer {
    TTransferRule rule = TTransferRule::Copy;
    uint8_t opacity = 255;
    uint32_t key = 0;  // low 24 bits compared, 0x00RRGGBB
};

// A 32-bit picture with an alpha byte and the drawing settings every sprite
// of the game goes through. Pixels are words 0xAARRGGBB stored bottom-up:
// stored row 0 is the bottom row on screen. Every coordinate taken or given
// by the interface is in screen orientation unless the name says "Stored".
//
// The pixel block is shared by reference count so that one picture can be
// lent to another image (LinkTo) without copying and without either image
// outliving the memory it draws from.
class TAbstractSuperDIB {
  public:
    virtual ~TAbstractSuperDIB() = default;
    TAbstractSuperDIB(const TAbstractSuperDIB&) = delete;
    TAbstractSuperDIB& operator=(const TAbstractSuperDIB&) = delete;

    // Degrees, always in [0, 360): a value outside is brought in by whole turns.
    double Angle() const { return angle_; }
    void SetAngle(double value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    // Masked and Transparent exclude each other: switching one on switches the
    // other off.
    bool Masked() const { return masked_; }
    void SetMasked(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    uint8_t Opacity() const { return opacity_; }
    void SetOpacity(uint8_t value);
    // Percent. Scale sets both directions and reads back the horizontal one.
    double Scale() const { return scaleX_; }
    void SetScale(double value);
    double ScaleX() const { return scaleX_; }
    void SetScaleX(double value);
    double ScaleY() const { return scaleY_; }
    void SetScaleY(double value);
    // The reported key (see TTransparentMode); the transfer rules always
    // compare with the key that was set, StoredKey().
    core::CanvasColor TransparentColor() const;
    void SetTransparentColor(core::CanvasColor value);
    core::PixelWord StoredKey() const { return key_; }
    TTransparentMode TransparentMode() const { return mode_; }
    void SetTransparentMode(TTransparentMode value);

    // 0 x 0 only for an image that has never been given a size; otherwise
    // both are 1 .. 65535.
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetWidth(int value);
    void SetHeight(int value);
    // Takes a new size (values below 1 become 1) with fresh pixels, all zero,
    // and resets the clip rectangle; nothing happens when the size is the
    // same, unless the image is a view (TWinDIB::View): a view given a size
    // always takes pixels of its own. Raises EDIBError for a size the layer
    // refuses to allocate.
    void SetSize(int width, int height);
    bool HasPixels() const { return pixels_ != nullptr; }

    // Limits where this image is drawn into when it is the target of Draw.
    const TClipRect& ClipRect() const { return clip_; }
    // Swaps reversed edges and clamps them into the picture.
    void SetClipRect(int left, int top, int right, int bottom);

    // Angle 0, Masked off, Opacity 255, scales 100, Transparent off.
    void ResetProperties();

    // While an update is open, changes raise no notification; closing the
    // last one runs Changed once.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    // Re-selects the transfer rule from this image's own settings and, unless
    // an update is open, raises OnChange.
    void Changed();
    std::function<void()> OnChange;
    const TTransfer& Transfer() const { return transfer_; }

    // Colours are stored as pixel words with alpha 0.
    void Fill(core::CanvasColor color);
    void FillRect(core::CanvasColor color, int x, int y, int w, int h);

    // Lays the w x h region at (srcX, srcY) onto target with its top-left
    // corner at (x, y). A turned or scaled image is first rendered into a
    // temporary and then always drawn whole. Everything outside the target's
    // clip rectangle, the target or this image is left out.
    void Draw(int x, int y, int srcX, int srcY, TAbstractSuperDIB& target, int w, int h) const;
    // Fill the whole target from the whole image: turned by Angle and scaled
    // by ScaleX/ScaleY about the centres, or plainly resized.
    void RotateInto(TAbstractSuperDIB& target) const;
    void ScaleInto(TAbstractSuperDIB& target) const;

    // Takes over source's settings, size and transfer, and draws from
    // source's pixels from now on without copying them.
    void LinkTo(const TAbstractSuperDIB& source);

    // Pixel access. StoredRow(0) is the bottom row on screen; the rows of an
    // image of its own follow each other without gaps, those of a view are
    // wherever the pixels it shows put them.
    uint32_t* StoredRow(int j);
    const uint32_t* StoredRow(int j) const;
    core::PixelWord Pixel(int x, int y) const;
    void SetPixel(int x, int y, core::PixelWord value);
    // The pixels in screen orientation, for drawing text and pictures into.
    ui::PixelSurface Surface();

  protected:
    // A new image has no pixels until it is given a size.
    TAbstractSuperDIB();
    TAbstractSuperDIB(int width, int height);
    // Draws from and into `pixels` without owning them (see TWinDIB::View).
    void viewPixels(const ui::PixelSurface& pixels);

  private:
    void drawUntransformed(int x, int y, int srcX, int srcY, TAbstractSuperDIB& target, int w,
                           int h) const;
    void drawTransformed(int x, int y, TAbstractSuperDIB& target, int w, int h) const;
    bool sharesPixelsWith(const TAbstractSuperDIB& other) const;
    bool scaledToNothing() const;

    double angle_ = 0;
    bool autoSize_ = false;
    bool masked_ = false;
    bool transparent_ = false;
    uint8_t opacity_ = 255;
    double scaleX_ = 100;
    double scaleY_ = 100;
    core::PixelWord key_{};
    TTransparentMode mode_ = tmAuto;

    int width_ = 0;
    int height_ = 0;
    // Stored row 0, and the distance in pixels from one stored row to the
    // next (negative for a view over top-down pixels).
    std::shared_ptr<uint32_t[]> pixels_;
    ptrdiff_t rowStride_ = 0;
    bool view_ = false;
    TClipRect clip_;
    TTransfer transfer_;
    int updateCount_ = 0;
};

// Pixels in plain memory: the stored pictures of the image list.
class TMemoryDIB final : public TAbstractSuperDIB {
  public:
    TMemoryDIB() = default;
    TMemoryDIB(int width, int height) : TAbstractSuperDIB(width, height) {}
};

// A picture that is also drawn into with the canvas through Surface(): the
// container's back buffer, the scratch image of a control and the
// temporaries of a turned or scaled draw.
//
// A TWinDIB can also be a view: it then draws from and into pixels that
// belong to something else (the container's part of the window frame, a
// buffer kept for reuse) with their own row order and stride, so that the
// picture operations work on them without a copy. The pixels must outlive
// the view's use of them; a view keeps its drawing settings when it is
// pointed elsewhere, and its clip rectangle becomes the whole view.
class TWinDIB final : public TAbstractSuperDIB {
  public:
    TWinDIB() = default;
    TWinDIB(int width, int height) : TAbstractSuperDIB(width, height) {}
    explicit TWinDIB(const ui::PixelSurface& pixels) { View(pixels); }
    // An empty surface leaves the image without pixels.
    void View(const ui::PixelSurface& pixels) { viewPixels(pixels); }
};

}  // namespace dib
