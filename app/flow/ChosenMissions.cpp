#include "app/flow/ChosenMissions.h"

namespace app {

ChosenMissions::ChosenMissions(std::string dataFolder)
    : dataFolder_(std::move(dataFolder)), current_(BuiltInMissions(dataFolder_)) {}

ChosenMissions::~ChosenMissions() = default;

void ChosenMissions::ChoosePack(packs::Pack pack) {
    auto chosen = std::make_unique<packs::Pack>(std::move(pack));
    current_ = PackMissions(*chosen);
    pack_ = std::move(chosen);
}

void ChosenMissions::ChooseBuiltIn() {
    current_ = BuiltInMissions(dataFolder_);
    pack_.reset();
}

}  // namespace app
