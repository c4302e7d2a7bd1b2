// Composing the game window as the loop does after a tick: the real window
// layout with its stored pictures, on the title screen and during a mission.
#include <benchmark/benchmark.h>

#include "CavePicture.h"

#include "app/Form1.h"
#include "dib/cDIBImage.h"
#include "platform/EventLoop.h"
#include "platform/Headless.h"

namespace {

constexpr int kLevelSize = 1280;

struct Window {
    platform::HeadlessBackend backend;
    platform::EventLoop loop{backend};
    app::TForm1 form{loop, app::ProgramPaths{"/nonexistent/", "/nonexistent/", "tarnwick", ""}};
    core::Bitmap frame{app::TForm1::kClientWidth, app::TForm1::kClientHeight};

    Window() {
        form.Play.Image1.SetPicture(bench::cavePicture());
        form.Play.Image1.Show();
    }
    // One composition of the whole play window.
    void composePlayWindow() {
        form.paint(frame, form.Play.DIBContainer1.BoundsInWindow());
        benchmark::ClobberMemory();
    }
};

// The title screen: the world behind the veil at opacity 100, the menu panel
// at 225, every menu entry, the title and the key help.
void ComposeTitleScreen(benchmark::State& state) {
    Window w;
    w.form.Play.DIBImage8.SetOpacity(100);
    for (auto _ : state) w.composePlayWindow();
}
BENCHMARK(ComposeTitleScreen)->Unit(benchmark::kMicrosecond);

// A mission: the level picture, the ship turned by 45 degrees, the cargo,
// the collector, the enemy and five spare ships; menu and veil hidden.
void ComposeMission(benchmark::State& state) {
    Window w;
    auto& p = w.form.Play;
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &p.DIBImage8, &p.Backmenu, &p.Label8, &p.Label9, &p.Label11, &p.Shape1,
             &p.DIBFadeLabel1, &p.DIBFadeLabel2, &p.DIBFadeLabel3, &p.DIBFadeLabel4,
             &p.DIBFadeLabel5, &p.DIBFadeLabel6, &p.DIBFadeLabel7, &p.DIBFadeLabel8,
             &p.DIBFadeLabel9})
        c->Hide();
    p.Image1.SetBounds(-300, -200, kLevelSize, kLevelSize);
    p.ship.SetAngle(45);
    p.Box.SetLeft(300);
    p.Box.SetTop(150);
    p.boxramp.SetLeft(200);
    p.boxramp.SetTop(300);
    p.enemy.SetLeft(420);
    p.enemy.SetTop(260);
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &p.ship, &p.Box, &p.boxramp, &p.enemy, &p.DIBImage3, &p.DIBImage4, &p.DIBImage5,
             &p.DIBImage6, &p.DIBImage7})
        c->Show();
    for (auto _ : state) w.composePlayWindow();
}
BENCHMARK(ComposeMission)->Unit(benchmark::kMicrosecond);

// Turning the ship's stored 14 x 14 picture by 45 degrees into 20 x 20.
void RotateShip(benchmark::State& state) {
    Window w;
    dib::TAbstractSuperDIB& ship = w.form.Media.DIBImageList1.Items(0).DIB();
    ship.SetAngle(45);
    dib::TWinDIB target(20, 20);
    for (auto _ : state) {
        ship.RotateInto(target);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(RotateShip)->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
