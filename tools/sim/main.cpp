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
        // The 15th of June 2005, noon UTC, unless the script sets the time.
        core::TimeOfDay startTime;
        std::vector<sim::Command> packLines;
        bool started = false;
        while (!started) {
            const std::optional<sim::Command> command = script.next();
            if (!command) return 0;
            if (command->word == "clock")
                startTime = sim::parseClock(*command);
            else if (command->word == "pack")
                packLines.push_back(*command);
            else if (command->word == "start" && command->args.empty())
                started = true;
            else
                throw sim::ScriptError(command->line,
                                       "the script must start the program before " + command->word);
        }

        std::string problem;
        app::ProgramPaths paths = app::resolveProgramPaths(folder, problem);
        platform::HeadlessBackend backend(startTime);
        app::PackChoices choices = sim::ReplayPacks(packLines, packs, paths.packsFolder);
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
