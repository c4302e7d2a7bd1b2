#pragma once

#include <cstdint>
#include <string>

namespace scores {

// Where the game sends scores and which sites its links open. The defaults
// are compiled in (CMake cache variables, so whoever hosts the server builds
// the game for it); the TARNWICK_* environment variables override them at
// run time, which is how tests point the game at their own servers.
struct ServerConfig {
    std::string ftpHost;
    std::string ftpPort;  // as given: checked when a connection is made
    std::string ftpUser;
    std::string ftpPassword;
    std::string webHost;     // the game's pages and the high-score table; host or host:port
    std::string studioHost;  // "Goto Fenmarrow"
    std::string forumHost;   // "Goto Forum"
};

// The compiled-in values with the environment's overrides applied.
ServerConfig LoadServerConfig();

}  // namespace scores
