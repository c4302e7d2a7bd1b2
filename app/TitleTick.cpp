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
    // The frame tick animates (and retires) the bursts. It starts, and the
    // bursts slow to their period, before the title world is loaded: a world
    // that cannot be loaded shows its box once, and the title runs on without
    // it instead of piling up a burst every quarter second.
    DIBTimer1.SetEnabled(true);
    // Only the first tick finds the short interval: it brings in the title world.
    if (DIBTimer3.Interval() < kBurstPeriodMs) {
        DIBTimer3.SetInterval(kBurstPeriodMs);
        Pictures.HandIn(Effects, LoadPictureFile(paths_.dataFolder + "level_Main.jpg"));
        Play.Image1.Show();
    }
}

}  // namespace app
