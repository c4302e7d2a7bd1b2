#include "scores/ServerConfig.h"

#include <cstdlib>

namespace scores {
namespace {

std::string fromEnvironment(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : fallback;
}

}  // namespace

ServerConfig LoadServerConfig() {
    ServerConfig config;
    config.ftpHost = fromEnvironment("TARNWICK_FTP_HOST", TARNWICK_DEFAULT_FTP_HOST);
    config.ftpUser = fromEnvironment("TARNWICK_FTP_USER", TARNWICK_DEFAULT_FTP_USER);
    config.ftpPassword = fromEnvironment("TARNWICK_FTP_PASSWORD", TARNWICK_DEFAULT_FTP_PASSWORD);
    config.webHost = fromEnvironment("TARNWICK_WEB_HOST", TARNWICK_DEFAULT_WEB_HOST);
    config.studioHost = fromEnvironment("TARNWICK_STUDIO_HOST", TARNWICK_DEFAULT_STUDIO_HOST);
    config.forumHost = fromEnvironment("TARNWICK_FORUM_HOST", TARNWICK_DEFAULT_FORUM_HOST);
    config.ftpPort = fromEnvironment("TARNWICK_FTP_PORT", TARNWICK_DEFAULT_FTP_PORT);
    return config;
}

}  // namespace scores
