#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Builds the overall high-score page from the score files the game uploads by
// FTP. The uploads come from anybody who can reach the server, so every file
// is checked against the exact form the game writes and anything else is left
// out of the table rather than trusted.
namespace highscores {

// One file of the uploads folder as found on disk.
struct Upload {
    std::string fileName;
    std::string content;  // raw bytes, Windows-1252
};

// A record that passed every check.
struct Score {
    std::string fileName;
    uint32_t dateWord = 0;  // the file name's DOS date-time word
    std::string name;       // raw Windows-1252 bytes, blanks kept
    std::string difficulty;
    int mission = 0;
    int32_t score = 0;
    std::string content;
};

struct Table {
    std::vector<Score> scores;        // in ranking order
    std::vector<std::string> broken;  // file names of skipped records, sorted
    int repeats = 0;                  // identical uploads left out
};

// The DOS date-time word a score file is named after, when the name is the
// game's form: a signed 32-bit decimal followed by ".zlb".
std::optional<uint32_t> dateWordOfFileName(std::string_view fileName);

// Checks one upload against the record the game writes.
std::optional<Score> parseScore(const Upload& upload);

// Ranks by score (highest first), then earlier upload, then file name.
Table buildTable(std::vector<Upload> uploads);

// "YYYY-MM-DD HH:MM:SS" from the FAT fields of the word, as stored.
std::string formatDateWord(uint32_t word);

std::string windows1252ToUtf8(std::string_view bytes);
std::string escapeHtml(std::string_view text);

std::string renderPage(const Table& table);

// Every "*.zlb" regular file of the folder. Other files (the page itself, the
// web server's own files) are not uploads and are ignored. Throws
// std::runtime_error naming the folder when it cannot be read.
std::vector<Upload> readUploads(const std::filesystem::path& folder);

// Writes under a temporary name beside the target and renames it into place,
// so that a web server never serves half a page. Throws std::runtime_error
// naming the path on failure.
void writeFileAtomically(const std::filesystem::path& target, std::string_view data);

// The whole program: arguments without the program name. Returns the exit
// status: 0 done, 1 folder or page failure, 2 bad usage.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace highscores
