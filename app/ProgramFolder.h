#pragma once

#include <string>

namespace app {

// The folder of a program file: the path with everything after its last '/'
// removed and the '/' kept, so that a file name can be appended directly. A
// bare file name lies in the current folder, "./".
std::string programFolderOf(const std::string& programPath);

// The full path of the running program file, as the kernel reports it; the
// working folder the game was started from does not matter. Throws
// std::runtime_error when the path cannot be read.
std::string executablePath();

}  // namespace app
