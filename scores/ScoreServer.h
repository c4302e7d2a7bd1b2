#pragma once

#include <string>

namespace scores {

// The high-score server as the upload sees it, one step at a time, so that
// the upload can show a message after each. The game and tarnwick-sim talk
// to a real FTP server through FtpScoreServer; a test may record the calls.
class ScoreServer {
  public:
    virtual ~ScoreServer() = default;

    // Connects and logs in; false when no session could be opened.
    virtual bool Connect() = 0;
    // Makes `folder` the folder later files go to; false when refused, and
    // files then go to the account's start folder.
    virtual bool ChangeFolder(const std::string& folder) = 0;
    // Stores `bytes` as `name`, replacing nothing but a file of that name;
    // false when the server refuses or the transfer breaks.
    virtual bool Store(const std::string& name, const std::string& bytes) = 0;
    virtual void Disconnect() = 0;
    // Asks the web server for `path` and throws the answer away; false when
    // the request fails.
    virtual bool RequestPage(const std::string& path) = 0;
};

}  // namespace scores
