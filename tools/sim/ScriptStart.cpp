#include "ScriptStart.h"

#include <regex>

namespace sim {

std::optional<ScriptStart> ReadScriptStart(ScriptReader& script) {
    ScriptStart start;
    while (const std::optional<Command> command = script.next()) {
        if (command->word == "clock")
            start.startTime = parseClock(*command);
        else if (command->word == "pack")
            start.packLines.push_back(*command);
        else if (command->word == "start" && command->args.empty())
            return start;
        else
            throw ScriptError(command->line,
                              "the script must start the program before " + command->word);
    }
    return std::nullopt;
}

core::TimeOfDay parseClock(const Command& command) {
    expectArgs(command, 1);
    // Exactly two, two, two and three digits: "12:00:00.5" would otherwise
    // read as 5 ms where a reader sees half a second.
    static const std::regex format(R"((\d\d):(\d\d):(\d\d)\.(\d\d\d))");
    std::smatch parts;
    const std::string& text = command.args[0];
    if (!std::regex_match(text, parts, format))
        throw ScriptError(command.line, "clock takes HH:MM:SS.mmm");
    core::TimeOfDay time;
    time.hour = std::stoi(parts[1]);
    time.minute = std::stoi(parts[2]);
    time.second = std::stoi(parts[3]);
    time.millisecond = std::stoi(parts[4]);
    if (time.hour > 23 || time.minute > 59 || time.second > 59)
        throw ScriptError(command.line, "clock takes HH:MM:SS.mmm");
    return time;
}

}  // namespace sim
