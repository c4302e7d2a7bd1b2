#include "app/StoredMedia.h"

#include "assets/StoredPictures.h"
#include "assets/StoredSounds.h"

namespace app {

StoredMedia::StoredMedia(platform::Audio& audio)
    : DIBWavList1(audio, "DIBWavList1"), DIBWavList2(audio, "DIBWavList2") {
    dib::LoadStoredPictures(DIBImageList1, assets::storedPictures());
    dib::LoadStoredSounds(DIBWavList1, assets::storedSoundsList1());
    dib::LoadStoredSounds(DIBWavList2, assets::storedSoundsList2());
}

}  // namespace app
