#pragma once

#include <chrono>
#include <memory>

#include "scores/ScoreServer.h"
#include "scores/ServerConfig.h"

namespace scores {

// The score server over FTP with libcurl: one connection, logged in once,
// image-type transfers over active-mode data connections (PORT), and a
// plain HTTP GET for the page request. Nothing may hang the window: the
// connection gets 10 s, each reply of the server 10 s (that to QUIT
// included), the whole FTP session 30 s, the page 5 s.
class FtpScoreServer : public ScoreServer {
  public:
    // Throws std::runtime_error when the configured port is no port number.
    explicit FtpScoreServer(ServerConfig config);
    ~FtpScoreServer() override;

    bool Connect() override;
    bool ChangeFolder(const std::string& folder) override;
    bool Store(const std::string& name, const std::string& bytes) override;
    void Disconnect() override;
    bool RequestPage(const std::string& path) override;

  private:
    struct Session;

    // Runs one request on the session's connection for the URL-encoded
    // `path` below the start folder ("" for the start folder itself).
    bool perform(const std::string& path, bool upload, const std::string* bytes);
    std::string urlFor(const std::string& path) const;

    ServerConfig config_;
    std::unique_ptr<Session> session_;
    std::string folder_;  // where files go: "" for the start folder
    std::chrono::steady_clock::time_point deadline_;
};

}  // namespace scores
