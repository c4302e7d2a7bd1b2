#include "ReplayPacks.h"

#include <map>

#include "app/packs/InstalledPacks.h"
#include "app/packs/PackDigest.h"
#include "app/packs/PackError.h"
#include "app/packs/RecordedPacks.h"

namespace sim {

app::PackChoices ReplayPacks(const std::vector<Command>& packLines,
                             const std::vector<std::string>& packOptions,
                             const std::string& packsFolder) {
    const std::vector<std::string> installed = app::packs::InstalledPacks(packsFolder);
    app::PackChoices choices;
    if (packLines.empty()) {
        choices.installed = installed;
        for (const std::string& pack : packOptions) {
            if (!choices.given)
                choices.given = pack;
            else
                choices.installed.push_back(pack);
        }
        return choices;
    }

    // Every pack at hand, by its digest: --pack first, so that it wins.
    std::map<std::string, std::string> byDigest;
    for (const std::string& path : installed) {
        try {
            byDigest.emplace(app::packs::PackDigest(path), path);
        } catch (const app::packs::PackError&) {
        }
    }
    std::map<std::string, std::string> options;
    for (const std::string& path : packOptions) {
        try {
            const std::string digest = app::packs::PackDigest(path);
            options.emplace(digest, path);
            byDigest[digest] = path;
        } catch (const app::packs::PackError& error) {
            throw ScriptError(packLines.front().line, error.what());
        }
    }
    for (const Command& line : packLines) {
        const std::optional<app::packs::RecordedPack> pack =
            app::packs::ParseRecordedPack(line.rest);
        if (!pack) throw ScriptError(line.line, "not a recorded pack: pack " + line.rest);
        std::string path;
        if (pack->digest == "-") {
            path = pack->given ? pack->name : packsFolder + pack->name;
        } else if (auto found = byDigest.find(pack->digest); found != byDigest.end()) {
            path = found->second;
            options.erase(pack->digest);
        } else {
            throw ScriptError(line.line, "the recording flies the pack " + pack->name +
                                             ": give it with --pack (its SHA-256 is " +
                                             pack->digest + ")");
        }
        if (pack->given)
            choices.given = path;
        else
            choices.installed.push_back(path);
    }
    if (!options.empty())
        throw ScriptError(packLines.front().line,
                          "--pack " + options.begin()->second +
                              " is not a pack this recording flies: its SHA-256 is " +
                              options.begin()->first);
    return choices;
}

}  // namespace sim
