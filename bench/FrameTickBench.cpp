// A whole frame tick of a mission as the player's machine runs it: the
// particle pass over a 4,000-particle explosion, the rock tests, the hand-over,
// the enemy's beam and the tow line, the minimap trail, the scene copied to
// the controls, and the play window composed into the frame. Beside it, one
// copy of the 1280 x 1280 effect buffer: the frame tick must cost less.
#include <benchmark/benchmark.h>

#include <cstring>

#include "CavePicture.h"

#include "app/Form1.h"
#include "app/Program.h"
#include "platform/EventLoop.h"
#include "platform/Headless.h"

namespace {

constexpr int kLevelSize = 1280;
constexpr int kExplosionParticles = 4000;

struct Mission {
    platform::HeadlessBackend backend;
    platform::EventLoop loop{backend};
    app::TForm1 form{loop, app::ProgramPaths{"/nonexistent/", "/nonexistent/", "tarnwick"}};
    core::Bitmap frame{app::TForm1::kClientWidth, app::TForm1::kClientHeight};

    Mission() {
        core::GameState& s = form.State;
        s.menuMode = false;
        s.missionNumber = 2;
        s.scrollX = -300;  // the ship over open space in the middle of the cave
        s.scrollY = -300;
        s.towing = true;  // the tow line is drawn
        s.cargoX = 640;
        s.cargoY = 460;
        s.enemyGone = false;  // and the beam, on even mission ticks
        s.enemyX = 500;
        s.enemyY = 380;
        s.beamLength = 300;
        explode();
        form.Pictures.HandIn(form.Effects, bench::cavePicture());
        form.Hud.Image3.SetPicture(bench::cavePicture());
        form.Hud.Image3.SetStretch(true);
        // The play screen: the title's veil, menu and credits gone, the level
        // picture, the HUD, the minimap, the ship with its cargo, the
        // collector, the enemy and two spare ships shown.
        auto& p = form.Play;
        for (ui::Control* c : std::initializer_list<ui::Control*>{
                 &p.DIBImage8, &p.Backmenu, &p.Label8, &p.Label9, &p.Label11, &p.Shape1,
                 &p.DIBFadeLabel1, &p.DIBFadeLabel2, &p.DIBFadeLabel3, &p.DIBFadeLabel4,
                 &p.DIBFadeLabel5, &p.DIBFadeLabel6, &p.DIBFadeLabel7, &p.DIBFadeLabel8,
                 &p.DIBFadeLabel9, &form.Hud.Banner1})
            c->Hide();
        form.Hud.Banner1.SetRun(false);
        for (ui::Control* c : std::initializer_list<ui::Control*>{
                 &p.Image1, &p.ship, &p.Box, &p.boxramp, &p.enemy, &p.DIBImage3, &p.DIBImage4,
                 &form.Hud.dxContainer1, &form.Hud.thetext, &form.Hud.LabelTime})
            c->Show();
    }
    void explode() {
        form.Effects.effectPreset = 4;
        while (form.ParticleCount() < kExplosionParticles) form.SpawnEffect();
    }
    // The tick, then the whole window composed: an upper bound.
    void frameTick() {
        form.DIBTimer1Timer();
        form.paint(frame,
                   platform::Rect{0, 0, app::TForm1::kClientWidth, app::TForm1::kClientHeight});
        benchmark::ClobberMemory();
    }
    // The tick, then what the loop does after it: compose what the tick
    // invalidated and present it.
    void frameTickPresented() {
        form.DIBTimer1Timer();
        loop.repaintNow();
        benchmark::ClobberMemory();
    }
};

void FrameTickInAMission(benchmark::State& state) {
    Mission m;
    int64_t particles = 0;
    for (auto _ : state) {
        if (m.form.ParticleCount() < kExplosionParticles * 3 / 4) {
            state.PauseTiming();
            m.explode();
            state.ResumeTiming();
        }
        particles += m.form.ParticleCount();
        ++m.form.State.missionTicks;
        m.frameTick();
    }
    state.counters["particles"] =
        benchmark::Counter(static_cast<double>(particles), benchmark::Counter::kAvgIterations);
}
BENCHMARK(FrameTickInAMission)->Unit(benchmark::kMicrosecond);

void FrameTickAsTheLoopPresentsIt(benchmark::State& state) {
    Mission m;
    m.form.ShowWindow(app::Program::kApplicationTitle);
    for (auto _ : state) {
        if (m.form.ParticleCount() < kExplosionParticles * 3 / 4) {
            state.PauseTiming();
            m.explode();
            state.ResumeTiming();
        }
        ++m.form.State.missionTicks;
        m.frameTickPresented();
    }
}
BENCHMARK(FrameTickAsTheLoopPresentsIt)->Unit(benchmark::kMicrosecond);

void CopyEffectBuffer(benchmark::State& state) {
    const core::Bitmap source(kLevelSize, kLevelSize, core::PixelWord::rgb(1, 2, 3));
    core::Bitmap target(kLevelSize, kLevelSize);
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), size_t{kLevelSize} * kLevelSize * 4);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(CopyEffectBuffer)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
