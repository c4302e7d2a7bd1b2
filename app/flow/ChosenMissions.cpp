#include "app/flow/ChosenMissions.h"

namespace app {

ChosenMissions::ChosenMissions(std::string dataFolder)
    : current_(BuiltInMissions(std::move(dataFolder))) {}

ChosenMissions::~ChosenMissions() = default;

void ChosenMissions::ChoosePack(packs::Pack pack) {
    auto chosen = std::make_unique<packs::Pack>(std::move(pack));
    current_ = PackMissions(*chosen);
    pack_ = std::move(chosen);
}

}  // namespace app
