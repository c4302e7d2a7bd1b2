// Presenting the play window (616 x 479 changed) at twice the size, two ways:
// the game's own path, which enlarges only the changed rectangle on the
// processor into the window's surface, and SDL's renderer, which uploads the
// rectangle into a texture and lets the renderer scale and show the whole
// window. Needs an X display at least 1,300 x 1,250 (make bench runs Xvfb);
// the time is the process's processor time, the renderer's own threads
// included, the display server's work not.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <string>

#include "platform/SdlBackend.h"

namespace {

constexpr int kWidth = 646;
constexpr int kHeight = 585;
const platform::Rect kPlayWindow{24, 64, 24 + 616, 64 + 479};

core::Bitmap gameFrame() {
    core::Bitmap frame(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) frame.row(y)[x] = static_cast<uint32_t>(x * 977 + y * 131);
    return frame;
}

void EnlargedChangedRectangleIntoTheWindowSurface(benchmark::State& state) {
    platform::SdlBackend backend;
    // The back-end opens the display with the window; asked before, it counts one more user.
    SDL_Rect desktop{};
    const bool roomy = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 &&
                       SDL_GetDisplayUsableBounds(0, &desktop) == 0 &&
                       desktop.w >= 2 * kWidth + 8 && desktop.h >= 2 * kHeight + 40;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    if (!roomy) {
        state.SkipWithError("no display with room for the window at twice its size");
        return;
    }
    backend.showWindow("bench", "bench", platform::Size{kWidth, kHeight});
    const core::Bitmap frame = gameFrame();
    backend.present(frame, platform::Rect{0, 0, kWidth, kHeight});
    for (auto _ : state) backend.present(frame, kPlayWindow);
}
BENCHMARK(EnlargedChangedRectangleIntoTheWindowSurface)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);

// flags 0 lets SDL pick the renderer (OpenGL where there is one); the
// software renderer is the other choice on a machine without a GPU.
void TextureThroughTheRenderer(benchmark::State& state, uint32_t flags) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    SDL_Window* window = SDL_CreateWindow("bench", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          2 * kWidth, 2 * kHeight, SDL_WINDOW_SHOWN);
    SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, flags) : nullptr;
    SDL_Texture* texture = renderer
                               ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_XRGB8888,
                                                   SDL_TEXTUREACCESS_STREAMING, kWidth, kHeight)
                               : nullptr;
    if (texture) {
        SDL_RendererInfo info;
        SDL_GetRendererInfo(renderer, &info);
        state.SetLabel(info.name);
        SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
        const core::Bitmap frame = gameFrame();
        const SDL_Rect changed{kPlayWindow.left, kPlayWindow.top, kPlayWindow.width(),
                               kPlayWindow.height()};
        const SDL_Rect whole{0, 0, 2 * kWidth, 2 * kHeight};
        for (auto _ : state) {
            SDL_UpdateTexture(texture, &changed, frame.row(changed.y) + changed.x,
                              kWidth * static_cast<int>(sizeof(uint32_t)));
            SDL_RenderCopy(renderer, texture, nullptr, &whole);
            SDL_RenderPresent(renderer);
        }
    } else {
        state.SkipWithError(SDL_GetError());
    }
    if (texture) SDL_DestroyTexture(texture);
    if (renderer) SDL_DestroyRenderer(renderer);
    if (window) SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
BENCHMARK_CAPTURE(TextureThroughTheRenderer, chosen by SDL, 0u)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TextureThroughTheRenderer, software, uint32_t{SDL_RENDERER_SOFTWARE})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
