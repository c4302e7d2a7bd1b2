// tarnwick-video's speed on a two-minute flight: game time encoded per second
// of wall time, for each format at scale 1 and 2, and beside them the replay
// alone (the game's frames drawn, nothing mixed or encoded), which tells how
// much of the time is the encoding.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <filesystem>

#include "tools/video/MakeVideo.h"

namespace {

const video::Recording& Flight() {
    static const video::Recording flight = video::ReadRecording(TARNWICK_BENCH_RECORDING);
    return flight;
}

struct Silence : platform::AudioListener {
    void soundStarted(uint64_t, Channel, std::span<const uint8_t>, std::string_view) override {}
    void storedSoundsStopped(uint64_t) override {}
    void musicPlaying(uint64_t, bool) override {}
    void musicPulled(std::span<const int16_t>) override {}
};

video::VideoRequest Request(video::VideoFormat format, int scale, std::filesystem::path out) {
    video::VideoRequest request;
    request.recording = TARNWICK_BENCH_RECORDING;
    request.out = std::move(out);
    request.format = format;
    request.scale = scale;
    return request;
}

void ReportPace(benchmark::State& state, double wallSeconds) {
    state.counters["game_s_per_s"] = static_cast<double>(Flight().lengthMs) / 1000 /
                                     (wallSeconds / static_cast<double>(state.iterations()));
}

void BM_ReplayAlone(benchmark::State& state) {
    Silence silence;
    double wall = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        video::ReplayRecording(
            Request(video::VideoFormat::WebM, 1, {}), Flight(), silence,
            [](const core::Bitmap&, uint64_t) {}, [] { return false; });
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    ReportPace(state, wall);
}

void BM_Video(benchmark::State& state, video::VideoFormat format, const char* extension) {
    const std::filesystem::path out =
        std::filesystem::temp_directory_path() / (std::string("tarnwick-bench.") + extension);
    const std::atomic<bool> never = false;
    double wall = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        video::MakeVideo(Request(format, static_cast<int>(state.range(0)), out), Flight(), never);
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(out)) / 1e6;
    std::filesystem::remove(out);
    ReportPace(state, wall);
}

}  // namespace

BENCHMARK(BM_ReplayAlone)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK_CAPTURE(BM_Video, webm, video::VideoFormat::WebM, "webm")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Video, mp4, video::VideoFormat::Mp4, "mp4")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();
int main(int argc, char** argv) {
    video::ShowOnlyEncoderErrors();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
