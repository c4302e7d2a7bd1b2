#pragma once

#include <functional>
#include <memory>

#include "app/layout/UploadPanelControls.h"
#include "core/GameState.h"
#include "platform/EventLoop.h"
#include "scores/ScoreServer.h"

namespace app {

// The upload panel's behaviour: the name field enables "Upload Score", and
// the upload writes the score record to a file named after the local DOS
// date-time, sends it to the high-score server, deletes it, and closes the
// panel after five seconds with the messages on screen. The whole upload
// blocks the window, as the player is meant to wait for it; what the player
// clicks or types meanwhile is thrown away, not delivered to the menu that
// shows once the panel has closed.
class ScoreUpload {
  public:
    using ServerFactory = std::function<std::unique_ptr<scores::ScoreServer>()>;

    ScoreUpload(platform::EventLoop& loop, const core::GameState& state,
                layout::UploadPanelControls& upload, std::string dataFolder,
                ServerFactory openServer);

    void Edit1Change();
    void dxButton1Click();

  private:
    void upload();
    void say(const std::string& message);
    // Sends the record; returns nothing, every outcome is a message.
    void send(scores::ScoreServer& server, int32_t fileDate, const std::string& record);

    platform::EventLoop& loop_;
    const core::GameState& state_;
    layout::UploadPanelControls& upload_;
    std::string dataFolder_;
    ServerFactory openServer_;
};

}  // namespace app
