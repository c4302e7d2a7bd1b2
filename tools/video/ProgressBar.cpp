#include "ProgressBar.h"

#include <unistd.h>

#include <algorithm>
#include <string>

namespace video {
namespace {

constexpr int kBarWidth = 40;
constexpr auto kRedrawEvery = std::chrono::milliseconds(200);

}  // namespace

ProgressBar::ProgressBar(std::FILE* out, uint64_t totalMs)
    : out_(out),
      terminal_(isatty(fileno(out)) == 1),
      totalMs_(std::max<uint64_t>(totalMs, 1)),
      started_(std::chrono::steady_clock::now()) {}

void ProgressBar::show(uint64_t doneMs) {
    if (!terminal_) return;
    const auto now = std::chrono::steady_clock::now();
    if (shown_ && now - drawn_ < kRedrawEvery) return;
    draw(doneMs, now);
}

void ProgressBar::draw(uint64_t doneMs, std::chrono::steady_clock::time_point now) {
    drawn_ = now;
    shown_ = true;
    const double part = std::min(1.0, static_cast<double>(doneMs) / static_cast<double>(totalMs_));
    const int filled = static_cast<int>(part * kBarWidth);
    const double elapsed = std::chrono::duration<double>(now - started_).count();
    std::string left = "--:--";
    if (part > 0.01) {
        const auto seconds = static_cast<long>(elapsed * (1 - part) / part + 0.5);
        char text[48];
        std::snprintf(text, sizeof text, "%ld:%02ld", seconds / 60, seconds % 60);
        left = text;
    }
    std::fprintf(out_, "\r[%s%s] %3d%%  %s left ",
                 std::string(static_cast<size_t>(filled), '#').c_str(),
                 std::string(static_cast<size_t>(kBarWidth - filled), '.').c_str(),
                 static_cast<int>(part * 100), left.c_str());
    std::fflush(out_);
}

void ProgressBar::close(bool complete) {
    if (!terminal_ || !shown_) return;
    if (complete) draw(totalMs_, std::chrono::steady_clock::now());
    std::fputs("\n", out_);
    shown_ = false;
}

}  // namespace video
