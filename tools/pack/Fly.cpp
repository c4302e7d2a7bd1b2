#include "Fly.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <stdexcept>

extern "C" char** environ;

namespace pack {
namespace {

std::string besideMe(const char* name) {
    char self[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return name;
    self[n] = '\0';
    return (std::filesystem::path(self).parent_path() / name).string();
}

}  // namespace

int Fly(const std::string& pack, const std::vector<std::string>& options) {
    std::vector<std::string> args{besideMe("autopilot"), "--pack", pack};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (const int error = posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ))
        throw std::runtime_error("cannot start " + args[0] + ": " + std::strerror(error));
    int status = 0;
    if (waitpid(child, &status, 0) < 0) throw std::runtime_error("lost the autopilot");
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace pack
