#include "Script.h"

#include <sstream>

namespace sim {

std::optional<Command> ScriptReader::next() {
    std::string text;
    while (std::getline(in_, text)) {
        ++line_;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        const size_t start = text.find_first_not_of(" \t");
        if (start == std::string::npos || text[start] == '#') continue;
        Command command;
        command.line = line_;
        const size_t end = text.find_first_of(" \t", start);
        command.word =
            text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (end != std::string::npos) command.rest = text.substr(end + 1);
        std::istringstream words(command.rest);
        for (std::string arg; words >> arg;) command.args.push_back(arg);
        return command;
    }
    return std::nullopt;
}

}  // namespace sim
