#include "app/Program.h"

#include <exception>

#include "app/DataFolder.h"
#include "app/Form1.h"
#include "app/Form2.h"
#include "app/ProgramFolder.h"

namespace app {

ProgramPaths resolveProgramPaths(const std::optional<std::string>& programFolderOverride,
                                 std::string& problem) {
    ProgramPaths paths;
    const std::string executable = executablePath();
    paths.programName = executable.substr(executable.find_last_of('/') + 1);
    paths.programFolder = programFolderOf(executable);
    if (programFolderOverride) {
        paths.programFolder = *programFolderOverride;
        if (paths.programFolder.empty() || paths.programFolder.back() != '/')
            paths.programFolder += '/';
    }
    paths.packsFolder = packsFolder();
    try {
        paths.dataFolder = chooseDataFolder(paths.programFolder, problem);
    } catch (const std::exception& error) {
        problem += (problem.empty() ? "" : "\r\n") + std::string(error.what());
        paths.dataFolder = paths.programFolder;
    }
    return paths;
}

Program::Program(platform::Backend& backend, ProgramPaths paths, std::string startupProblem,
                 PackChoices packs)
    : loop_(backend),
      paths_(std::move(paths)),
      startupProblem_(std::move(startupProblem)),
      packs_(std::move(packs)) {}

Program::~Program() = default;

int Program::Run() {
    if (!startupProblem_.empty()) loop_.queueMessage(startupProblem_);

    form1_ = std::make_unique<TForm1>(loop_, paths_, std::move(packs_));
    // An error while the window is created skips the rest of its creation;
    // the box shows once the window is up and the program goes on.
    try {
        form1_->FormCreate();
    } catch (const std::exception& error) {
        loop_.queueMessage(error.what());
    }
    form2_ = std::make_unique<TForm2>(loop_);

    form1_->ShowWindow(kApplicationTitle);
    try {
        form1_->FormShow(*form2_);
    } catch (const std::exception& error) {
        loop_.queueMessage(error.what());
    }
    loop_.run();

    form1_->FormDestroy();
    form2_.reset();
    form1_.reset();
    return 0;
}

}  // namespace app
