#include "HighScores.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <ostream>
#include <set>
#include <stdexcept>
#include <system_error>

#include "core/Utf8.h"
#include "core/Windows1252.h"

namespace highscores {

namespace fs = std::filesystem;

namespace {

// A record is at most 40 bytes (15-byte name, "Beginner", "11", ten digits,
// three TABs, CR LF). Reading a little more than that is enough to see an
// oversized upload fail the checks, without ever reading it whole: the folder
// is writable by anybody with the game's FTP account.
constexpr size_t kReadLimit = 256;

constexpr size_t kLongestName = 15;

// A decimal exactly as the game prints numbers: digits, no sign, no leading
// zero. Anything else did not come from the game, so it is not trusted.
std::optional<int64_t> plainDecimal(std::string_view s) {
    if (s.empty() || s.size() > 10 || (s[0] == '0' && s.size() > 1)) return std::nullopt;
    int64_t value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool isDifficultyWord(std::string_view w) {
    return w == "Beginner" || w == "Normal" || w == "Expert";
}

// The name field only takes printable characters; a control byte means the
// file was not written by the game.
bool isPlayerName(std::string_view name) {
    if (name.size() > kLongestName) return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        auto b = static_cast<unsigned char>(c);
        return b < 0x20 || b == 0x7F;
    });
}

std::string counted(size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

const char* kUsage =
    "usage: highscores <uploads-folder> <output-file-or-folder>\n"
    "Reads the uploaded score files (<DOS date-time>.zlb) of the uploads folder and\n"
    "writes the overall table as HTML; given a folder, the page is its overall.htm.\n";

}  // namespace

std::optional<uint32_t> dateWordOfFileName(std::string_view fileName) {
    constexpr std::string_view kExt = ".zlb";
    if (fileName.size() <= kExt.size() || !fileName.ends_with(kExt)) return std::nullopt;
    std::string_view stem = fileName.substr(0, fileName.size() - kExt.size());
    bool negative = stem.starts_with('-');
    if (negative) stem.remove_prefix(1);
    auto magnitude = plainDecimal(stem);
    if (!magnitude || (negative && *magnitude == 0)) return std::nullopt;
    int64_t value = negative ? -*magnitude : *magnitude;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    // The game prints the word as a signed number; the date lives in its bits.
    return static_cast<uint32_t>(static_cast<int32_t>(value));
}

std::optional<Score> parseScore(const Upload& upload) {
    auto word = dateWordOfFileName(upload.fileName);
    if (!word) return std::nullopt;
    std::string_view text = upload.content;
    if (!text.ends_with("\r\n")) return std::nullopt;
    // A second line needs no check of its own: its CR or LF lands inside a
    // field, and no field accepts control characters.
    std::string_view line = text.substr(0, text.size() - 2);

    std::vector<std::string_view> fields;
    for (size_t start = 0;;) {
        size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos) break;
        start = tab + 1;
    }
    if (fields.size() != 4 || !isPlayerName(fields[0]) || !isDifficultyWord(fields[1]))
        return std::nullopt;
    auto mission = plainDecimal(fields[2]);
    auto score = plainDecimal(fields[3]);
    if (!mission || *mission < 1 || *mission > 11 || !score || *score < 1 || *score > INT32_MAX)
        return std::nullopt;

    Score s;
    s.fileName = upload.fileName;
    s.dateWord = *word;
    s.name = fields[0];
    s.difficulty = fields[1];
    s.mission = static_cast<int>(*mission);
    s.score = static_cast<int32_t>(*score);
    s.content = upload.content;
    return s;
}

Table buildTable(std::vector<Upload> uploads) {
    Table table;
    std::vector<Score> valid;
    for (const Upload& u : uploads) {
        if (auto s = parseScore(u))
            valid.push_back(std::move(*s));
        else
            table.broken.push_back(u.fileName);
    }
    std::sort(table.broken.begin(), table.broken.end());

    // The FAT fields are packed from year down to seconds, so comparing the
    // words unsigned compares the upload dates.
    std::sort(valid.begin(), valid.end(), [](const Score& a, const Score& b) {
        if (a.score != b.score) return a.score > b.score;
        if (a.dateWord != b.dateWord) return a.dateWord < b.dateWord;
        return a.fileName < b.fileName;
    });

    // A player who presses "Upload" again after a failure message sends the
    // same line a second time; it is one result, shown with its first upload.
    // Equal content means equal score, so the first seen is the earliest.
    std::set<std::string> seen;
    for (Score& s : valid) {
        if (seen.insert(s.content).second)
            table.scores.push_back(std::move(s));
        else
            ++table.repeats;
    }
    return table;
}

std::string formatDateWord(uint32_t w) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04u-%02u-%02u %02u:%02u:%02u", 1980 + (w >> 25),
                  (w >> 21) & 0x0F, (w >> 16) & 0x1F, (w >> 11) & 0x1F, (w >> 5) & 0x3F,
                  2 * (w & 0x1F));
    return buf;
}

std::string windows1252ToUtf8(std::string_view bytes) {
    std::u32string text;
    for (const char c : bytes) text += core::FromWindows1252(static_cast<uint8_t>(c));
    return core::ToUtf8(text);
}

std::string escapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string renderPage(const Table& table) {
    std::string page =
        "<!DOCTYPE html>\n"
        "<html lang=\"en\">\n"
        "<head>\n"
        "<meta charset=\"utf-8\">\n"
        "<title>Tarnwick high scores</title>\n"
        "<style>\n"
        "body { font-family: sans-serif; background: #000; color: #ddd; }\n"
        "table { border-collapse: collapse; }\n"
        "th, td { padding: 2px 10px; text-align: right; }\n"
        // Names keep the blanks the player typed.
        "td.name { text-align: left; white-space: pre; }\n"
        "</style>\n"
        "</head>\n"
        "<body>\n"
        "<h1>Tarnwick high scores</h1>\n";
    page += "<p>" + counted(table.scores.size(), "score", "scores") + " listed";
    if (table.repeats > 0)
        page +=
            ", " + counted(table.repeats, "repeated upload", "repeated uploads") + " counted once";
    page +=
        ", " + counted(table.broken.size(), "broken record", "broken records") + " skipped.</p>\n";
    page +=
        "<table>\n"
        "<thead><tr><th>Rank</th><th>Name</th><th>Difficulty</th><th>Mission</th><th>Score</th>"
        "<th>Uploaded</th></tr></thead>\n"
        "<tbody>\n";
    int rank = 0;
    for (const Score& s : table.scores) {
        page += "<tr><td>" + std::to_string(++rank) + "</td><td class=\"name\">" +
                escapeHtml(windows1252ToUtf8(s.name)) + "</td><td>" + s.difficulty + "</td><td>" +
                std::to_string(s.mission) + "</td><td>" + std::to_string(s.score) + "</td><td>" +
                formatDateWord(s.dateWord) + "</td></tr>\n";
    }
    page += "</tbody>\n</table>\n</body>\n</html>\n";
    return page;
}

std::vector<Upload> readUploads(const fs::path& folder) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        throw std::runtime_error("cannot read the uploads folder " + folder.string() + ": " +
                                 ec.message());
    std::vector<Upload> uploads;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        std::string name = it->path().filename().string();
        std::error_code typeError;
        if (!name.ends_with(".zlb") || !it->is_regular_file(typeError)) continue;
        // An upload that cannot be opened keeps empty content and so counts
        // as broken: the table is still built from the others.
        Upload u{name, {}};
        std::ifstream in(it->path(), std::ios::binary);
        if (in) {
            u.content.resize(kReadLimit + 1);
            in.read(u.content.data(), static_cast<std::streamsize>(u.content.size()));
            u.content.resize(static_cast<size_t>(in.gcount()));
        }
        uploads.push_back(std::move(u));
    }
    if (ec)
        throw std::runtime_error("cannot read the uploads folder " + folder.string() + ": " +
                                 ec.message());
    return uploads;
}

void writeFileAtomically(const fs::path& target, std::string_view data) {
    auto fail = [&](int error) {
        throw std::runtime_error("cannot write " + target.string() + ": " + std::strerror(error));
    };
    fs::path dir = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::string temp = (dir / ("." + target.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(temp.data());
    if (fd < 0) fail(errno);
    // mkstemp makes the file private; the web server has to read the page.
    mode_t mask = ::umask(0);
    ::umask(mask);
    int error = 0;
    if (::fchmod(fd, 0666 & ~mask) != 0) error = errno;
    for (size_t done = 0; error == 0 && done < data.size();) {
        ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno != EINTR)
            error = errno;
        else if (n > 0)
            done += static_cast<size_t>(n);
    }
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        fail(error);
    }
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "-h" || args[0] == "--help")) {
        out << kUsage;
        return 0;
    }
    if (args.size() != 2 || args[0].empty() || args[1].empty()) {
        err << kUsage;
        return 2;
    }
    try {
        Table table = buildTable(readUploads(args[0]));
        fs::path target = args[1];
        std::error_code ec;
        if (args[1].ends_with('/') || fs::is_directory(target, ec)) target /= "overall.htm";
        writeFileAtomically(target, renderPage(table));
    } catch (const std::exception& e) {
        err << "highscores: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace highscores
