#include "SimLink.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace autopilot {

SimLink::SimLink(const std::string& simPath, const std::string& pack) {
    std::string templ = (std::filesystem::temp_directory_path() / "autopilot-XXXXXX").string();
    std::vector<char> name(templ.begin(), templ.end());
    name.push_back('\0');
    if (!mkdtemp(name.data())) throw std::runtime_error("cannot make a data folder");
    dataDir_ = name.data();

    int in[2];
    int out[2];
    if (pipe(in) != 0 || pipe(out) != 0) throw std::runtime_error("cannot make pipes");
    child_ = fork();
    if (child_ < 0) throw std::runtime_error("cannot start tarnwick-sim");
    if (child_ == 0) {
        dup2(in[0], STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        close(in[0]);
        close(in[1]);
        close(out[0]);
        close(out[1]);
        setenv("TARNWICK_DATA_DIR", dataDir_.c_str(), 1);
        if (pack.empty())
            execl(simPath.c_str(), simPath.c_str(), static_cast<char*>(nullptr));
        else
            execl(simPath.c_str(), simPath.c_str(), "--pack", pack.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    toSim_ = in[1];
    fromSim_ = out[0];
    // A simulator that dies must show as a failed read, not end the pilot.
    signal(SIGPIPE, SIG_IGN);
}

SimLink::~SimLink() {
    if (toSim_ >= 0) {
        const std::string quit = "quit\n";
        [[maybe_unused]] const ssize_t n = write(toSim_, quit.data(), quit.size());
        close(toSim_);
    }
    if (fromSim_ >= 0) close(fromSim_);
    if (child_ > 0) waitpid(child_, nullptr, 0);
    std::error_code ignored;
    std::filesystem::remove_all(dataDir_, ignored);
}

void SimLink::send(const std::string& command) {
    const std::string line = command + "\n";
    size_t done = 0;
    while (done < line.size()) {
        const ssize_t n = write(toSim_, line.data() + done, line.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw std::runtime_error("tarnwick-sim stopped reading at: " + command);
        done += static_cast<size_t>(n);
    }
}

std::string SimLink::ask(const std::string& command) {
    send(command);
    for (;;) {
        const size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return line;
        }
        char buffer[65536];
        const ssize_t n = read(fromSim_, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw std::runtime_error("tarnwick-sim ended before answering: " + command);
        pending_.append(buffer, static_cast<size_t>(n));
    }
}

void SimLink::wait(int64_t ms) {
    if (ms <= 0) return;
    send("wait " + std::to_string(ms));
    now_ += ms;
}

void SimLink::press(const std::string& key) {
    if (held_.insert(key).second) send("press " + key);
}

void SimLink::release(const std::string& key) {
    if (held_.erase(key) != 0) send("release " + key);
}

void SimLink::releaseAll() {
    for (const std::string& key : held_) send("release " + key);
    held_.clear();
}

}  // namespace autopilot
