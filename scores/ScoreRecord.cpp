#include "scores/ScoreRecord.h"

#include "core/Utf8.h"
#include "core/Windows1252.h"

namespace scores {
namespace {

// The name field holds UTF-8; the record is written in Windows-1252.
std::string toWindows1252(const std::string& text) {
    std::string out;
    for (const char32_t c : core::FromUtf8(text)) out += core::ToWindows1252(c);
    return out;
}

}  // namespace

int32_t DosDateTime(const core::TimeOfDay& t) {
    if (t.year < 1980 || t.year > 2107) return 0;
    const uint32_t date = static_cast<uint32_t>(t.year - 1980) << 9 |
                          static_cast<uint32_t>(t.month) << 5 | static_cast<uint32_t>(t.day);
    const uint32_t time = static_cast<uint32_t>(t.hour) << 11 |
                          static_cast<uint32_t>(t.minute) << 5 |
                          static_cast<uint32_t>(t.second / 2);
    return static_cast<int32_t>(date << 16 | time);
}

std::string DifficultyWord(int difficulty) {
    switch (difficulty) {
        case 1:
            return "Beginner";
        case 2:
            return "Normal";
        default:
            return "Expert";
    }
}

std::string ScoreRecord(const std::string& name, int difficulty, int32_t mission, int32_t score) {
    return toWindows1252(name) + '\t' + DifficultyWord(difficulty) + '\t' +
           std::to_string(mission) + '\t' + std::to_string(score) + "\r\n";
}

}  // namespace scores
