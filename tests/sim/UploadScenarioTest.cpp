// The score upload at the end of a game, against real servers on 127.0.0.1:
// an FTP server and a web server that the test starts and stops.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "SimRunner.h"

extern char** environ;

namespace {

using namespace simtest;
using testfiles::TemporaryFolder;
namespace fs = std::filesystem;

// The servers of tests/scores/score_servers.py in one of its modes.
class ScoreServers {
  public:
    explicit ScoreServers(const std::string& mode) {
        const std::string ports = home_.folder() + "ports.txt";
        const std::string root = (home_.path() / "ftp").string();
        fs::create_directories(root);
        std::vector<std::string> args = {
            "/usr/bin/python3", TARNWICK_SCORE_SERVERS, mode,  root,
            "tarnwick",         "secret1234",           log(), std::to_string(getpid())};
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        // Its output goes to files: a server left behind must not hold the
        // test's own output open, which would keep the test runner waiting.
        posix_spawn_file_actions_addopen(&files, 1, ports.c_str(), O_WRONLY | O_CREAT, 0644);
        posix_spawn_file_actions_addopen(&files, 2, (home_.folder() + "errors.txt").c_str(),
                                         O_WRONLY | O_CREAT, 0644);
        posix_spawn(&pid_, argv[0], &files, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&files);
        // The script prints both ports once it listens.
        for (int i = 0; i < 200 && (ftpPort_ == 0); ++i) {
            usleep(25000);
            std::ifstream in(ports);
            in >> ftpPort_ >> webPort_;
        }
    }
    ~ScoreServers() {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    std::string environment(const std::string& password = "secret1234") const {
        return "TARNWICK_FTP_HOST=127.0.0.1 TARNWICK_FTP_PORT=" + std::to_string(ftpPort_) +
               " TARNWICK_FTP_USER=tarnwick TARNWICK_FTP_PASSWORD=" + password +
               " TARNWICK_WEB_HOST=127.0.0.1:" + std::to_string(webPort_);
    }
    std::string log() const { return home_.folder() + "commands.txt"; }
    fs::path ftpRoot() const { return home_.path() / "ftp"; }
    int ftpPort() const { return ftpPort_; }

  private:
    TemporaryFolder home_;
    pid_t pid_ = 0;
    int ftpPort_ = 0;
    int webPort_ = 0;
};

// A game lost in mission 4 at Normal with 12345 points; the player types a
// name of blanks (the button stays off), then "Ann" after them, and uploads.
const std::string kGameToUpload =
    "start\nwait 300\nclick DIBFadeLabel1\nwait 10\nclick diblabel5\nset lives 1\n"
    "set score 12345\nset difficulty 2\nset missionNumber 4\nset scrollX 400\nwait 2400\n"
    "type   \ncontrol dxButton1\ntype Ann\nclick dxButton1\nwait 10\ncontrol Memo2\n"
    "control dxContainer2\n";

const std::string kStoredMessages =
    "[\"Connecting to highscore Server....\",\"Connected\",\"Uploading...\","
    "\"Uploading finished\"]";

// A loopback port that nothing listens on.
int unusedPort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

std::vector<fs::path> filesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    if (!fs::exists(folder)) return files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(ScoreUpload, TheRecordLandsUnderTheDateNameAndASecondOneInTheSameTwoSecondsReplacesIt) {
    ScoreServers servers("ok");
    TemporaryFolder data;
    const RunResult first = runSim(data.folder(), kGameToUpload, "", servers.environment());
    ASSERT_EQ(first.status, 0) << first.err;
    const auto out = lines(first.out);
    ASSERT_EQ(out.size(), 3u) << first.out;
    EXPECT_EQ(jsonValue(out[0], "Enabled"), "false") << "a name of blanks uploads nothing";
    EXPECT_EQ(jsonValue(out[1], "Lines"), kStoredMessages);
    EXPECT_EQ(jsonValue(out[2], "Visible"), "false") << "the panel closes";
    const fs::path highs = servers.ftpRoot() / "docs" / "tarnwick" / "highs";
    const auto stored = filesIn(highs);
    ASSERT_EQ(stored.size(), 1u);
    // 15 June 2005, 12:00:02.7 on the virtual clock.
    EXPECT_EQ(stored[0].filename(), "852451329.zlb");
    EXPECT_EQ(testfiles::readFile(stored[0]), "  Ann\tNormal\t4\t12345\r\n") << "blanks kept";
    for (const fs::path& f : filesIn(data.path()))
        EXPECT_NE(f.extension(), ".zlb") << "the local score file is deleted";
    const std::string log = testfiles::readFile(servers.log());
    for (const char* command : {"USER tarnwick", "CWD /docs/tarnwick/highs", "TYPE I", "PORT ",
                                "STOR 852451329.zlb", "GET /tarnwick/highs/", "QUIT"})
        EXPECT_NE(log.find(command), std::string::npos) << command << " in\n" << log;
    EXPECT_EQ(log.find("SIZE"), std::string::npos) << "no probing for a free name:\n" << log;

    // The same moment on the clock gives the same name: Bob's record replaces Ann's.
    TemporaryFolder data2;
    std::string bobsGame = kGameToUpload;
    bobsGame.replace(bobsGame.find("type Ann"), 8, "type Bob");
    ASSERT_EQ(runSim(data2.folder(), bobsGame, "", servers.environment()).status, 0);
    const auto after = filesIn(highs);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(testfiles::readFile(after[0]), "  Bob\tNormal\t4\t12345\r\n");
}

// A server that stores the record and then never answers QUIT costs the
// goodbye the 10 seconds a reply may take, not the two minutes libcurl would
// wait: the upload ends inside the session's 30 seconds, the record stored.
TEST(ScoreUpload, AServerThatNeverAnswersQuitDoesNotHoldTheWindow) {
    ScoreServers servers("noquit");
    TemporaryFolder data;
    const auto started = std::chrono::steady_clock::now();
    const RunResult r = runSim(data.folder(), kGameToUpload, "", servers.environment());
    const auto took = std::chrono::steady_clock::now() - started;
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 3u) << r.out;
    EXPECT_EQ(jsonValue(out[1], "Lines"), kStoredMessages);
    EXPECT_EQ(filesIn(servers.ftpRoot() / "docs" / "tarnwick" / "highs").size(), 1u);
    EXPECT_LT(took, std::chrono::seconds(30));
}

// Each way the server can fail gives its message; the local file is deleted
// and the panel closes all the same.
TEST(ScoreUpload, EveryFailureHasItsMessage) {
    const struct {
        const char* mode;
        const char* password;
        std::vector<std::string> messages;
    } cases[] = {
        {"nofolder",
         "secret1234",
         {"Connecting to highscore Server....", "Connected",
          "Could not find destination, Try uploading again.", "Uploading...",
          "Uploading finished"}},
        {"ok", "wrong", {"Connecting to highscore Server....", "Could not Connected. Try again"}},
        {"readonly",
         "secret1234",
         {"Connecting to highscore Server....", "Connected", "Uploading...",
          "Could not Upload to highscore server, Try uploading again."}},
        {"silent",
         "secret1234",
         {"Connecting to highscore Server....", "Could not Connected. Try again"}},
        {"none",
         "secret1234",
         {"Connecting to highscore Server....", "Could not Connected. Try again"}},
    };
    for (const auto& c : cases) {
        const std::string mode = c.mode;
        ScoreServers servers(mode == "none" ? "ok" : mode);
        const std::string environment =
            mode == "none"
                ? "TARNWICK_FTP_HOST=127.0.0.1 TARNWICK_FTP_PORT=" + std::to_string(unusedPort()) +
                      " TARNWICK_FTP_USER=tarnwick TARNWICK_FTP_PASSWORD=secret1234"
                : servers.environment(c.password);
        TemporaryFolder data;
        const RunResult r = runSim(data.folder(), kGameToUpload, "", environment);
        ASSERT_EQ(r.status, 0) << mode << ": " << r.err;
        const auto out = lines(r.out);
        ASSERT_EQ(out.size(), 3u) << mode << ": " << r.out;
        std::string expected = "[";
        for (const std::string& m : c.messages)
            expected += (expected.size() > 1 ? ",\"" : "\"") + m + "\"";
        EXPECT_EQ(jsonValue(out[1], "Lines"), expected + "]") << mode;
        EXPECT_EQ(jsonValue(out[2], "Visible"), "false") << mode;
        for (const fs::path& f : filesIn(data.path())) EXPECT_NE(f.extension(), ".zlb") << mode;
        if (mode == "nofolder") {
            EXPECT_EQ(filesIn(servers.ftpRoot()).size(), 1u) << "stored in the start folder";
        }
    }
}

// The links open their pages with the configured hosts and fixed paths; the
// title stays as it was. The notice along the bottom opens the home page,
// also during a mission, which runs on.
TEST(WebPages, EachLinkOpensItsPage) {
    TemporaryFolder data;
    const RunResult r = runSim(
        data.folder(),
        "start\nwait 300\nclick DIBFadeLabel2\nclick DIBFadeLabel2\nclick DIBFadeLabel7\n"
        "click DIBFadeLabel8\nclick DIBFadeLabel9\nwait 10\nurls\ndump\nclick DIBFadeLabel1\n"
        "wait 10\nclick diblabel5\nwait 100\nclick URLtransparantLabel1\nwait 100\nurls\ndump\n",
        "",
        "TARNWICK_WEB_HOST=web.test:8080 TARNWICK_STUDIO_HOST=studio.test "
        "TARNWICK_FORUM_HOST=forum.test");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 4u) << r.out;
    EXPECT_EQ(out[0],
              "[\"http://web.test:8080/tarnwick/index.asp?visnu=highs/overall.htm/\","
              "\"http://web.test:8080/tarnwick/index.asp?visnu=highs/overall.htm/\","
              "\"http://studio.test/\",\"http://web.test:8080/\","
              "\"http://forum.test/Fenmarrow/index.php?act=idx\"]");
    EXPECT_EQ(jsonValue(out[1], "menuMode"), "true");
    EXPECT_EQ(out[2], "[\"http://web.test:8080/tarnwick/\"]");
    EXPECT_NE(jsonValue(out[3], "timers").find("\"timer1\":{\"Enabled\":true"), std::string::npos);
}

}  // namespace
