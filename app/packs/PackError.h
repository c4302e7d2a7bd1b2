#pragma once

#include <stdexcept>
#include <string>

namespace app::packs {

// Why a mission pack cannot be played. The text names the pack and, where the
// fault has one, the line of its pack.toml, so that the player can tell the
// pack's maker what to mend.
class PackError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// "The pack "caves.tarnwick": " followed by `what`.
[[noreturn]] void FailPack(const std::string& pack, const std::string& what);
// As FailPack, with the line of pack.toml the fault is on.
[[noreturn]] void FailPackLine(const std::string& pack, long line, const std::string& what);

}  // namespace app::packs
