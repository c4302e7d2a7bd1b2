#include "app/flow/WebPages.h"

#include "scores/ServerConfig.h"

namespace app {
namespace {

// The paths and queries are the sites' own; only the hosts are configured.
std::string page(const std::string& host, const char* path) {
    return "http://" + host + path;
}

}  // namespace

std::string WebPages::HomePage() {
    return page(scores::LoadServerConfig().webHost, "/tarnwick/");
}

void WebPages::DIBFadeLabel2Click() {
    backend_.openUrl(
        page(scores::LoadServerConfig().webHost, "/tarnwick/index.asp?visnu=highs/overall.htm/"));
}

void WebPages::DIBFadeLabel7Click() {
    backend_.openUrl(page(scores::LoadServerConfig().studioHost, "/"));
}

void WebPages::DIBFadeLabel8Click() {
    backend_.openUrl(page(scores::LoadServerConfig().webHost, "/"));
}

void WebPages::DIBFadeLabel9Click() {
    backend_.openUrl(page(scores::LoadServerConfig().forumHost, "/Fenmarrow/index.php?act=idx"));
}

void WebPages::URLtransparantLabel1Click() {
    backend_.openUrl(HomePage());
}

}  // namespace app
