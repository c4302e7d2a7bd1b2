#include "app/flow/PackChoice.h"

#include "app/packs/PackError.h"

namespace app {

PackChoice::PackChoice(platform::EventLoop& loop, ChosenMissions& missions, Screens& screens,
                       dib::TDIBFadeLabel& entry, PackChoices choices)
    : loop_(loop), missions_(missions), screens_(screens), entry_(entry),
      packs_(std::move(choices.installed)) {
    if (choices.given) packs_.insert(packs_.begin(), *choices.given);
    screens_.OfferPackChoice(!packs_.empty());
    if (choices.given) choose(1);
}

void PackChoice::Click() {
    choose((chosen_ + 1) % (packs_.size() + 1));
}

void PackChoice::choose(size_t index) {
    chosen_ = index;
    std::string name;
    if (index > 0) {
        try {
            missions_.ChoosePack(packs::Pack::Read(packs_[index - 1]));
            name = missions_.pack()->manifest().name;
        } catch (const packs::PackError& error) {
            loop_.queueMessage(error.what());
        }
    }
    if (name.empty()) missions_.ChooseBuiltIn();
    entry_.SetCaption("Pack : " + (name.empty() ? std::string("none") : name));
    screens_.SetPackName(name);
}

}  // namespace app
