#include "engine/Minimap.h"

namespace engine {
namespace {

void mark(ui::Canvas& canvas, core::CanvasColor colour, int x, int y, int size) {
    canvas.Brush.Color = colour;
    canvas.Rectangle(x, y, x + size, y + size);
}

}  // namespace

void DrawMinimapTrail(ui::TImage& minimap, const core::GameState& s) {
    mark(minimap.GetCanvas(), core::colors::lime, 296 - s.scrollX, 130 - s.scrollY, 8);
}

void DrawMinimapMarkers(ui::TImage& minimap, const core::GameState& s) {
    ui::Canvas& canvas = minimap.GetCanvas();
    mark(canvas, core::colors::red, s.exitX, s.exitY, 16);
    mark(canvas, core::colors::yellow, s.cargoX, s.cargoY, 16);
    mark(canvas, core::colors::silver, s.collectorX, s.collectorY, 16);
}

}  // namespace engine
