#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/flow/ChosenMissions.h"
#include "app/flow/Screens.h"
#include "dib/cDIBFadeLabel.h"
#include "platform/EventLoop.h"

namespace app {

// The packs the title offers, in the order its choice goes through them: the
// one named on the command line, which is chosen at once, and the installed.
struct PackChoices {
    std::optional<std::string> given;
    std::vector<std::string> installed;
};

// The title's choice of missions: the game's own ten, the pack named on the
// command line, and the packs installed in the packs folder, each click on
// the entry the next in turn. A pack is read when it is chosen; one that
// cannot be read shows its box and the game's own missions are chosen, the
// next click going on to the pack after it. With no pack given or installed
// the entry never shows, and the title is the classic one.
class PackChoice {
  public:
    PackChoice(platform::EventLoop& loop, ChosenMissions& missions, Screens& screens,
               dib::TDIBFadeLabel& entry, PackChoices choices);

    void Click();

  private:
    void choose(size_t index);

    platform::EventLoop& loop_;
    ChosenMissions& missions_;
    Screens& screens_;
    dib::TDIBFadeLabel& entry_;
    std::vector<std::string> packs_;
    size_t chosen_ = 0;  // 0: the game's own missions, else packs_[chosen_ - 1]
};

}  // namespace app
