#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/Random.h"
#include "engine/PlayActions.h"

namespace test {

// Records what the rules ask of the window, in order: "DIBWavList2:3",
// "effect 5", "engine", "stop ticks", "end mission", "quit question". Like a
// real burst, each effect request takes a number from the shared random
// sequence, so tests see how requests and the beam's colours interleave.
struct RecordingActions : engine::PlayActions {
    std::vector<std::string> calls;

    void PlaySound(engine::SoundList list, int index) override {
        const bool first = list == engine::SoundList::DIBWavList1;
        calls.push_back((first ? "DIBWavList1:" : "DIBWavList2:") + std::to_string(index));
    }
    void RequestEffect(uint8_t preset) override {
        core::Random(1000);
        calls.push_back("effect " + std::to_string(preset));
    }
    void PlayEngineSound() override { calls.push_back("engine"); }
    void StopFlightTicks() override { calls.push_back("stop ticks"); }
    void EndMission() override { calls.push_back("end mission"); }
    // The keys as the question leaves them: what a test puts here.
    engine::ShipInput afterQuestion;
    engine::ShipInput AskQuitQuestion() override {
        calls.push_back("quit question");
        return afterQuestion;
    }

    std::vector<std::string> take() { return std::exchange(calls, {}); }
};

}  // namespace test
