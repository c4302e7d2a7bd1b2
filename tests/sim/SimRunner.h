#pragma once

// Runs tarnwick-sim on a script, as reviewers and scenario tests do, and
// reads single keys out of the JSON lines it prints.
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../app/TestFiles.h"
#include "core/ArchivePassword.h"

namespace simtest {

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs tarnwick-sim with `script` on standard input and `folder` as the data
// folder. With `programFolder` empty the driver's own folder, where the build
// put the game's shipped files, is the program folder. `environment` holds
// more VARIABLE='value' settings for the run, `options` more of the driver's
// options.
inline RunResult runSim(const std::string& folder, const std::string& script,
                        const std::string& programFolder, const std::string& environment = "",
                        const std::string& options = "") {
    const std::string scriptPath = folder + "script.txt";
    const std::string errPath = folder + "stderr.txt";
    testfiles::writeFile(scriptPath, script);
    const std::string folderOption =
        programFolder.empty() ? "" : " --folder '" + programFolder + "'";
    const std::string command = environment + " TARNWICK_DATA_DIR='" + folder +
                                "' '" TARNWICK_SIM_PATH "'" + folderOption + " " + options +
                                " < '" + scriptPath +
                                "' 2> '" + errPath + "'";
    const testfiles::CommandRun run = testfiles::runCommand(command);
    RunResult result;
    result.status = run.status;
    result.out = run.out;
    result.err = testfiles::readFile(errPath);
    return result;
}

// Program folder and data folder both `folder`: a game without its shipped files.
inline RunResult runSim(const std::string& folder, const std::string& script) {
    return runSim(folder, script, folder);
}

// The raw JSON text of one top-level key of a dump line ("12", "true",
// "\"text\"", "{...}").
inline std::string jsonValue(const std::string& line, const std::string& key) {
    const std::string marker = "\"" + key + "\":";
    const size_t start = line.find(marker);
    if (start == std::string::npos) return "(missing)";
    size_t pos = start + marker.size();
    int depth = 0;
    bool inString = false;
    const size_t from = pos;
    for (; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (inString) {
            if (c == '\\')
                ++pos;
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"') inString = true;
        if (c == '{' || c == '[') ++depth;
        if (c == '}' || c == ']') {
            if (depth == 0) break;
            --depth;
        }
        if (c == ',' && depth == 0) break;
    }
    return line.substr(from, pos - from);
}

inline std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = text.find('\n', pos);
        out.push_back(text.substr(pos, end - pos));
        if (end == std::string::npos) break;
        pos = end + 1;
    }
    return out;
}

// The hidden keys that end a mission as won, held for a control tick.
inline const std::string kSkip =
    "press shift\npress s\npress k\nwait 20\nrelease k\nrelease s\nrelease shift\nwait 20\n";

// Packs the files `names` (shell words) of the folder `pack` into the level
// archive ../level.zip beside it, with the game's password; true on success.
inline bool packLevelArchive(const std::filesystem::path& pack, const std::string& names) {
    const std::string command = "cd '" + pack.string() + "' && zip -q -P " +
                                std::string(core::kLevelArchivePassword) + " ../level.zip " + names;
    return std::system(command.c_str()) == 0;
}

// The `timers` value of a dump: whether the frame, mission, control and
// title ticks run, with the title tick's interval (250 ms before the first
// title tick, 4000 ms after it).
inline std::string timersJson(bool frame, bool mission, bool control, bool title,
                              int titleInterval = 4000) {
    auto timer = [](const char* name, bool enabled, int interval) {
        return std::string("\"") + name + "\":{\"Enabled\":" + (enabled ? "true" : "false") +
               ",\"Interval\":" + std::to_string(interval) + "}";
    };
    return "{" + timer("DIBTimer1", frame, 75) + "," + timer("timer1", mission, 100) + "," +
           timer("DIBTimer2", control, 5) + "," + timer("DIBTimer3", title, titleInterval) + "}";
}

// A screen pinned by a checksum of the window's pixels after `script`, with
// the picture beside the checksum for review. After an intended change of
// the screen, TARNWICK_UPDATE_GOLDEN=1 rewrites both.
inline void expectGoldenFrame(const std::string& name, const std::string& script) {
    testfiles::TemporaryFolder data;
    const bool update = std::getenv("TARNWICK_UPDATE_GOLDEN") != nullptr;
    const std::string golden = std::string(TARNWICK_GOLDEN_DIR "/") + name;
    const std::string picture = update ? golden + ".png" : ::testing::TempDir() + name + ".png";
    const RunResult r = runSim(data.folder(), script + "dump\nshot " + picture + "\n", "");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string quoted = jsonValue(lines(r.out).at(0), "frame");
    const std::string frame = quoted.substr(1, quoted.size() - 2);
    if (update) testfiles::writeFile(golden + ".checksum", frame + "\n");
    EXPECT_EQ(frame + "\n", testfiles::readFile(golden + ".checksum"))
        << name << " changed: compare " << picture << " with " << golden << ".png";
}

}  // namespace simtest
