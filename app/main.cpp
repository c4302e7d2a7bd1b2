#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

#include "app/CommandLine.h"
#include "app/Program.h"
#include "platform/ScriptRecorder.h"
#include "platform/SdlBackend.h"

int main(int argc, char** argv) {
    try {
        app::CommandLine line = app::ParseCommandLine(argc, argv);
        std::string problem;
        app::ProgramPaths paths = app::resolveProgramPaths(std::nullopt, problem);
        if (!line.problem.empty()) problem += (problem.empty() ? "" : "\r\n") + line.problem;
        platform::SdlBackend backend;
        app::Program program(backend, std::move(paths), std::move(problem), std::move(line.pack));
        // TARNWICK_RECORD=FILE writes the game as a tarnwick-sim script that plays it again.
        std::unique_ptr<platform::ScriptRecorder> recorder;
        if (const char* path = std::getenv("TARNWICK_RECORD"); path && *path) {
            recorder =
                std::make_unique<platform::ScriptRecorder>(path, program.Loop().clock().startUtc());
            program.Loop().setRecorder(recorder.get());
        }
        return program.Run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Tarnwick: %s\n", error.what());
        return 1;
    }
}
