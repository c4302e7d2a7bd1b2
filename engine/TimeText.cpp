#include "engine/TimeText.h"

namespace engine {
namespace {

std::string twoDigits(long long v) {
    std::string text(v < 10 ? "0" : "");
    text += std::to_string(v);
    return text;
}

}  // namespace

std::string TimeText(double t) {
    long long h = 0;
    if (t > 3600) {
        h = static_cast<long long>(t / 3600);
        t -= static_cast<double>(h) * 3600;
    }
    long long m = 0;
    if (t > 60) {
        m = static_cast<long long>(t / 60);
        t -= static_cast<double>(m) * 60;
    }
    const long long sec = static_cast<long long>(t);

    std::string text;
    if (h > 0) text = std::to_string(h) + "H";
    if (m > 0)
        text += (h > 0 ? twoDigits(m) : std::to_string(m)) + "m";
    else if (h > 0)
        text += "00m";
    return text + twoDigits(sec) + "s";
}

}  // namespace engine
