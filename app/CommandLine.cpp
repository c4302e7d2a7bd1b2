#include "app/CommandLine.h"

namespace app {

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    const auto complain = [&line](const std::string& text) {
        line.problem += (line.problem.empty() ? "" : "\r\n") + text;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--record" && i + 1 < argc && argv[i + 1][0] != '\0')
            line.record = argv[++i];
        else if (argument == "--record")
            complain("--record needs the file to write the recording into.");
        else if (argument.size() > 1 && argument.front() == '-')
            complain("Tarnwick has no option " + argument +
                     ": it takes --record FILE and one mission pack.");
        else if (line.pack)
            complain("Tarnwick flies one mission pack at a time: " + argument + " is left out.");
        else
            line.pack = argument;
    }
    return line;
}

}  // namespace app
