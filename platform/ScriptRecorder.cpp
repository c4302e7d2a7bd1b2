#include "ScriptRecorder.h"

#include <cstdio>
#include <stdexcept>

#include "KeyNames.h"

namespace platform {
namespace {

std::string clockLine(const core::TimeOfDay& time) {
    char text[32];
    std::snprintf(text, sizeof text, "clock %02d:%02d:%02d.%03d", time.hour, time.minute,
                  time.second, time.millisecond);
    return text;
}

std::string pointerLine(const char* word, const Event& event) {
    return std::string(word) + ' ' + std::to_string(event.x) + ' ' + std::to_string(event.y);
}

// The script line for an input event; empty for events that change nothing
// the game keeps (a repaint) or that the player cannot cause.
std::string inputLine(const Event& event) {
    switch (event.type) {
        case Event::Type::KeyDown:
            return "keydown " + keyName(event.key) + (event.repeat ? " repeat" : "");
        case Event::Type::KeyUp:
            return "keyup " + keyName(event.key);
        case Event::Type::Char:
            return "char " + std::to_string(static_cast<uint32_t>(event.ch));
        case Event::Type::MouseMove:
            return pointerLine("mousemove", event);
        case Event::Type::MouseDown:
            return pointerLine("mousedown", event);
        case Event::Type::MouseUp:
            return pointerLine("mouseup", event);
        case Event::Type::Close:
            return "quit";
        case Event::Type::MusicEnded:
            return "musicended";
        case Event::Type::Expose:
        case Event::Type::Call:
        case Event::Type::Quit:
            return {};
    }
    return {};
}

}  // namespace

ScriptRecorder::ScriptRecorder(const std::string& path, const core::TimeOfDay& startUtc,
                               const std::vector<std::string>& setup)
    : path_(path), out_(path, std::ios::trunc) {
    if (!out_) throw std::runtime_error("Cannot write the recording " + path);
    write("# Tarnwick recording: tarnwick-sim < this file plays the game again");
    write(clockLine(startUtc));
    for (const std::string& line : setup) write(line);
    write("start");
}

void ScriptRecorder::tick(uint64_t atMs, uint32_t periodMs) {
    write("tick " + std::to_string(atMs) + ' ' + std::to_string(periodMs));
    clockAt_ = atMs;
}

void ScriptRecorder::input(uint64_t atMs, const Event& event) {
    const std::string line = inputLine(event);
    if (line.empty()) return;
    if (atMs != clockAt_) write("at " + std::to_string(atMs));
    clockAt_ = atMs;
    write(line);
}

void ScriptRecorder::write(const std::string& line) {
    if (failed_) return;
    out_ << line << '\n' << std::flush;
    if (out_) return;
    // A full disk ends the recording, not the game.
    failed_ = true;
    std::fprintf(stderr, "Tarnwick: the recording %s could not be written on\n", path_.c_str());
}

}  // namespace platform
