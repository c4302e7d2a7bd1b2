#include "HighScores.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class HighScores : public ::testing::Test {
protected:
    void SetUp() override {
        std::string name = (fs::temp_directory_path() / "highscores-XXXXXX").string();
        ASSERT_NE(::mkdtemp(name.data()), nullptr);
        root = name;
        uploads = root / "highs";
        fs::create_directory(uploads);
    }
    void TearDown() override { fs::remove_all(root); }

    void put(const std::string& file, const std::string& content) {
        std::ofstream(uploads / file, std::ios::binary) << content;
    }

    fs::path root, uploads;
};

TEST_F(HighScores, UploadsFolderBecomesOneRankedPage) {
    // Same score 12345 three times: the dates order them 99, 852456394, -1000
    // (the word read unsigned is in 2107); signed or name order would not.
    // 100000 above 99999 needs a numeric compare.
    put("852456394.zlb", "Ann\tNormal\t4\t12345\r\n");
    put("99.zlb", "Bo\tBeginner\t1\t12345\r\n");
    put("-1000.zlb", "Cy\tExpert\t10\t12345\r\n");
    put("1000000000.zlb", "Ann\tNormal\t4\t12345\r\n");  // same line uploaded later
    put("852456000.zlb", "Max\tBeginner\t11\t2147483647\r\n");
    put("852456001.zlb", "Ren\xE9\x80\x81\tExpert\t2\t100000\r\n");
    put("852456002.zlb", " <i>&\"' \tNormal\t3\t99999\r\n");
    put("852456003.zlb", "\tNormal\t1\t1\r\n");
    put("852456004.zlb", "Fifteen chars!!\tNormal\t1\t2\r\n");
    put("notes.txt", "Eve\tNormal\t1\t5\r\n");  // not an upload
    fs::create_directory(uploads / "5555.zlb");

    const std::vector<std::pair<std::string, std::string>> broken = {
        {"1.zlb", "Al\tNormal\t4\r\n"},
        {"2.zlb", "Al\tNormal\t4\t100\t\r\n"},
        {"3.zlb", "Al\tnormal\t4\t100\r\n"},
        {"4.zlb", "Al\tNormal\tfour\t100\r\n"},
        {"5.zlb", "Al\tNormal\t0\t100\r\n"},
        {"6.zlb", "Al\tNormal\t12\t100\r\n"},
        {"7.zlb", "Al\tNormal\t4\t12a\r\n"},
        {"8.zlb", "Al\tNormal\t4\t0\r\n"},
        {"9.zlb", "Al\tNormal\t4\t2147483648\r\n"},
        {"10.zlb", "Al\tNormal\t4\t100"},
        {"11.zlb", "Al\tNormal\t4\t100\n"},
        {"12.zlb", "Al\tNormal\t4\t100\r\nBo\tNormal\t4\t100\r\n"},
        {"13.zlb", "Sixteen chars!!!\tNormal\t4\t100\r\n"},
        {"14.zlb", "A\x01l\tNormal\t4\t100\r\n"},
        {"15.zlb", ""},
        {"abc.zlb", "Al\tNormal\t4\t100\r\n"},
        {"+5.zlb", "Al\tNormal\t4\t100\r\n"},
        {"2147483648.zlb", "Al\tNormal\t4\t100\r\n"},
    };
    std::vector<std::string> brokenNames;
    for (const auto& [file, content] : broken) {
        put(file, content);
        brokenNames.push_back(file);
    }
    std::sort(brokenNames.begin(), brokenNames.end());

    highscores::Table table = highscores::buildTable(highscores::readUploads(uploads));

    std::vector<std::string> order;
    for (const auto& s : table.scores)
        order.push_back(s.fileName);
    EXPECT_EQ(order, (std::vector<std::string>{"852456000.zlb", "852456001.zlb", "852456002.zlb", "99.zlb",
                                               "852456394.zlb", "-1000.zlb", "852456004.zlb", "852456003.zlb"}));
    EXPECT_EQ(table.broken, brokenNames);
    EXPECT_EQ(table.repeats, 1);

    std::string page = highscores::renderPage(table);
    EXPECT_NE(page.find("8 scores listed, 1 repeated upload counted once, 18 broken records skipped."),
              std::string::npos);
    // The repeat keeps its first upload, 15 June 2005 14:30:20.
    EXPECT_NE(page.find("<tr><td>5</td><td class=\"name\">Ann</td><td>Normal</td><td>4</td><td>12345</td>"
                        "<td>2005-06-15 14:30:20</td></tr>"),
              std::string::npos);
    EXPECT_NE(page.find("<td class=\"name\">Ren\u00E9\u20AC\uFFFD</td>"), std::string::npos);
    EXPECT_NE(page.find("<td class=\"name\"> &lt;i&gt;&amp;&quot;&#39; </td>"), std::string::npos);
}

TEST_F(HighScores, ProgramReportsUsageAndFailuresAndReplacesThePage) {
    std::ostringstream out, err;
    EXPECT_EQ(highscores::run({uploads.string()}, out, err), 2);
    EXPECT_NE(err.str().find("usage"), std::string::npos);

    err.str("");
    fs::path missing = root / "no-such-folder";
    EXPECT_EQ(highscores::run({missing.string(), root.string()}, out, err), 1);
    EXPECT_NE(err.str().find(missing.string()), std::string::npos);

    err.str("");
    fs::path unwritable = missing / "overall.htm";
    EXPECT_EQ(highscores::run({uploads.string(), unwritable.string()}, out, err), 1);
    EXPECT_NE(err.str().find(unwritable.string()), std::string::npos);

    // A folder gets overall.htm, readable by the web server, and no leftovers.
    put("852456394.zlb", "Ann\tNormal\t4\t12345\r\n");
    fs::path site = root / "site";
    fs::create_directory(site);
    std::ofstream(site / "overall.htm") << "old page";
    mode_t oldMask = ::umask(022);
    EXPECT_EQ(highscores::run({uploads.string(), site.string()}, out, err), 0);
    ::umask(oldMask);
    std::vector<fs::path> files(fs::directory_iterator(site), fs::directory_iterator{});
    ASSERT_EQ(files, std::vector<fs::path>{site / "overall.htm"});
    EXPECT_NE(fs::status(files[0]).permissions() & fs::perms::others_read, fs::perms::none);
    std::stringstream page;
    page << std::ifstream(files[0]).rdbuf();
    EXPECT_NE(page.str().find(">Ann</td>"), std::string::npos);
}

}  // namespace
