// Feeds arbitrary bytes to the reader of the stored sound form, then hands the
// sound it read to the headless back-end as the engine sound, which measures
// its playing time from the WAVE chunks.
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

#include "ScratchFolder.h"
#include "dib/cDIBWavList.h"
#include "platform/Headless.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    dib::TDIBWav sound;
    size_t taken = 0;
    try {
        taken = sound.ReadWavData({data, size});
    } catch (const std::runtime_error&) {
        if (sound.HasWave()) std::abort();  // a failed read leaves no sound
        return 0;
    }
    if (taken != 4 + sound.Wave().size() || taken > size) std::abort();

    const std::string path =
        fuzz::ScratchFolder::get().write("engine1.wav", sound.Wave().data(), sound.Wave().size());
    platform::AudioRecorder audio;
    audio.openEngineSound(path);
    audio.playEngineSound();
    return 0;
}
