#pragma once

#include <string>

#include "app/packs/PackFiles.h"
#include "app/packs/PackManifest.h"
#include "core/Bitmap.h"

namespace app::packs {

// A pack ready to be flown: its missions read and checked, and its files at
// hand for the caves, which are decoded one at a time, at their briefings.
class Pack {
  public:
    // Opens the pack at `path` (a ".tarnwick" ZIP or a folder), reads its
    // pack.toml and checks the header of every cave picture: each must be in
    // the pack and exactly 1280 x 1280 pixels. A mission whose cave is only a
    // source must be drawn first (tarnwick-pack build). Throws PackError.
    static Pack Read(const std::string& path);

    const std::string& fileName() const { return files_.name(); }
    const PackManifest& manifest() const { return manifest_; }
    // The cave of mission `number` (from 1), decoded. Throws PackError.
    core::Bitmap Cave(int number) const;

  private:
    Pack(PackFiles files, PackManifest manifest);

    PackFiles files_;
    PackManifest manifest_;
};

}  // namespace app::packs
