// tarnwick-pack: the mission-pack maker's tool (see the README, "Make your
// own caves").
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "Build.h"
#include "Check.h"
#include "Fly.h"
#include "Starter.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: tarnwick-pack new DIR\n"
                 "       tarnwick-pack check PACK [--preview DIR]\n"
                 "       tarnwick-pack build DIR OUT.tarnwick\n"
                 "       tarnwick-pack fly PACK [--levels all|L[,L...]] [--missions N[,N...]]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usage();
    try {
        if (args[0] == "new" && args.size() == 2) {
            pack::New(args[1]);
            return 0;
        }
        if (args[0] == "check" && args.size() == 2) return pack::Check(args[1], "");
        if (args[0] == "check" && args.size() == 4 && args[2] == "--preview")
            return pack::Check(args[1], args[3]);
        if (args[0] == "build" && args.size() == 3) {
            pack::Build(args[1], args[2]);
            return 0;
        }
        if (args[0] == "fly" && args.size() >= 2) {
            const int status = pack::Fly(args[1], {args.begin() + 2, args.end()});
            return status == 2 ? usage() : status;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tarnwick-pack: %s\n", error.what());
        return 1;
    }
    return usage();
}
