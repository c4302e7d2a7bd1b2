#include "scores/ScoreRecord.h"

#include <array>

namespace scores {
namespace {

// Windows-1252's characters at 0x80 .. 0x9F; 0 where the code page has none.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char toWindows1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

std::string utf8ToWindows1252(const std::string& text) {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        // A stray continuation byte or a cut-off sequence is no character.
        if ((lead & 0xC0) == 0x80 || i + extra >= text.size()) {
            out += '?';
            ++i;
            continue;
        }
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        for (size_t k = 1; k <= extra; ++k)
            c = c << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out += toWindows1252(c);
        i += extra + 1;
    }
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
    return utf8ToWindows1252(name) + '\t' + DifficultyWord(difficulty) + '\t' +
           std::to_string(mission) + '\t' + std::to_string(score) + "\r\n";
}

}  // namespace scores
