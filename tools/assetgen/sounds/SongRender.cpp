#include "sounds/SongRender.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>

#include "sounds/Levels.h"

namespace assetgen::sounds {
namespace {

struct StereoBuffer {
    std::vector<double> left;
    std::vector<double> right;
};

// A drum hit is the same every time: render it once and add copies.
std::vector<double> renderHit(const std::vector<Layer>& layers, double rate) {
    double length = 0;
    for (const Layer& layer : layers)
        length = std::max(length, layer.start + layer.length(layer.oneShotGate()));
    std::vector<double> hit(static_cast<size_t>(std::ceil(length * rate)) + 1, 0.0);
    for (const Layer& layer : layers)
        addLayer(layer, LayerTiming{rate, 0, layer.oneShotGate(), 0}, hit);
    return hit;
}

// One track's part of the whole piece, mono and before its gain and pan.
std::vector<double> renderTrack(const Song& song, const Track& track, size_t length) {
    const double rate = song.sampleRate;
    const std::vector<Layer>& layers = song.sounds.at(track.sound);
    const std::vector<double> hit =
        track.kind == TrackKind::Drum ? renderHit(layers, rate) : std::vector<double>{};
    std::vector<double> out(length, 0.0);
    int patternStart = 0;
    for (const std::string& name : song.order) {
        const Pattern& pattern = song.patterns.at(name);
        const auto events = pattern.events.find(track.name);
        if (events != pattern.events.end()) {
            for (const NoteEvent& event : events->second) {
                const auto start = static_cast<size_t>(
                    std::llround((patternStart + event.step) * song.stepSeconds() * rate));
                if (start >= length) continue;
                const std::span<double> from = std::span<double>(out).subspan(start);
                if (track.kind == TrackKind::Drum) {
                    for (size_t i = 0; i < hit.size() && i < from.size(); ++i)
                        from[i] += hit[i] * event.velocity;
                    continue;
                }
                const double gate = event.length * song.stepSeconds();
                for (int note : event.notes)
                    for (const Layer& layer : layers)
                        addLayer(layer, LayerTiming{rate, noteFrequency(note), gate, 0}, from);
            }
        }
        patternStart += pattern.bars * kStepsPerBar;
    }
    return out;
}

// Echoes that bounce between the sides, each `feedback` times the last.
void addPingPong(const Song& song, const Track& track, const std::vector<double>& dry,
                 StereoBuffer& mix) {
    if (track.delayBeats <= 0 || track.delayMix <= 0) return;
    const auto delay = static_cast<size_t>(
        std::llround(track.delayBeats * 4 * song.stepSeconds() * song.sampleRate));
    double level = track.delayMix * track.gain;
    for (size_t echo = 1; level > 0.01 * track.gain && echo * delay < dry.size(); ++echo) {
        const double near = echo % 2 ? 0.35 : 1.0;  // odd echoes lean right, even ones left
        const double far = echo % 2 ? 1.0 : 0.35;
        for (size_t i = echo * delay; i < dry.size(); ++i) {
            mix.left[i] += dry[i - echo * delay] * level * near;
            mix.right[i] += dry[i - echo * delay] * level * far;
        }
        level *= track.delayFeedback;
    }
}

}  // namespace

std::vector<double> renderSong(const Song& song) {
    const size_t frames =
        static_cast<size_t>(std::llround(song.totalSteps() * song.stepSeconds() * song.sampleRate));
    const size_t tail = static_cast<size_t>(std::llround(song.tailSeconds * song.sampleRate));
    StereoBuffer mix{std::vector<double>(frames + tail, 0.0),
                     std::vector<double>(frames + tail, 0.0)};

    for (const Track& track : song.tracks) {
        const std::vector<double> dry = renderTrack(song, track, frames + tail);
        const double angle = (track.pan + 1.0) * std::numbers::pi / 4.0;
        const double left = std::cos(angle) * track.gain;
        const double right = std::sin(angle) * track.gain;
        for (size_t i = 0; i < dry.size(); ++i) {
            mix.left[i] += dry[i] * left;
            mix.right[i] += dry[i] * right;
        }
        addPingPong(song, track, dry, mix);
    }

    std::vector<double> interleaved(frames * 2);
    for (size_t i = 0; i < frames; ++i) {
        const size_t wrapped = i + frames;  // the ringing of the last bars
        interleaved[2 * i] = mix.left[i] + (wrapped < mix.left.size() ? mix.left[wrapped] : 0.0);
        interleaved[2 * i + 1] =
            mix.right[i] + (wrapped < mix.right.size() ? mix.right[wrapped] : 0.0);
    }
    scaleToPeak(interleaved, song.peak, song.title.empty() ? "the song" : song.title);
    return interleaved;
}

}  // namespace assetgen::sounds
