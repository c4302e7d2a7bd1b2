#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

#include "app/CommandLine.h"
#include "app/Program.h"
#include "app/packs/InstalledPacks.h"
#include "app/packs/RecordedPacks.h"
#include "platform/ScriptRecorder.h"
#include "platform/SdlBackend.h"

int main(int argc, char** argv) {
    try {
        app::CommandLine line = app::ParseCommandLine(argc, argv);
        std::string problem;
        app::ProgramPaths paths = app::resolveProgramPaths(std::nullopt, problem);
        if (!line.problem.empty()) problem += (problem.empty() ? "" : "\r\n") + line.problem;
        app::PackChoices packs{line.pack, app::packs::InstalledPacks(paths.packsFolder)};
        // --record FILE (or TARNWICK_RECORD=FILE) writes the game as a tarnwick-sim script
        // that plays it again, naming the packs it was offered. The command line wins.
        const char* variable = std::getenv("TARNWICK_RECORD");
        const std::string recording = line.record ? *line.record : variable ? variable : "";
        const bool recorded = !recording.empty();
        const std::vector<std::string> packLines =
            recorded ? app::packs::RecordedPackLines(packs.given, packs.installed)
                     : std::vector<std::string>();
        platform::SdlBackend backend;
        app::Program program(backend, std::move(paths), std::move(problem), std::move(packs));
        std::unique_ptr<platform::ScriptRecorder> recorder;
        if (recorded) {
            recorder = std::make_unique<platform::ScriptRecorder>(
                recording, program.Loop().clock().startUtc(), packLines);
            program.Loop().setRecorder(recorder.get());
        }
        return program.Run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Tarnwick: %s\n", error.what());
        return 1;
    }
}
