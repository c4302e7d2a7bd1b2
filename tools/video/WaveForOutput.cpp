#include "WaveForOutput.h"

#include <algorithm>
#include <cstring>

#include "Ffmpeg.h"
#include "platform/Audio.h"
#include "platform/WaveChunks.h"

namespace video {
namespace {

bool Playable(const platform::WaveChunks& wave) {
    return wave.formatTag == 1 && (wave.channels == 1 || wave.channels == 2) &&
           (wave.bitsPerSample == 8 || wave.bitsPerSample == 16) && wave.sampleRate >= 1000 &&
           wave.sampleRate <= 192000;
}

// The samples widened to 16 bits, still at the wave's own rate and channels.
std::vector<int16_t> Widened(const platform::WaveChunks& wave) {
    std::vector<int16_t> samples;
    if (wave.bitsPerSample == 8) {
        samples.reserve(wave.data.size());
        for (uint8_t byte : wave.data) samples.push_back(static_cast<int16_t>((byte - 128) * 256));
    } else {
        samples.resize(wave.data.size() / 2);
        std::memcpy(samples.data(), wave.data.data(), samples.size() * 2);
    }
    samples.resize(samples.size() - samples.size() % static_cast<size_t>(wave.channels));
    return samples;
}

std::vector<int16_t> Resampled(const std::vector<int16_t>& samples, int channels, int fromRate) {
    constexpr int toRate = platform::PcmStream::kSampleRate;
    if (fromRate == toRate || samples.empty()) return samples;
    AVChannelLayout layout;
    av_channel_layout_default(&layout, channels);
    SwrContext* made = nullptr;
    if (swr_alloc_set_opts2(&made, &layout, AV_SAMPLE_FMT_S16, toRate, &layout, AV_SAMPLE_FMT_S16,
                            fromRate, 0, nullptr) < 0)
        return {};
    const ResamplerPtr swr(made);
    if (swr_init(swr.get()) < 0) return {};
    const int inFrames = static_cast<int>(samples.size() / static_cast<size_t>(channels));
    const int room = swr_get_out_samples(swr.get(), inFrames) + 64;
    std::vector<int16_t> out(static_cast<size_t>(room) * static_cast<size_t>(channels));
    uint8_t* outPlane = reinterpret_cast<uint8_t*>(out.data());
    const uint8_t* inPlane = reinterpret_cast<const uint8_t*>(samples.data());
    int frames = swr_convert(swr.get(), &outPlane, room, &inPlane, inFrames);
    if (frames >= 0) {
        // The resampler holds back the last few frames until it is flushed.
        uint8_t* rest = outPlane + static_cast<size_t>(frames) * static_cast<size_t>(channels) * 2;
        const int flushed = swr_convert(swr.get(), &rest, room - frames, nullptr, 0);
        frames = flushed >= 0 ? frames + flushed : frames;
    }
    out.resize(static_cast<size_t>(std::max(frames, 0)) * static_cast<size_t>(channels));
    return out;
}

}  // namespace

std::vector<int16_t> WaveForOutput(std::span<const uint8_t> riffWave) {
    const std::optional<platform::WaveChunks> wave = platform::ReadWaveChunks(riffWave);
    if (!wave || !Playable(*wave)) return {};
    std::vector<int16_t> samples =
        Resampled(Widened(*wave), wave->channels, static_cast<int>(wave->sampleRate));
    if (wave->channels == 2) return samples;
    std::vector<int16_t> stereo(samples.size() * 2);
    for (size_t i = 0; i < samples.size(); ++i) stereo[2 * i] = stereo[2 * i + 1] = samples[i];
    return stereo;
}

}  // namespace video
