#pragma once

#include "dib/cDIBImageList.h"
#include "dib/cDIBWavList.h"
#include "platform/Audio.h"

namespace app {

// The pictures and sounds the program carries inside itself, loaded into the
// image list and the two sound lists before any control that uses them is made.
struct StoredMedia {
    explicit StoredMedia(platform::Audio& audio);

    dib::TDIBImageList DIBImageList1;
    dib::TDIBWavList DIBWavList1;
    dib::TDIBWavList DIBWavList2;
};

}  // namespace app
