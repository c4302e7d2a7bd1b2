#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/ProgramPaths.h"
#include "app/flow/PackChoice.h"
#include "platform/Backend.h"
#include "platform/EventLoop.h"

namespace app {

class TForm1;
class TForm2;

// Finds the program folder (or takes the given one), the program's name and
// the data folder. A data folder that cannot be chosen is reported in
// `problem` and the program folder is used instead.
ProgramPaths resolveProgramPaths(const std::optional<std::string>& programFolderOverride,
                                 std::string& problem);

// The program entry: creates the main window (which unpacks the level
// archive), then the music window, shows the main window and runs the loop
// until the program ends. The real game and tarnwick-sim differ only in the
// back-end they pass.
class Program {
  public:
    static constexpr const char* kApplicationTitle = "Tarnwick";

    // `packs`: the mission packs the title offers, the one given on the
    // command line chosen at once (one that cannot be read shows its box and
    // the game starts with its own missions).
    Program(platform::Backend& backend, ProgramPaths paths, std::string startupProblem = {},
            PackChoices packs = {});
    ~Program();

    int Run();

    platform::EventLoop& Loop() { return loop_; }
    TForm1* Form1() { return form1_.get(); }
    TForm2* Form2() { return form2_.get(); }

  private:
    platform::EventLoop loop_;
    ProgramPaths paths_;
    std::string startupProblem_;
    PackChoices packs_;
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TForm2> form2_;
};

}  // namespace app
