#pragma once

#include <memory>
#include <string>

#include "app/flow/Missions.h"
#include "app/packs/Pack.h"

namespace app {

// The missions the next game flies: the built-in ten until a pack is chosen.
// The game flow holds this one object and asks it as it asks any Missions,
// so choosing a pack changes what it flies without its knowing.
class ChosenMissions : public Missions {
  public:
    explicit ChosenMissions(std::string dataFolder);
    ~ChosenMissions() override;

    void ChoosePack(packs::Pack pack);
    void ChooseBuiltIn();
    // The chosen pack, or nullptr for the built-in missions.
    const packs::Pack* pack() const { return pack_.get(); }

    int Count() const override { return current_->Count(); }
    const core::MissionRow& Row(int number) const override { return current_->Row(number); }
    const core::BriefingWords& Briefing(int number) const override {
        return current_->Briefing(number);
    }
    core::Bitmap Cave(int number) const override { return current_->Cave(number); }

  private:
    std::string dataFolder_;
    std::unique_ptr<packs::Pack> pack_;
    std::unique_ptr<Missions> current_;
};

}  // namespace app
