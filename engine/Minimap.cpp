#include "engine/Minimap.h"

namespace engine {

void DrawMinimapTrail(ui::TImage& minimap, const core::GameState& s) {
    ui::Canvas& canvas = minimap.GetCanvas();
    canvas.Brush.Color = core::colors::lime;
    const int x = 296 - s.scrollX;
    const int y = 130 - s.scrollY;
    canvas.Rectangle(x, y, x + 8, y + 8);
}

}  // namespace engine
