// The cost of the effect work of the worst frames: the bursts after a ship is
// destroyed or a mission won (four preset-4 requests, 4,000 particles).
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "core/GameState.h"
#include "core/Random.h"
#include "effects/EffectBuffer.h"
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

void StepParticles(benchmark::State& state) {
    platform::VirtualClock clock;
    core::GameState game;
    effects::EffectFields fields;
    fields.effectPreset = 4;
    const int requests = static_cast<int>(state.range(0)) / 1000;
    for (int i = 0; i < requests; ++i) effects::SpawnEffect(fields, game, clock, kLevelSize, kLevelSize);
    for (auto _ : state) fields.particleEngine->Step();
    state.counters["particles"] = fields.particleEngine->HighIndex() + 1;
}
BENCHMARK(StepParticles)->Arg(4000)->Arg(8000)->Unit(benchmark::kMicrosecond);

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
