// Composing the play window: the level picture and the game's sprites laid
// into the 616 x 479 container, as the loop does after every tick.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "dib/cDIBContainer.h"
#include "dib/cDIBControl.h"
#include "dib/cDIBImageList.h"
#include "platform/Headless.h"
#include "ui/Form.h"
#include "ui/Image.h"

namespace {

// Pictures of the sizes and colour-key settings the game's image list
// holds, with a pattern instead of the artwork: what is measured is the
// pixel work, which does not depend on what the pixels show.
struct PictureSpec {
    int width;
    int height;
    bool transparent;
};
constexpr PictureSpec kPictures[] = {
    {14, 14, true}, {16, 16, true}, {54, 78, true}, {200, 150, false}, {71, 77, true},
    {6, 10, true},  {54, 46, true}, {16, 16, true}, {16, 16, false},
};

void fillPattern(dib::TAbstractSuperDIB& picture, bool transparent) {
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            // A black frame, the key colour, round a coloured inside.
            const bool edge = transparent && (x < 2 || y < 2 || x >= picture.Width() - 2 ||
                                              y >= picture.Height() - 2);
            const auto v = static_cast<uint8_t>(x * 7 + y * 3);
            picture.SetPixel(x, y,
                             edge ? core::PixelWord::rgb(0, 0, 0, 255)
                                  : core::PixelWord::rgb(v, 128, 255 - v, 255));
        }
}

core::Bitmap levelPicture() {
    core::Bitmap picture(1280, 1280);
    for (int y = 0; y < 1280; ++y)
        for (int x = 0; x < 1280; ++x)
            if ((x / 40 + y / 40) % 3 == 0)
                picture.setPixel(x, y, core::PixelWord::rgb(60, 50, static_cast<uint8_t>(x)));
    return picture;
}

struct PlayWindow {
    platform::HeadlessBackend backend;
    platform::EventLoop loop{backend};
    ui::Form form{"Form1", loop};
    dib::TDIBContainer container{"DIBContainer1"};
    ui::TImage image1{"Image1"};
    dib::TDIBImageList list;
    std::vector<std::unique_ptr<dib::TDIBImage>> sprites;
    core::Bitmap frame{646, 585};
    dib::TDIBImage* ship = nullptr;
    dib::TDIBImage* menu = nullptr;

    PlayWindow() {
        form.SetBounds(0, 0, 646, 585);
        container.SetBounds(24, 64, 616, 479);
        container.SetColor(core::colors::black);
        container.SetParent(&form);
        image1.SetPicture(levelPicture());
        image1.SetBounds(-300, -400, 1280, 1280);
        image1.SetParent(&container);
        for (const PictureSpec& spec : kPictures) {
            dib::TMemoryDIB& picture = list.Add().DIB();
            picture.SetSize(spec.width, spec.height);
            fillPattern(picture, spec.transparent);
            picture.SetTransparent(spec.transparent);
        }

        sprite("DIBImage8", 0, 0, 616, 479, 8).SetStretch(true);
        sprites.back()->SetOpacity(100);
        ship = &sprite("ship", 288, 120, 16, 16, 0);
        ship->SetCenter(true);
        ship->SetAngle(45);
        sprite("Box", 330, 150, 16, 16, 1).SetAutoSize(true);
        dib::TDIBImage& collector = sprite("boxramp", 420, 300, 42, 60, 2);
        collector.SetCenter(true);
        collector.SetAutoSize(true);
        collector.SetScale(75);
        menu = &sprite("Backmenu", 152, 120, 289, 345, 3);
        menu->SetStretch(true);
        menu->SetOpacity(225);
        dib::TDIBImage& exit = sprite("Exitimage", 544, 112, 57, 65, 4);
        exit.SetStretch(true);
        exit.SetCenter(true);
        sprite("enemy", 480, 400, 32, 32, 7);
    }

    dib::TDIBImage& sprite(const std::string& name, int left, int top, int width, int height,
                           int picture) {
        sprites.push_back(std::make_unique<dib::TDIBImage>(name, &form));
        dib::TDIBImage& s = *sprites.back();
        s.SetBounds(left, top, width, height);
        s.SetDIBImageList(&list);
        s.IndexMain().SetDIBIndex(picture);
        s.SetParent(&container);
        return s;
    }
};

void BM_ComposeWholePlayWindow(benchmark::State& state) {
    PlayWindow window;
    const platform::Rect area = window.container.BoundsInWindow();
    for (auto _ : state) {
        window.form.paint(window.frame, area);
        benchmark::DoNotOptimize(window.frame.data());
    }
    state.SetItemsProcessed(state.iterations() * area.width() * area.height());
}
BENCHMARK(BM_ComposeWholePlayWindow)->Unit(benchmark::kMicrosecond);

// The control tick turns the ship and repaints only its square; the
// argument says whether the menu panel is up (briefing) or not (play).
void BM_ComposeTurningShip(benchmark::State& state) {
    PlayWindow window;
    window.menu->SetVisible(state.range(0) != 0);
    int angle = 0;
    for (auto _ : state) {
        angle = (angle + 3) % 360;
        window.ship->SetAngle(angle);
        window.form.paint(window.frame, window.ship->BoundsInWindow());
        benchmark::DoNotOptimize(window.frame.data());
    }
}
BENCHMARK(BM_ComposeTurningShip)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
