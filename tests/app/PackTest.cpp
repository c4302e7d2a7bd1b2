// Mission packs as a stranger may send them: pack.toml read into missions,
// every fault named with its line, and the files of a ZIP or a folder read
// into memory with nothing outside the pack reachable.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "TestPng.h"
#include "app/packs/Pack.h"
#include "app/packs/PackError.h"
#include "app/packs/PackFiles.h"
#include "app/packs/PackManifest.h"

namespace {

using app::packs::PackError;
using app::packs::PackFiles;
using testfiles::TemporaryFolder;
namespace fs = std::filesystem;

const std::string kHeader = "name = \"Training Caves\"\nauthor = \"Ann\"\nversion = \"1.0\"\n";

// A mission with an enemy; `extra` lines go in before its briefing.
std::string mission(const std::string& extra = "") {
    return "[[missions]]\n"
           "picture = \"caves/hook.png\"\n"
           "gravity = 0.1\n"
           "ship = [86, 60]\n"
           "cargo = [430, 280]\n"
           "collector = [100, 315]\n"
           "exit = [510, 470]\n"
           "enemy = [226, 370]\n"
           "beam = 150\n" +
           extra +
           "[missions.briefing]\n"
           "spawn = \"Inside cave\"\n"
           "gravity = \"Light\"\n"
           "bombs = \"No\"\n"
           "level = \"Easy\"\n"
           "details = [\"Theres a bit of planet\", \"gravity\"]\n";
}

// The mission with its first `from` replaced by `to`.
std::string changed(const std::string& from, const std::string& to) {
    std::string text = mission();
    text.replace(text.find(from), from.size(), to);
    return text;
}

std::string errorOf(const std::string& toml) {
    try {
        app::packs::ParseManifest(toml, "caves.tarnwick");
    } catch (const PackError& error) {
        return error.what();
    }
    return "no error";
}

TEST(PackManifest, AMissionIsATableRowWithItsBriefingWords) {
    const std::string noEnemy = "[[missions]]\nsource = \"first.level\"\ngravity = -0.01\n"
                                "ship = [152, 90]\ncargo = [582, 128]\ncollector = [196, 1080]\n"
                                "exit = [1060, 140]\nenemy = \"none\"\n[missions.briefing]\n"
                                "spawn = \"Inside cave\"\ngravity = \"INVERTED\"\nbombs = \"Yes\"\n"
                                "level = \"Very Hard\"\ndetails = [\"Fly \u00fcp\", \"\"]\n";
    const app::packs::PackManifest pack =
        app::packs::ParseManifest(kHeader + noEnemy + mission(), "caves.tarnwick");
    EXPECT_EQ(pack.name, "Training Caves");
    ASSERT_EQ(pack.missions.size(), 2u);
    const app::packs::PackMission& first = pack.missions[0];
    EXPECT_EQ(first.source, "first.level");
    EXPECT_EQ(first.picture, "");
    EXPECT_EQ(first.line, 4);
    EXPECT_EQ(first.row.number, 1);
    EXPECT_EQ(first.row.gravity, -0.01);
    EXPECT_EQ(first.row.scrollX, 144) << "the ship starts at 296 - scrollX";
    EXPECT_EQ(first.row.scrollY, 40);
    EXPECT_FALSE(first.row.hasEnemy);
    EXPECT_EQ(first.briefing.details1, "Fly \u00fcp");
    const app::packs::PackMission& second = pack.missions[1];
    EXPECT_EQ(second.picture, "caves/hook.png");
    EXPECT_EQ(second.row.number, 2);
    EXPECT_TRUE(second.row.hasEnemy);
    EXPECT_EQ(second.row.enemyX, 226);
    EXPECT_EQ(second.row.beamLength, 150);
    EXPECT_EQ(second.row.collectorY, 315);
    EXPECT_EQ(second.briefing.gravity, "Light");
}

TEST(PackManifest, EveryFaultNamesThePackItsLineAndWhatIsWrong) {
    std::string thirtyOne;
    for (int i = 0; i < 31; ++i) thirtyOne += mission();
    const std::string longDetails(37, 'x');
    std::string manyWords;
    for (int i = 0; i < 50; ++i) manyWords += "ab ";
    const struct {
        std::string toml;
        std::string expected;
    } cases[] = {
        {kHeader + "[[missions]\n", "line 4:"},
        {kHeader + changed("gravity = 0.1", "gravity = 0.9"),
         "line 6: \"gravity\" is 0.9, outside -0.5 to 0.8"},
        {kHeader + changed("ship = [86, 60]", "ship = [2, 60]"),
         "line 7: \"ship x\" is 2, outside 6 to 1246"},
        {kHeader + changed("exit = [510, 470]\n", ""),
         "line 4: \"exit\" is missing in mission 1"},
        {kHeader + changed("beam = 150\n", ""),
         "line 11: \"beam\" is missing in mission 1"},
        {kHeader + changed("enemy = [226, 370]", "enemy = \"none\""),
         "line 12: \"beam\" without an enemy"},
        {kHeader + changed("beam = 150", "beam = 16"),
         "\"beam\" is 16, outside 17 to 1280"},
        {kHeader + mission("gravty = 0.1\n"), "line 13: unknown key \"gravty\" in mission 1"},
        {kHeader + mission("source = \"a.level\"\n"), "line 13: give either"},
        {kHeader + changed("caves/hook.png", "../hook.png"),
         "line 5: \"../hook.png\" is no name of a file inside the pack"},
        {kHeader + changed("cargo = [430, 280]", "cargo = 5"),
         "line 8: \"cargo\" must be [x, y]"},
        {kHeader + changed("\"Light\"", "\"Lightest of them all\""),
         "line 15: \"gravity\" is longer than 19 characters"},
        {kHeader + changed("\"gravity\"]", "\"" + longDetails + "\"]"),
         "line 18: a word of the details is longer"},
        {kHeader + changed("\"gravity\"]", "\"" + manyWords + "\"]"),
         "line 18: the briefing takes more than the box's 12 lines"},
        {kHeader + changed("\"No\"", "\"N\\to\""),
         "\"bombs\" holds a control character"},
        {"name = \"A pack with a name far too long to show\"\n", "line 1: \"name\" is longer"},
        {kHeader + "missions = []\n", "line 4: a pack holds 1 to 30 missions, not 0"},
        {kHeader + thirtyOne, "a pack holds 1 to 30 missions, not 31"},
        {kHeader + changed("Easy", "E\xff"), "line 17:"},
        {"author = \"Ann\"\n", "\"name\" is missing"},
    };
    for (const auto& c : cases) {
        const std::string error = errorOf(c.toml);
        EXPECT_EQ(error.find("The pack \"caves.tarnwick\": pack.toml "), 0u) << error;
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
    }
}

// A ZIP made with libzip: each entry a name and content, and what to do to it.
struct Entry {
    std::string name;
    std::string content;
    enum { Plain, Link, Encrypted } kind = Plain;
};

void writeZip(const fs::path& path, const std::vector<Entry>& entries) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const Entry& e : entries) {
        zip_source_t* source = zip_source_buffer(archive, e.content.data(), e.content.size(), 0);
        const zip_int64_t index = zip_file_add(archive, e.name.c_str(), source, ZIP_FL_ENC_UTF_8);
        ASSERT_GE(index, 0) << zip_strerror(archive);
        const auto at = static_cast<zip_uint64_t>(index);
        if (e.kind == Entry::Link)
            zip_file_set_external_attributes(archive, at, 0, ZIP_OPSYS_UNIX,
                                             (S_IFLNK | 0777u) << 16);
        if (e.kind == Entry::Encrypted)
            zip_file_set_encryption(archive, at, ZIP_EM_AES_256, "secret");
    }
    ASSERT_EQ(zip_close(archive), 0);
}

std::string openError(const std::string& path) {
    try {
        PackFiles::Open(path);
    } catch (const PackError& error) {
        return error.what();
    }
    return "opened";
}

TEST(PackFiles, AZipOrAFolderGivesItsFilesAndNothingOutsideItself) {
    TemporaryFolder folder;
    const fs::path good = folder.path() / "caves.tarnwick";
    writeZip(good, {{"pack.toml", "name = 1"}, {"caves/", ""}, {"caves/hook.png", "PNG"}});
    const PackFiles files = PackFiles::Open(good.string());
    EXPECT_EQ(files.name(), "caves.tarnwick");
    EXPECT_EQ(files.Read("caves/hook.png"), (std::vector<uint8_t>{'P', 'N', 'G'}));
    EXPECT_EQ(files.Read("absent.png"), std::nullopt);
    EXPECT_THROW(files.Read("../caves.tarnwick"), PackError);

    const struct {
        std::vector<Entry> entries;
        std::string expected;
    } hostile[] = {
        {{{"../evil.png", "x"}}, "\"../evil.png\" has a name that points outside the pack"},
        {{{"/etc/passwd", "x"}}, "\"/etc/passwd\" has a name"},
        {{{"caves\\..\\x", "x"}}, "has a name"},
        {{{"link.png", "/etc/passwd", Entry::Link}}, "\"link.png\" is a link"},
        {{{"pack.toml", "x", Entry::Encrypted}}, "is encrypted"},
        {{{"bomb.png", std::string(app::packs::kMaxPackFileSize + 1, '\0')}},
         "\"bomb.png\" is larger than 64 MiB"},
    };
    for (const auto& h : hostile) {
        writeZip(folder.path() / "hostile.tarnwick", h.entries);
        const std::string error = openError((folder.path() / "hostile.tarnwick").string());
        EXPECT_NE(error.find("The pack \"hostile.tarnwick\": the entry "), std::string::npos)
            << error;
        EXPECT_NE(error.find(h.expected), std::string::npos) << error;
    }
    testfiles::writeFile(folder.path() / "text.tarnwick", "not a zip at all");
    EXPECT_NE(openError((folder.path() / "text.tarnwick").string()).find("not a readable ZIP"),
              std::string::npos);
    EXPECT_NE(openError((folder.path() / "absent.tarnwick").string()).find("no such file"),
              std::string::npos);

    // An unpacked pack: its own files, but no link out of it.
    const fs::path unpacked = folder.path() / "unpacked";
    testfiles::writeFile(unpacked / "caves" / "hook.png", "PNG");
    fs::create_symlink("/etc/passwd", unpacked / "caves" / "secret.png");
    const PackFiles fromFolder = PackFiles::Open(unpacked.string() + "/");
    EXPECT_EQ(fromFolder.name(), "unpacked");
    EXPECT_EQ(fromFolder.Read("caves/hook.png")->size(), 3u);
    EXPECT_EQ(fromFolder.Read("caves/none.png"), std::nullopt);
    try {
        fromFolder.Read("caves/secret.png");
        ADD_FAILURE() << "a link was followed";
    } catch (const PackError& error) {
        EXPECT_NE(std::string(error.what()).find("is a link"), std::string::npos);
    }
}

void writeBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    testfiles::writeFile(path, std::string(bytes.begin(), bytes.end()));
}

std::string packError(const std::string& path) {
    try {
        app::packs::Pack::Read(path);
    } catch (const PackError& error) {
        return error.what();
    }
    return "read";
}

// A pack to be flown: each cave in the pack, a 1280 x 1280 picture, checked
// by its header when the pack is chosen and decoded when asked for.
TEST(Pack, EveryCaveIsInThePackAndAWholeWorldInSize) {
    TemporaryFolder folder;
    const fs::path pack = folder.path() / "caves";
    std::vector<uint8_t> rgba(1280 * 1280 * 4, 0);
    rgba[0] = 0x20, rgba[1] = 0x40, rgba[2] = 0x60, rgba[3] = 0xFF;  // rock in the corner
    writeBytes(pack / "caves" / "hook.png", testfiles::encodePng(1280, 1280, rgba));
    testfiles::writeFile(pack / "pack.toml", kHeader + mission());
    const app::packs::Pack read = app::packs::Pack::Read(pack.string());
    EXPECT_EQ(read.fileName(), "caves");
    EXPECT_EQ(read.manifest().missions.size(), 1u);
    const core::Bitmap cave = read.Cave(1);
    EXPECT_EQ(cave.width(), 1280);
    EXPECT_EQ(cave.pixel(0, 0).value, 0x204060u);

    const auto faultWith = [&](const std::string& toml, const std::string& expected) {
        testfiles::writeFile(pack / "pack.toml", kHeader + toml);
        const std::string error = packError(pack.string());
        EXPECT_NE(error.find(expected), std::string::npos) << error;
    };
    faultWith(changed("caves/hook.png", "hook.png"),
              "line 4: the cave \"hook.png\" of mission 1 is not in the pack");
    writeBytes(pack / "small.png", testfiles::encodePng(2, 2, std::vector<uint8_t>(16)));
    faultWith(changed("caves/hook.png", "small.png"),
              "line 4: the cave \"small.png\" of mission 1 is 2 x 2 pixels; a cave is 1280 x 1280");
    testfiles::writeFile(pack / "broken.jpg", "not a picture");
    faultWith(changed("caves/hook.png", "broken.jpg"),
              "line 4: the cave \"broken.jpg\" of mission 1: Cannot load the picture broken.jpg");
    faultWith(changed("picture = \"caves/hook.png\"", "source = \"hook.level\""),
              "line 4: the cave of mission 1 is the source \"hook.level\": make the pack with "
              "\"tarnwick-pack build\" first");
    fs::remove(pack / "pack.toml");
    EXPECT_NE(packError(pack.string()).find("there is no pack.toml"), std::string::npos);
}

}  // namespace
