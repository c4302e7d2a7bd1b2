#pragma once

#include <memory>
#include <string>

#include "core/Bitmap.h"
#include "core/Briefing.h"
#include "core/MissionTable.h"

namespace app {

namespace packs {
class Pack;
}

// The missions a game is flown through: the ten built in, or a pack's. The
// code that briefs, sets up, flies and ends a mission asks this and never
// knows which; a pack's first mission is "mission 1" to every rule.
class Missions {
  public:
    virtual ~Missions() = default;

    virtual int Count() const = 0;
    // Mission 1 .. Count(); each throws std::out_of_range for another number.
    virtual const core::MissionRow& Row(int number) const = 0;
    virtual const core::BriefingWords& Briefing(int number) const = 0;
    // The mission's cave, decoded; throws an error the player can read when
    // it cannot be.
    virtual core::Bitmap Cave(int number) const = 0;
};

// The game's own ten missions: the mission table, their briefings, and the
// level pictures unpacked into `dataFolder`.
std::unique_ptr<Missions> BuiltInMissions(std::string dataFolder);
// The missions of a pack, which must outlive them.
std::unique_ptr<Missions> PackMissions(const packs::Pack& pack);

}  // namespace app
