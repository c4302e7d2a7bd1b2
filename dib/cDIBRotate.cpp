#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "core/Nearest.h"
#include "dib/cDIBImage.h"

#include <algorithm>

namespace dib {

namespace {

// A size computed in floating point, rounded up; nothing or not a number
// counts as 0, and it never exceeds what an int holds.
int roundedUpSize(double v) {
    v = std::ceil(v);
    if (!(v > 0)) return 0;
    if (v >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    return static_cast<int>(v);
}

// Sine and cosine in 16.16 fixed point for every thousandth of a degree, so
// that turning a picture needs no trigonometry per draw. Filled on first use
// and read-only afterwards (5,760,000 bytes).
struct RotationTables {
    static constexpr int kSteps = 360000;
    std::vector<int32_t> S, C, S90, C90;

    RotationTables() : S(kSteps), C(kSteps), S90(kSteps), C90(kSteps) {
        for (int i = 0; i < kSteps; ++i) {
            const double a = i * std::numbers::pi / 180000.0;
            S[i] = static_cast<int32_t>(std::ceil(65536.0 * std::sin(a)));
            C[i] = static_cast<int32_t>(std::ceil(65536.0 * std::cos(a)));
            S90[i] = static_cast<int32_t>(std::ceil(65536.0 * std::sin(a + std::numbers::pi / 2)));
            C90[i] = static_cast<int32_t>(std::ceil(65536.0 * std::cos(a + std::numbers::pi / 2)));
        }
    }
};

const RotationTables& rotationTables() {
    static const RotationTables tables;
    return tables;
}

int tableIndex(double angle) {
    const double k = std::trunc(angle * 1000);
    if (!(k > 0)) return 0;
    if (k >= RotationTables::kSteps) return RotationTables::kSteps - 1;
    return static_cast<int>(k);
}

// A step as the unsigned 32-bit word it is added as: positions wrap around
// modulo 2^32 like the signed registers they stand for, without overflow.
uint32_t fixedStep(double v) {
    return static_cast<uint32_t>(core::nearest(v));
}

}  // namespace

void PrepareRotationTables() {
    rotationTables();
}

TDIBSize RotatedSize(int w, int h, double scaleX, double scaleY, double angle) {
    const double W = w * scaleX / 100;
    const double H = h * scaleY / 100;
    // |cos| and |sin| of the turn. At whole quarter turns they are taken
    // exactly: the library leaves 1e-16 behind there, rounding up would add a
    // pixel, and the even-size rule would then no longer apply.
    double cosine = 0;
    double sine = 0;
    if (const double quarters = angle / 90; quarters == std::floor(quarters)) {
        const bool odd = std::fmod(std::abs(quarters), 2) == 1;
        cosine = odd ? 0 : 1;
        sine = odd ? 1 : 0;
    } else {
        const double t = angle * std::numbers::pi / 180;
        cosine = std::abs(std::cos(t));
        sine = std::abs(std::sin(t));
    }
    int width = roundedUpSize(W * cosine + H * sine);
    int height = roundedUpSize(W * sine + H * cosine);
    if (width % 2 != 0) --width;
    if (height % 2 != 0) --height;
    return TDIBSize{width, height};
}

TDIBSize ScaledSize(int w, int h, double scaleX, double scaleY) {
    return TDIBSize{roundedUpSize(w * scaleX / 100), roundedUpSize(h * scaleY / 100)};
}

bool TAbstractSuperDIB::scaledToNothing() const {
    return width_ * scaleX_ / 100 == 0 || height_ * scaleY_ / 100 == 0;
}

// Inverse mapping: each target pixel looks up the source pixel it came from,
// relative to both centres. The bounds are open, so the first stored row and
// column of the source never appear in a turned picture.
void TAbstractSuperDIB::RotateInto(TAbstractSuperDIB& target) const {
    if (!HasPixels() || !target.HasPixels()) return;
    const int w = width_;
    const int h = height_;
    if (scaledToNothing()) return;

    const uint32_t fill = masked_ ? 0 : key_.value;
    const RotationTables& t = rotationTables();
    const int k = tableIndex(angle_);
    const double sx = scaleX_ / 100;
    const double sy = scaleY_ / 100;
    const uint32_t xStepCol = fixedStep(t.C[k] / sx);
    const uint32_t yStepCol = fixedStep(t.S[k] / sy);
    const uint32_t xStepRow = fixedStep(t.C90[k] / sx);
    const uint32_t yStepRow = fixedStep(t.S90[k] / sy);

    const int tw = target.width_;
    const int th = target.height_;
    const int hw = w / 2;
    const int hh = h / 2;
    const uint32_t firstCol = static_cast<uint32_t>(-(tw / 2));
    const uint32_t firstRow = static_cast<uint32_t>(-(th / 2));
    uint32_t rowX = firstCol * xStepCol + firstRow * xStepRow;
    uint32_t rowY = firstCol * yStepCol + firstRow * yStepRow;
    const uint32_t* centre = StoredRow(hh) + hw;

    for (int j = 0; j < th; ++j) {
        uint32_t* to = target.StoredRow(j);
        uint32_t X = rowX;
        uint32_t Y = rowY;
        for (int i = 0; i < tw; ++i) {
            // Arithmetic shift of the signed position: floor(X / 65536).
            const int32_t xi = static_cast<int32_t>(X) >> 16;
            const int32_t yi = static_cast<int32_t>(Y) >> 16;
            to[i] = (xi > -hw && xi < hw && yi > -hh && yi < hh)
                        ? centre[static_cast<ptrdiff_t>(yi) * rowStride_ + xi]
                        : fill;
            X += xStepCol;
            Y += yStepCol;
        }
        rowX += xStepRow;
        rowY += yStepRow;
    }
    target.Changed();
}

// Nearest neighbour in 16.16 fixed point; the column position starts afresh
// on every row, the row position runs on.
void TAbstractSuperDIB::ScaleInto(TAbstractSuperDIB& target) const {
    if (!HasPixels() || !target.HasPixels()) return;
    const int tw = target.width_;
    const int th = target.height_;
    const uint32_t stepX = (static_cast<uint32_t>(width_) << 16) / static_cast<uint32_t>(tw);
    const uint32_t stepY = (static_cast<uint32_t>(height_) << 16) / static_cast<uint32_t>(th);
    uint32_t rowPos = 0;
    int previousSourceRow = -1;
    for (int j = 0; j < th; ++j) {
        const int sourceRow = static_cast<int>(rowPos >> 16);
        uint32_t* to = target.StoredRow(j);
        if (sourceRow == previousSourceRow) {
            // Enlarging repeats source rows: the row just made is the same.
            std::copy(target.StoredRow(j - 1), target.StoredRow(j - 1) + tw, to);
        } else {
            const uint32_t* from = StoredRow(sourceRow);
            uint32_t colPos = 0;
            for (int i = 0; i < tw; ++i) {
                to[i] = from[colPos >> 16];
                colPos += stepX;
            }
        }
        previousSourceRow = sourceRow;
        rowPos += stepY;
    }
    target.Changed();
}

}  // namespace dib
