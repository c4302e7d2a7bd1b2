#include <cstdio>
#include <exception>

#include "app/Program.h"
#include "platform/SdlBackend.h"

int main() {
    try {
        std::string problem;
        app::ProgramPaths paths = app::resolveProgramPaths(std::nullopt, problem);
        platform::SdlBackend backend;
        app::Program program(backend, std::move(paths), std::move(problem));
        return program.Run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Tarnwick: %s\n", error.what());
        return 1;
    }
}
