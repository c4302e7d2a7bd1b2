#include "tools/assetgen/pictures/PreviewSheet.h"

#include <algorithm>

namespace assetgen {
namespace {

constexpr int enlargement = 6;
constexpr int gap = 24;
constexpr int sheetWidthLimit = 1600;
constexpr int checkerCell = 12;
constexpr core::PixelWord checkerLight = core::PixelWord::rgb(0x88, 0x88, 0x88);
constexpr core::PixelWord checkerDark = core::PixelWord::rgb(0x70, 0x70, 0x70);
constexpr core::PixelWord frameColour = core::PixelWord::rgb(0x30, 0x30, 0x30);

struct Placement {
    int x = 0;
    int y = 0;
};

// Places the enlarged pictures in rows no wider than the limit and returns
// their top-left corners together with the sheet's size.
std::vector<Placement> layOut(const std::vector<ListedPicture>& list, int& sheetWidth,
                              int& sheetHeight) {
    std::vector<Placement> places;
    int x = gap, y = gap, rowHeight = 0;
    sheetWidth = 0;
    for (const ListedPicture& entry : list) {
        const int w = entry.picture.width() * enlargement;
        const int h = entry.picture.height() * enlargement;
        if (x > gap && x + w + gap > sheetWidthLimit) {
            x = gap;
            y += rowHeight + gap;
            rowHeight = 0;
        }
        places.push_back({x, y});
        x += w + gap;
        rowHeight = std::max(rowHeight, h);
        sheetWidth = std::max(sheetWidth, x);
    }
    sheetHeight = y + rowHeight + gap;
    return places;
}

core::PixelWord checkerAt(int x, int y) {
    return (x / checkerCell + y / checkerCell) % 2 == 0 ? checkerLight : checkerDark;
}

void paintChecker(core::Bitmap& sheet, int left, int top, int width, int height) {
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x) sheet.setPixel(x, y, checkerAt(x, y));
}

void paintEnlarged(core::Bitmap& sheet, const ListedPicture& entry, Placement at) {
    const core::Bitmap& picture = entry.picture;
    sheet.fillRect(at.x - 1, at.y - 1, picture.width() * enlargement + 2,
                   picture.height() * enlargement + 2, frameColour);
    const core::PixelWord key = core::toPixelWord(entry.key);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const int left = at.x + x * enlargement;
            const int top = at.y + y * enlargement;
            const core::PixelWord p = picture.pixel(x, y);
            if (entry.transparent && (p.value & 0xFFFFFFu) == key.value)
                paintChecker(sheet, left, top, enlargement, enlargement);
            else
                sheet.fillRect(left, top, enlargement, enlargement, p);
        }
    }
}

}  // namespace

core::Bitmap previewSheet(const std::vector<ListedPicture>& list) {
    int width = 0, height = 0;
    const std::vector<Placement> places = layOut(list, width, height);
    core::Bitmap sheet(std::max(width, 1), std::max(height, 1));
    paintChecker(sheet, 0, 0, sheet.width(), sheet.height());
    for (size_t i = 0; i < list.size(); ++i) paintEnlarged(sheet, list[i], places[i]);
    return sheet;
}

}  // namespace assetgen
