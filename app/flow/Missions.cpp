#include "app/flow/Missions.h"

#include <stdexcept>

#include "app/PictureFile.h"
#include "app/flow/Briefings.h"
#include "app/packs/Pack.h"

namespace app {
namespace {

class BuiltIn : public Missions {
  public:
    explicit BuiltIn(std::string dataFolder) : dataFolder_(std::move(dataFolder)) {}

    int Count() const override { return core::kMissionCount; }
    const core::MissionRow& Row(int number) const override { return core::missionRow(number); }
    const core::BriefingWords& Briefing(int number) const override {
        return BuiltInBriefing(number);
    }
    core::Bitmap Cave(int number) const override {
        return LoadPictureFile(dataFolder_ + "level" + std::to_string(Row(number).picture) +
                               "_big.jpg");
    }

  private:
    std::string dataFolder_;
};

class FromPack : public Missions {
  public:
    explicit FromPack(const packs::Pack& pack) : pack_(pack) {}

    int Count() const override { return static_cast<int>(pack_.manifest().missions.size()); }
    const core::MissionRow& Row(int number) const override { return mission(number).row; }
    const core::BriefingWords& Briefing(int number) const override {
        return mission(number).briefing;
    }
    core::Bitmap Cave(int number) const override {
        mission(number);
        return pack_.Cave(number);
    }

  private:
    const packs::PackMission& mission(int number) const {
        if (number < 1 || number > Count())
            throw std::out_of_range("the pack has no mission " + std::to_string(number));
        return pack_.manifest().missions[static_cast<size_t>(number - 1)];
    }

    const packs::Pack& pack_;
};

}  // namespace

std::unique_ptr<Missions> BuiltInMissions(std::string dataFolder) {
    return std::make_unique<BuiltIn>(std::move(dataFolder));
}

std::unique_ptr<Missions> PackMissions(const packs::Pack& pack) {
    return std::make_unique<FromPack>(pack);
}

}  // namespace app
