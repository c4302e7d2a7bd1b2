#include "scores/FtpScoreServer.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace scores {
namespace {

constexpr long kConnectTimeoutMs = 10000;
constexpr auto kSessionTime = std::chrono::seconds(30);
constexpr long kPageTimeoutMs = 5000;
// Each reply of the server, as long as the connection may take. This is also
// what the goodbye waits for the answer to QUIT, which the session's time-out
// does not bound: libcurl's own limit there is two minutes, and it takes the
// limit from the last request made on the connection.
constexpr long kReplyWaitS = 10;

void initialiseCurlOnce() {
    static const bool done = [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        return true;
    }();
    (void)done;
}

size_t discard(char*, size_t size, size_t count, void*) {
    return size * count;
}

struct Upload {
    const std::string* bytes;
    size_t sent = 0;
};

size_t readUpload(char* buffer, size_t size, size_t count, void* user) {
    auto* upload = static_cast<Upload*>(user);
    const size_t n = std::min(size * count, upload->bytes->size() - upload->sent);
    std::memcpy(buffer, upload->bytes->data() + upload->sent, n);
    upload->sent += n;
    return n;
}

// URL paths keep the folder names as they are but for the characters a URL
// cannot carry; a leading "%2F" makes the folder absolute on the server.
std::string escapePath(const std::string& path) {
    std::string out;
    for (const char c : path) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u) || std::strchr("/-._~", c) != nullptr) {
            out += c;
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", u);
            out += hex;
        }
    }
    return out;
}

}  // namespace

struct FtpScoreServer::Session {
    CURL* curl = nullptr;
    ~Session() {
        // Cleaning up the handle sends QUIT and closes the connection; the
        // answer is awaited as long as the last request allowed for a reply.
        if (curl) curl_easy_cleanup(curl);
    }
};

FtpScoreServer::FtpScoreServer(ServerConfig config) : config_(std::move(config)) {
    unsigned port = 0;
    const std::string& text = config_.ftpPort;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (error != std::errc() || end != text.data() + text.size() || port == 0 || port > 65535)
        throw std::runtime_error("TARNWICK_FTP_PORT is not a port number: " + text);
    initialiseCurlOnce();
}

FtpScoreServer::~FtpScoreServer() = default;

std::string FtpScoreServer::urlFor(const std::string& path) const {
    return "ftp://" + config_.ftpHost + ":" + config_.ftpPort + "/" + path;
}

bool FtpScoreServer::perform(const std::string& path, bool upload, const std::string* bytes) {
    if (!session_) return false;
    CURL* curl = session_->curl;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline_ - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    const std::string url = urlFor(path);
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(left.count()));
    const long leftS = static_cast<long>((left.count() + 999) / 1000);
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, std::min(leftS, kReplyWaitS));
    curl_easy_setopt(curl, CURLOPT_UPLOAD, upload ? 1L : 0L);
    curl_easy_setopt(curl, CURLOPT_NOBODY, upload ? 0L : 1L);
    Upload source{bytes};
    if (upload) {
        curl_easy_setopt(curl, CURLOPT_READFUNCTION, readUpload);
        curl_easy_setopt(curl, CURLOPT_READDATA, &source);
        curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(bytes->size()));
    }
    return curl_easy_perform(curl) == CURLE_OK;
}

bool FtpScoreServer::Connect() {
    Disconnect();
    session_ = std::make_unique<Session>();
    session_->curl = curl_easy_init();
    if (!session_->curl) {
        session_.reset();
        return false;
    }
    CURL* curl = session_->curl;
    deadline_ = std::chrono::steady_clock::now() + kSessionTime;
    curl_easy_setopt(curl, CURLOPT_USERNAME, config_.ftpUser.c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, config_.ftpPassword.c_str());
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, kConnectTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_ACCEPTTIMEOUT_MS, kConnectTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, discard);
    // Binary transfers, active mode with PORT (the server connects back),
    // one CWD to the whole folder.
    curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, 0L);
    curl_easy_setopt(curl, CURLOPT_FTPPORT, "-");
    curl_easy_setopt(curl, CURLOPT_FTP_USE_EPRT, 0L);
    curl_easy_setopt(curl, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_SINGLECWD));
    folder_.clear();
    if (!perform("", false, nullptr)) {
        session_.reset();
        return false;
    }
    return true;
}

bool FtpScoreServer::ChangeFolder(const std::string& folder) {
    // An absolute folder: "%2F" in the URL makes the CWD start at the root.
    const std::string path =
        folder.starts_with('/') ? "%2F" + escapePath(folder.substr(1)) : escapePath(folder);
    if (!perform(path, false, nullptr)) return false;
    folder_ = path.ends_with('/') ? path : path + "/";
    return true;
}

bool FtpScoreServer::Store(const std::string& name, const std::string& bytes) {
    return perform(folder_ + escapePath(name), true, &bytes);
}

void FtpScoreServer::Disconnect() {
    session_.reset();
}

bool FtpScoreServer::RequestPage(const std::string& path) {
    CURL* curl = curl_easy_init();
    if (!curl) return false;
    const std::string url = "http://" + config_.webHost + path;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, kPageTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, discard);
    const bool ok = curl_easy_perform(curl) == CURLE_OK;
    curl_easy_cleanup(curl);
    return ok;
}

}  // namespace scores
