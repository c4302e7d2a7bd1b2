// A whole frame tick of a mission as the player's machine runs it: the
// particle pass over a 4,000-particle explosion, the rock tests, the hand-over,
// the enemy's beam and the tow line, the minimap trail, the scene copied to
// the controls, and the play window composed into the frame. Beside it, one
// copy of the 1280 x 1280 effect buffer: the frame tick must cost less. And
// the slowest tick of the heaviest explosion a frame tick can set off.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <ctime>

#include "CavePicture.h"

#include "app/Form1.h"
#include "app/Program.h"
#include "engine/Collisions.h"
#include "platform/EventLoop.h"
#include "platform/Headless.h"

namespace {

constexpr int kLevelSize = 1280;
constexpr int kExplosionParticles = 4000;

struct Mission {
    platform::HeadlessBackend backend;
    platform::EventLoop loop{backend};
    app::TForm1 form{loop, app::ProgramPaths{"/nonexistent/", "/nonexistent/", "tarnwick", ""}};
    core::Bitmap frame{app::TForm1::kClientWidth, app::TForm1::kClientHeight};
    const core::Bitmap cave = bench::cavePicture();

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
        form.Pictures.HandIn(form.Effects, cave);
        form.Hud.Image3.SetPicture(cave);
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
    // The heaviest frame tick the game can reach. No cap bounds the particles
    // alive; each effect request adds its preset's budget less 500 (at most
    // the Big Bang's 1,000), and the most one tick can request comes together
    // here: the ship resting on rock at its damage limit is destroyed (200
    // sparks and four Big Bang requests), the cargo touches rock (200 sparks)
    // and a bomb lands on rock right beside the enemy, which blows it up twice
    // (four requests of 500 each time). 8,400 particles in all, around the
    // ship and the bomb; the cave is handed in afresh, without worn holes.
    void crashBesideTheEnemy() {
        form.Effects.particleEngine->Clear();
        form.Pictures.HandIn(form.Effects, cave);
        core::GameState& s = form.State;
        s.shipDead = false;
        s.endTicks = 0;
        s.shipDamage = engine::kDamageLimit;  // the ship's probes at (590 .. 606, 420 .. 435)
        s.scrollVelX = 0;
        s.scrollVelY = 0;
        s.cargoDamage = 0;
        s.enemyGone = false;
        s.bombFlying = true;
        s.bombX = 505;  // rock under the bomb, and the enemy at (500, 380)
        s.bombY = 375;
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

double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Each iteration replays the heaviest explosion: the tick that sets it off and
// the ticks of the loss countdown after it; the mission ends at the
// countdown's 30th tick. An iteration's time is its slowest tick. worst_us is
// the slowest tick of the whole run and worst_tick its place (0 is the tick
// that sets the explosion off, 1 the first to move its particles);
// worst_cpu_us is the most processor time one tick took, which leaves out the
// time the system gave to other programs in between.
void WorstFrameTickOfTheHeaviestExplosion(benchmark::State& state) {
    constexpr int kTicksBeforeTheMissionEnds = 29;
    constexpr int kHeaviestExplosion = 200 + 4 * 1000 + 200 + 2 * 4 * 500;
    Mission m;
    m.frameTick();  // the game has shown the mission before anything explodes
    double worstOfRun = 0;
    double worstCpu = 0;
    for (auto _ : state) {
        m.crashBesideTheEnemy();
        double worst = 0;
        for (int tick = 0; tick < kTicksBeforeTheMissionEnds; ++tick) {
            ++m.form.State.missionTicks;
            const double cpuStart = threadCpuSeconds();
            const auto start = std::chrono::steady_clock::now();
            m.frameTick();
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            worstCpu = std::max(worstCpu, threadCpuSeconds() - cpuStart);
            if (tick == 0 && m.form.ParticleCount() != kHeaviestExplosion) {
                state.SkipWithError("The crash did not set off the heaviest explosion");
                break;
            }
            worst = std::max(worst, took.count());
            if (took.count() < worstOfRun) continue;
            worstOfRun = took.count();
            state.counters["worst_us"] = worstOfRun * 1e6;
            state.counters["worst_tick"] = tick;
        }
        state.SetIterationTime(worst);
    }
    state.counters["worst_cpu_us"] = worstCpu * 1e6;
}
BENCHMARK(WorstFrameTickOfTheHeaviestExplosion)->UseManualTime()->Unit(benchmark::kMicrosecond);

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
