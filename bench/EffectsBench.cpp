// The cost of the effect work of the worst frames: the bursts after a ship is
// destroyed or a mission won (four preset-4 requests, 4,000 particles).
#include <benchmark/benchmark.h>

#include "CavePicture.h"

#include <cstring>
#include <vector>

#include "core/GameState.h"
#include "core/Random.h"
#include "effects/EffectBuffer.h"
#include "effects/LevelPictures.h"
#include "effects/ParticlePass.h"
#include "platform/Headless.h"

namespace {

constexpr int kLevelSize = 1280;

void SpawnPresetFour(benchmark::State& state) {
    platform::VirtualClock clock;
    core::GameState game;
    effects::EffectFields fields;
    for (auto _ : state) {
        fields.effectPreset = 4;
        effects::SpawnEffect(fields, game, clock, kLevelSize, kLevelSize);
        state.PauseTiming();
        fields.particleEngine->Clear();
        state.ResumeTiming();
    }
}
BENCHMARK(SpawnPresetFour)->Unit(benchmark::kMicrosecond);

// One frame after a ship was destroyed: `bursts` preset-4 requests (1,000
// particles each) around the ship, then the particle pass and the hand-over.
void ParticlePassAndHandOver(benchmark::State& state) {
    platform::VirtualClock clock;
    core::GameState game;
    game.scrollX = 296 - 640;
    game.scrollY = 130 - 640;
    effects::EffectFields fields;
    ui::TImage image1("Image1");
    ui::TImage image2("Image2");
    effects::LevelPictures pictures(image1, image2);
    fields.effectPreset = 255;
    effects::SpawnEffect(fields, game, clock, kLevelSize, kLevelSize);
    pictures.HandIn(fields, bench::cavePicture());
    const int bursts = static_cast<int>(state.range(0)) / 1000;
    for (auto _ : state) {
        state.PauseTiming();
        fields.particleEngine->Clear();
        fields.effectPreset = 4;
        for (int i = 0; i < bursts; ++i)
            effects::SpawnEffect(fields, game, clock, kLevelSize, kLevelSize);
        state.ResumeTiming();
        effects::ParticlePass(fields, game, pictures);
        pictures.HandOver(fields);
    }
}
BENCHMARK(ParticlePassAndHandOver)->Arg(4000)->Arg(8000)->Unit(benchmark::kMicrosecond);

// For reference: one copy of the whole effect buffer.
void CopyWholeBuffer(benchmark::State& state) {
    std::vector<uint32_t> from(kLevelSize * kLevelSize, 0x123456), to(kLevelSize * kLevelSize);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(uint32_t));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(CopyWholeBuffer)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
