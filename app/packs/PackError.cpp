#include "app/packs/PackError.h"

namespace app::packs {

void FailPack(const std::string& pack, const std::string& what) {
    throw PackError("The pack \"" + pack + "\": " + what);
}

void FailPackLine(const std::string& pack, long line, const std::string& what) {
    FailPack(pack, "pack.toml line " + std::to_string(line) + ": " + what);
}

}  // namespace app::packs
