#pragma once

#include <string>

#include "platform/Backend.h"

namespace app {

// The title screen's links: each opens its page in the player's browser and
// returns at once; the game shows none of them itself.
class WebPages {
  public:
    explicit WebPages(platform::Backend& backend) : backend_(backend) {}

    // The game's home page, which the notice along the bottom edge stands for.
    static std::string HomePage();

    void DIBFadeLabel2Click();         // "High Score": the overall table
    void DIBFadeLabel7Click();         // "Goto Fenmarrow"
    void DIBFadeLabel8Click();         // "Goto Quillbright"
    void DIBFadeLabel9Click();         // "Goto Forum"
    void URLtransparantLabel1Click();  // the notice: the home page

  private:
    platform::Backend& backend_;
};

}  // namespace app
