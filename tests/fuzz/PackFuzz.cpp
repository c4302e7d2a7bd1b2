// Reads arbitrary bytes as a mission pack (a ".tarnwick" ZIP) and decodes
// the caves of a pack that passed its checks.
#include <cstdint>
#include <cstdlib>

#include "ScratchFolder.h"
#include "app/packs/Pack.h"
#include "app/packs/PackError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::ScratchFolder::get().write("fuzz.tarnwick", data, size);
    try {
        const app::packs::Pack pack = app::packs::Pack::Read(path);
        const size_t missions = pack.manifest().missions.size();
        if (missions < 1 || missions > static_cast<size_t>(app::packs::kMaxPackMissions))
            std::abort();
        for (size_t number = 1; number <= missions; ++number) {
            const core::Bitmap cave = pack.Cave(static_cast<int>(number));
            if (cave.width() != app::packs::kPackWorldSize) std::abort();
        }
    } catch (const app::packs::PackError&) {
    }
    return 0;
}
