#include "app/packs/RecordedPacks.h"

#include <filesystem>

#include "app/packs/PackDigest.h"
#include "app/packs/PackError.h"

namespace app::packs {

std::string RecordedPackLine(const RecordedPack& pack) {
    return std::string("pack ") + (pack.given ? "given " : "installed ") + pack.digest + " " +
           pack.name;
}

std::optional<RecordedPack> ParseRecordedPack(const std::string& arguments) {
    const size_t kindEnd = arguments.find(' ');
    if (kindEnd == std::string::npos) return std::nullopt;
    const std::string kind = arguments.substr(0, kindEnd);
    const size_t digestEnd = arguments.find(' ', kindEnd + 1);
    if ((kind != "given" && kind != "installed") || digestEnd == std::string::npos)
        return std::nullopt;
    RecordedPack pack{kind == "given", arguments.substr(kindEnd + 1, digestEnd - kindEnd - 1),
                      arguments.substr(digestEnd + 1)};
    const bool hex = pack.digest.size() == 64 &&
                     pack.digest.find_first_not_of("0123456789abcdef") == std::string::npos;
    if ((!hex && pack.digest != "-") || pack.name.empty()) return std::nullopt;
    return pack;
}

namespace {

std::string digestOrDash(const std::string& path) {
    try {
        return PackDigest(path);
    } catch (const PackError&) {
        return "-";
    }
}

}  // namespace

std::vector<std::string> RecordedPackLines(const std::optional<std::string>& given,
                                           const std::vector<std::string>& installed) {
    std::vector<std::string> lines;
    if (given) lines.push_back(RecordedPackLine({true, digestOrDash(*given), *given}));
    for (const std::string& path : installed)
        lines.push_back(RecordedPackLine(
            {false, digestOrDash(path), std::filesystem::path(path).filename().string()}));
    return lines;
}

}  // namespace app::packs
