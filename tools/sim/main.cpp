// tarnwick-sim: runs the real game without a window on a virtual clock and
// plays the script read from standard input (see the README).
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "Driver.h"
#include "ReplayPacks.h"
#include "Script.h"
#include "ScriptStart.h"
#include "app/Program.h"
#include "platform/Headless.h"

int main(int argc, char** argv) {
    std::optional<std::string> folder;
    std::vector<std::string> packs;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--folder") == 0 && i + 1 < argc) {
            folder = argv[++i];
        } else if (std::strcmp(argv[i], "--pack") == 0 && i + 1 < argc) {
            packs.push_back(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: tarnwick-sim [--folder DIR] [--pack PACK] < script\n");
            return 2;
        }
    }

    sim::ScriptReader script(std::cin);
    try {
        const std::optional<sim::ScriptStart> start = sim::ReadScriptStart(script);
        if (!start) return 0;

        std::string problem;
        app::ProgramPaths paths = app::resolveProgramPaths(folder, problem);
        platform::HeadlessBackend backend(start->startTime);
        app::PackChoices choices = sim::ReplayPacks(start->packLines, packs, paths.packsFolder);
        app::Program program(backend, std::move(paths), std::move(problem), std::move(choices));
        sim::Driver driver(script, program, backend, std::cout);
        backend.setDriver([&driver](platform::HeadlessBackend&) { driver.next(); });
        const int status = program.Run();
        std::cout.flush();
        if (const auto& failure = driver.failure()) throw *failure;
        return status;
    } catch (const sim::ScriptError& error) {
        std::cout.flush();
        std::fprintf(stderr, "tarnwick-sim: line %d: %s\n", error.line(), error.what());
        return 2;
    } catch (const std::exception& error) {
        std::cout.flush();
        std::fprintf(stderr, "tarnwick-sim: %s\n", error.what());
        return 1;
    }
}
