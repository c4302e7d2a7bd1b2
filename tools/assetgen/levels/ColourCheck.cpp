#include "levels/ColourCheck.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "levels/DistanceField.h"
#include "levels/Reachability.h"

namespace assetgen::levels {
namespace {

// Open space this far from rock lies in JPEG blocks of pure black.
constexpr float kSafeDistance = 8;

// Counts the pixels that break one rule and remembers the first.
class Breaches {
  public:
    explicit Breaches(std::string rule) : rule_(std::move(rule)) {}

    void add(int px, int py) {
        if (count_++ == 0) {
            firstX_ = px + 1;
            firstY_ = py + 1;
        }
    }
    void report(Findings& findings) const {
        if (count_ == 0) return;
        findings.errors.push_back(std::to_string(count_) + " pixels where " + rule_ +
                                  ", the first at world (" + std::to_string(firstX_) + ", " +
                                  std::to_string(firstY_) + ")");
    }

  private:
    std::string rule_;
    long count_ = 0;
    int firstX_ = 0;
    int firstY_ = 0;
};

int lumaOf(core::PixelWord p) {
    return (299 * p.red() + 587 * p.green() + 114 * p.blue() + 500) / 1000;
}

void checkBackdrop(const core::Bitmap& decoded, Findings& findings) {
    std::vector<int> histogram(256, 0);
    for (int py = 0; py < decoded.height(); ++py)
        for (int px = 0; px < decoded.width(); ++px) ++histogram[lumaOf(decoded.pixel(px, py))];
    const long total = static_cast<long>(decoded.width()) * decoded.height();
    long seen = 0;
    int typical = 0;
    for (int luma = 0; luma < 256; ++luma) {
        seen += histogram[luma];
        if (seen * 100 < total * 99) typical = luma + 1;
    }
    int peak = 255;
    while (peak > 0 && histogram[peak] == 0) --peak;
    findings.notes.push_back("brightness: 99% of pixels at most " + std::to_string(typical) +
                             ", brightest " + std::to_string(peak));
    if (typical > kBackdropTypicalLuma)
        findings.errors.push_back("too bright under text: 99% of pixels only reach down to " +
                                  std::to_string(typical) + " (at most " +
                                  std::to_string(kBackdropTypicalLuma) + " wanted)");
    if (peak > kBackdropPeakLuma)
        findings.errors.push_back("a pixel of brightness " + std::to_string(peak) +
                                  " would fight the text (at most " +
                                  std::to_string(kBackdropPeakLuma) + ")");
}

}  // namespace

void checkColours(const LevelSource& source, const TerrainMap& terrain, const core::Bitmap& decoded,
                  Findings& findings) {
    if (decoded.width() != terrain.width() || decoded.height() != terrain.height()) {
        findings.errors.push_back("decoded as " + std::to_string(decoded.width()) + " x " +
                                  std::to_string(decoded.height()) + ", made as " +
                                  std::to_string(terrain.width()) + " x " +
                                  std::to_string(terrain.height()));
        return;
    }
    if (source.backdrop) {
        checkBackdrop(decoded, findings);
        return;
    }
    const std::vector<float> nearRock =
        distanceField(terrain.width(), terrain.height(), terrain.maskOfOther(Ground::Open), 1.0f,
                      kSafeDistance + 1);
    Breaches openAsRock("open space passes the rock test");
    Breaches openNotBlack("open space far from rock is not black");
    Breaches rockAsOpen("rock fails the rock test");
    int rockBlueLow = 255;
    int rockBlueHigh = 0;
    int openBlueHigh = 0;
    for (int py = 0; py < terrain.height(); ++py) {
        for (int px = 0; px < terrain.width(); ++px) {
            const core::PixelWord pixel = decoded.pixel(px, py);
            const bool rock = passesRockTest(pixel);
            if (terrain.at(px, py) == Ground::Open) {
                openBlueHigh = std::max<int>(openBlueHigh, pixel.blue());
                if (rock) openAsRock.add(px, py);
                const float distance = nearRock[static_cast<size_t>(py) * terrain.width() + px];
                if (distance > kSafeDistance && (pixel.value & 0xFFFFFF) != 0)
                    openNotBlack.add(px, py);
            } else {
                rockBlueLow = std::min<int>(rockBlueLow, pixel.blue());
                rockBlueHigh = std::max<int>(rockBlueHigh, pixel.blue());
                if (!rock) rockAsOpen.add(px, py);
            }
        }
    }
    openAsRock.report(findings);
    openNotBlack.report(findings);
    rockAsOpen.report(findings);
    findings.notes.push_back("blue in rock " + std::to_string(rockBlueLow) + ".." +
                             std::to_string(rockBlueHigh) + ", in open space up to " +
                             std::to_string(openBlueHigh) + " (rock is 17..135)");
}

void checkPaintedColours(const core::Bitmap& decoded, bool jpeg, Findings& findings) {
    constexpr int kRockFrom = 17;
    constexpr int kRockTo = 135;
    Breaches nearBound("the blue lies within " + std::to_string(kJpegBlueMargin) +
                       " of the rock test's bounds (17 and 135), where JPEG decoders may differ: "
                       "keep rock's blue from 20 to 132 and open space's at 14 or less (or 138 "
                       "or more), or save the cave as PNG");
    long rock = 0;
    for (int py = 0; py < decoded.height(); ++py) {
        for (int px = 0; px < decoded.width(); ++px) {
            const core::PixelWord p = decoded.pixel(px, py);
            rock += passesRockTest(p);
            const int blue = p.blue();
            if (jpeg && (std::abs(blue - kRockFrom) <= kJpegBlueMargin ||
                         std::abs(blue - kRockTo) <= kJpegBlueMargin))
                nearBound.add(px, py);
        }
    }
    nearBound.report(findings);
    const long total = static_cast<long>(decoded.width()) * decoded.height();
    findings.notes.push_back(std::to_string((rock * 100 + total / 2) / total) + "% rock");
}

}  // namespace assetgen::levels
