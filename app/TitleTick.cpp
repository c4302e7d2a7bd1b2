// The title tick: the first title screen's world and its particle bursts.
#include "app/Form1.h"
#include "app/PictureFile.h"

namespace app {

namespace {
// The first tick comes a quarter second after start; then a burst every 4 s.
constexpr uint32_t kBurstPeriodMs = 4000;
}  // namespace

void TForm1::DIBTimer3Timer() {
    Effects.effectPreset = 8;
    SpawnEffect();
    // Only the first tick finds the short interval: it brings in the title world.
    if (DIBTimer3.Interval() < kBurstPeriodMs) {
        Pictures.HandIn(Effects, LoadPictureFile(paths_.dataFolder + "level_Main.jpg"));
        Play.Image1.Show();
        DIBTimer3.SetInterval(kBurstPeriodMs);
    }
    DIBTimer1.SetEnabled(true);
}

}  // namespace app
