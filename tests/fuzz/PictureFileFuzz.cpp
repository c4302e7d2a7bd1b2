// Loads arbitrary bytes as a JPEG picture file.
#include <cstdint>
#include <cstdlib>

#include "ScratchFolder.h"
#include "app/PictureFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::ScratchFolder::get().write("picture.jpg", data, size);
    try {
        const core::Bitmap picture = app::LoadPictureFile(path);
        if (picture.width() > app::kMaxPictureSide || picture.height() > app::kMaxPictureSide)
            std::abort();
    } catch (const app::PictureError&) {
    }
    return 0;
}
