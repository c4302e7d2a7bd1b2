#include "effects/LevelPictures.h"

#include <algorithm>
#include <stdexcept>

namespace effects {

LevelPictures::LevelPictures(ui::TImage& levelPicture, ui::TImage& collisionPicture)
    : level_(levelPicture), collision_(collisionPicture) {}

void LevelPictures::HandIn(EffectFields& fields, const core::Bitmap& picture) {
    if (fields.effectBuffer.empty())
        throw std::logic_error("A level picture came in before the effect buffer was made");
    // Never cleared between levels: the new picture is painted over the old content.
    fields.effectBuffer.blit(picture, 1, 1);
    collision_.SetPicture(fields.effectBuffer);
    level_.SetPicture(fields.effectBuffer);
    fields.writtenPixels.clear();
    fields.wholeBufferChanged = false;
    overlays_.clear();
}

void LevelPictures::HandOver(EffectFields& fields) {
    const core::Bitmap& buffer = fields.effectBuffer;
    core::Bitmap& shown = level_.PicturePixels();
    if (fields.wholeBufferChanged || shown.width() != buffer.width() ||
        shown.height() != buffer.height()) {
        level_.SetPicture(buffer);
    } else {
        const uint32_t* from = buffer.data();
        uint32_t* to = shown.data();
        // The offsets are scattered over the whole picture: ask for the
        // pixels a little ahead so that the trips to memory overlap.
        constexpr size_t ahead = 16;
        const std::vector<uint32_t>& written = fields.writtenPixels;
        for (size_t i = 0; i < written.size(); ++i) {
            if (i + ahead < written.size()) {
                __builtin_prefetch(from + written[i + ahead]);
                __builtin_prefetch(to + written[i + ahead], 1);
            }
            to[written[i]] = from[written[i]];
        }
        for (const platform::Rect& r : overlays_)
            for (int y = r.top; y < r.bottom; ++y)
                std::copy(buffer.row(y) + r.left, buffer.row(y) + r.right, shown.row(y) + r.left);
        level_.PictureChanged();
    }
    fields.writtenPixels.clear();
    fields.wholeBufferChanged = false;
    overlays_.clear();
}

void LevelPictures::DrawOverlayLine(core::CanvasColor pen, int x1, int y1, int x2, int y2) {
    const core::Bitmap& shown = level_.Picture();
    const platform::Rect area =
        platform::Rect{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1,
                       std::max(y1, y2) + 1}
            .intersected(platform::Rect{0, 0, shown.width(), shown.height()});
    if (area.empty()) return;
    overlays_.push_back(area);
    ui::Canvas& canvas = level_.GetCanvas();
    canvas.Pen.Color = pen;
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

}  // namespace effects
