#include "app/flow/ScoreUpload.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "scores/ScoreRecord.h"

namespace app {
namespace {

constexpr const char* kTargetFolder = "/docs/tarnwick/highs/";
constexpr const char* kScoresPage = "/tarnwick/highs/";
constexpr uint32_t kMessagesShownMs = 5000;

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string fileName(int32_t fileDate) {
    return std::to_string(fileDate) + ".zlb";
}

}  // namespace

ScoreUpload::ScoreUpload(platform::EventLoop& loop, const core::GameState& state,
                         layout::UploadPanelControls& upload, std::string dataFolder,
                         ServerFactory openServer)
    : loop_(loop),
      state_(state),
      upload_(upload),
      dataFolder_(std::move(dataFolder)),
      openServer_(std::move(openServer)) {}

void ScoreUpload::Edit1Change() {
    // Once enabled the button stays so, even if the name is cleared again.
    if (!trimmed(upload_.Edit1.Text()).empty()) upload_.dxButton1.SetEnabled(true);
}

void ScoreUpload::say(const std::string& message) {
    upload_.Memo2.Add(message);
    loop_.repaintNow();
}

void ScoreUpload::dxButton1Click() {
    loop_.holdWindow([this] { upload(); });
}

void ScoreUpload::upload() {
    // A server that cannot even be configured stops the upload before
    // anything is written or sent.
    std::unique_ptr<scores::ScoreServer> server = openServer_();
    upload_.Memo2.Clear();
    const int32_t fileDate = scores::DosDateTime(loop_.clock().localNow());
    const std::string record = scores::ScoreRecord(upload_.Edit1.Text(), state_.difficulty,
                                                   state_.missionNumber, state_.score);
    const std::string localFile = dataFolder_ + fileName(fileDate);
    {
        std::ofstream file(localFile, std::ios::binary | std::ios::trunc);
        file << record;
        file.close();
        // Nothing has been sent: the panel stays open and Cancel usable.
        if (!file) throw std::runtime_error("Cannot write the score file " + localFile);
    }
    upload_.Memo2.Clear();
    upload_.Memo2.Show();
    upload_.dxButton2.SetEnabled(false);
    say("Connecting to highscore Server....");
    if (server->Connect()) {
        say("Connected");
        send(*server, fileDate, record);
        server->Disconnect();
    } else {
        say("Could not Connected. Try again");
        upload_.dxButton2.SetEnabled(true);
    }
    std::remove(localFile.c_str());
    loop_.clock().sleepMs(kMessagesShownMs);
    upload_.Memo2.Hide();
    upload_.dxButton1.SetEnabled(false);
    upload_.dxButton2.SetEnabled(true);
    upload_.dxContainer2.Hide();
}

void ScoreUpload::send(scores::ScoreServer& server, int32_t fileDate, const std::string& record) {
    if (!server.ChangeFolder(kTargetFolder)) {
        say("Could not find destination, Try uploading again.");
        upload_.dxButton2.SetEnabled(true);
    }
    // Stored under the file's own name: two uploads in the same two seconds
    // share it, and the second replaces the first on the server. Probing for
    // a free name would cost a slow server its whole session.
    say("Uploading...");
    if (!server.Store(fileName(fileDate), record)) {
        say("Could not Upload to highscore server, Try uploading again.");
        upload_.dxButton2.SetEnabled(true);
        return;
    }
    say("Uploading finished");
    // The server's pages are told of the new record; the record is stored
    // whatever the web server answers, so its answer changes nothing here.
    server.RequestPage(kScoresPage);
}

}  // namespace app
