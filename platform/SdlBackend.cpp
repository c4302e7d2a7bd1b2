#include "SdlBackend.h"

#include <SDL.h>

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <stdexcept>
#include <thread>

#include "SdlGamepads.h"
#include "SdlKeys.h"

extern "C" char** environ;

namespace platform {
namespace {

std::runtime_error sdlFailure(const std::string& what) {
    return std::runtime_error(what + ": " + SDL_GetError());
}

// The number of bytes of the UTF-8 sequence that starts with `lead`, or 0 for
// a byte that cannot start one.
int utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead >> 5) == 0x6) return 2;
    if ((lead >> 4) == 0xE) return 3;
    if ((lead >> 3) == 0x1E) return 4;
    return 0;
}

Event mouseEvent(Event::Type type, int x, int y) {
    Event event;
    event.type = type;
    event.x = x;
    event.y = y;
    return event;
}

}  // namespace

SdlBackend::SdlBackend() {
    // Closing the window is the game's own decision (it may ask first), so SDL
    // must not add a quit request of its own when the last window closes.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_Init(SDL_INIT_EVENTS) != 0) throw sdlFailure("Cannot start SDL");
    musicEndedEventType_ = SDL_RegisterEvents(1);
    if (musicEndedEventType_ == static_cast<uint32_t>(-1)) {
        SDL_Quit();
        throw std::runtime_error("Cannot register the music event: SDL has no user events left");
    }
    // A machine without a sound device still plays the game, in silence.
    SDL_InitSubSystem(SDL_INIT_AUDIO);
    audio_ = std::make_unique<SdlAudio>(musicEndedEventType_);
    gamepads_ = std::make_unique<SdlGamepads>();
}

SdlBackend::~SdlBackend() {
    // Sound first: its thread may still post events while the rest goes.
    audio_.reset();
    gamepads_.reset();
    if (window_) SDL_DestroyWindow(window_);
    SDL_Quit();
}

void SdlBackend::showWindow(const std::string& caption, const std::string& appTitle,
                            Size clientSize) {
    if (window_) throw std::logic_error("The window is already open");
    // The application's name for the desktop: window managers group and label
    // windows by the X11 class, which SDL takes from its environment when the
    // video subsystem starts; that is why video starts here and not earlier.
    // A class the user set in the environment is kept.
    SDL_SetHint(SDL_HINT_APP_NAME, appTitle.c_str());
    SDL_setenv("SDL_VIDEO_X11_WMCLASS", appTitle.c_str(), 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) throw sdlFailure("Cannot open the display");
    // Without a display SDL falls back to drivers that draw nowhere: the game
    // would run on unseen, playing its music. A player must hear why instead.
    const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
    if (driver == "offscreen" || driver == "dummy" || driver.empty()) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        throw std::runtime_error(
            "Cannot open the display: no X11 or Wayland display is available"
            " (SDL offered only its '" +
            driver + "' video driver)");
    }

    // A plain fixed-size window: Linux task bars and Alt-Tab skip utility
    // windows, and a player must be able to find the game.
    window_ = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               clientSize.width, clientSize.height, SDL_WINDOW_HIDDEN);
    if (!window_) throw sdlFailure("Cannot open the window");
    clientSize_ = clientSize;
    enlargeToDesktop();
    // The frame goes straight into the window's own surface and only the
    // changed rectangle is sent to the display. The alternative, a renderer
    // with a texture, redraws the whole window for every change, which costs a
    // desktop without a graphics card (and a virtual display) far more.
    // The display's own image transfer, not a 3-D driver behind it: that is
    // what makes sending only the changed rectangle cheap.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (!surface) throw sdlFailure("Cannot draw into the window");
    // Black until the first frame arrives, rather than whatever was on screen.
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
    SDL_ShowWindow(window_);
    SDL_UpdateWindowSurface(window_);
    SDL_StartTextInput();
}

void SdlBackend::present(const core::Bitmap& frame, const Rect& dirty) {
    if (!window_ || frame.empty()) return;
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (!surface) throw sdlFailure("Cannot draw into the window");
    Rect area = dirty.intersected(Rect{0, 0, frame.width(), frame.height()});
    // A new window surface (the first, full screen and back) is black with
    // the picture centred at the largest whole scale that fits, and all of
    // it goes to the display, bars included.
    const bool newSurface = surface->w != surfaceSize_.width || surface->h != surfaceSize_.height;
    if (newSurface) {
        surfaceSize_ = Size{surface->w, surface->h};
        scale_ = WindowScale::fit(clientSize_, surfaceSize_);
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
        area = Rect{0, 0, frame.width(), frame.height()};
    }
    const Rect shown = scale_.toWindow(area).intersected(Rect{0, 0, surface->w, surface->h});
    if (shown.empty()) {
        if (newSurface) SDL_UpdateWindowSurface(window_);
        return;
    }
    auto* target = static_cast<uint8_t*>(surface->pixels) + shown.top * surface->pitch +
                   shown.left * surface->format->BytesPerPixel;
    const uint32_t* source = frame.row(area.top) + area.left;
    int sourcePitch = frame.width() * static_cast<int>(sizeof(uint32_t));
    if (scale_.factor > 1) {
        // Enlarged here, on the processor, and only the changed rectangle:
        // a texture and renderer would redraw the whole window every time.
        enlarged_.resize(static_cast<size_t>(area.width()) * area.height() * scale_.factor *
                         scale_.factor);
        Enlarge(frame, area, scale_.factor, enlarged_.data(), area.width() * scale_.factor);
        source = enlarged_.data();
        sourcePitch = area.width() * scale_.factor * static_cast<int>(sizeof(uint32_t));
    }
    // The frame's alpha bytes are not transparency: the window shows colour only.
    if (SDL_ConvertPixels(shown.width(), shown.height(), SDL_PIXELFORMAT_XRGB8888, source,
                          sourcePitch, surface->format->format, target, surface->pitch) != 0)
        throw sdlFailure("Cannot update the window's picture");
    const SDL_Rect rect{shown.left, shown.top, shown.width(), shown.height()};
    if (newSurface)
        SDL_UpdateWindowSurface(window_);
    else
        SDL_UpdateWindowSurfaceRects(window_, &rect, 1);
}

// Grows the window to the largest whole multiple of the client area that the
// desktop has room for, frame included.
void SdlBackend::enlargeToDesktop() {
    SDL_Rect desktop;
    if (SDL_GetDisplayUsableBounds(SDL_GetWindowDisplayIndex(window_), &desktop) != 0) return;
    // A window not yet shown may not know its frame: then allow for a title bar.
    constexpr int kTitleBarGuess = 32;
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) != 0 || top == 0)
        top = kTitleBarGuess;
    const WindowScale scale = WindowScale::fit(
        clientSize_, Size{desktop.w - left - right, desktop.h - top - bottom});
    if (scale.factor == 1) return;
    SDL_SetWindowSize(window_, clientSize_.width * scale.factor,
                      clientSize_.height * scale.factor);
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

// A pointer event at window pixel (x, y), in client pixels.
Event SdlBackend::pointerEvent(Event::Type type, int x, int y) const {
    return mouseEvent(type, scale_.toClientX(x), scale_.toClientY(y));
}

// F11: borderless full screen on the window's display, and back.
void SdlBackend::toggleFullScreen() {
    const bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

std::optional<Event> SdlBackend::waitEvent(std::optional<uint64_t> deadline) {
    for (;;) {
        if (!pending_.empty()) {
            Event event = std::move(pending_.front());
            pending_.pop_front();
            return event;
        }
        SDL_Event raw;
        if (!deadline) {
            if (SDL_WaitEvent(&raw) == 0) throw sdlFailure("Waiting for window events failed");
        } else {
            const uint64_t now = clock_.nowMs();
            const bool gotOne =
                *deadline <= now ? SDL_PollEvent(&raw) != 0
                                 : SDL_WaitEventTimeout(&raw, static_cast<int>(std::min<uint64_t>(
                                                                  *deadline - now, INT_MAX))) != 0;
            if (!gotOne) return std::nullopt;
        }
        // Events the game has no use for are dropped and the wait goes on.
        if (std::optional<Event> event = translate(raw)) return event;
    }
}

std::optional<Event> SdlBackend::translate(const SDL_Event& raw) {
    if (std::vector<Event> keys; gamepads_->handle(raw, keys)) {
        if (keys.empty()) return std::nullopt;
        pending_.insert(pending_.end(), keys.begin() + 1, keys.end());
        return keys.front();
    }
    Event event;
    switch (raw.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const bool down = raw.type == SDL_KEYDOWN;
            if (down && raw.key.keysym.sym == SDLK_F11) {
                if (raw.key.repeat == 0 && window_) toggleFullScreen();
                return std::nullopt;
            }
            const int key = down ? virtualKeyFromSdl(raw.key.keysym.sym)
                                 : releasedKeyFromSdl(raw.key.keysym.sym);
            if (key < 0) return std::nullopt;
            event.type = raw.type == SDL_KEYDOWN ? Event::Type::KeyDown : Event::Type::KeyUp;
            event.key = key;
            event.repeat = raw.type == SDL_KEYDOWN && raw.key.repeat != 0;
            return event;
        }
        case SDL_TEXTINPUT:
            queueText(raw.text.text);
            return std::nullopt;
        case SDL_MOUSEMOTION:
            return pointerEvent(Event::Type::MouseMove, raw.motion.x, raw.motion.y);
        case SDL_MOUSEBUTTONDOWN:
            if (raw.button.button != SDL_BUTTON_LEFT) return std::nullopt;
            // Keep receiving the pointer while the button is held, so that a
            // release outside the window still reaches the game.
            SDL_CaptureMouse(SDL_TRUE);
            return pointerEvent(Event::Type::MouseDown, raw.button.x, raw.button.y);
        case SDL_MOUSEBUTTONUP:
            if (raw.button.button != SDL_BUTTON_LEFT) return std::nullopt;
            SDL_CaptureMouse(SDL_FALSE);
            return pointerEvent(Event::Type::MouseUp, raw.button.x, raw.button.y);
        case SDL_WINDOWEVENT:
            switch (raw.window.event) {
                case SDL_WINDOWEVENT_LEAVE:
                    return mouseEvent(Event::Type::MouseMove, -1, -1);
                case SDL_WINDOWEVENT_CLOSE:
                    event.type = Event::Type::Close;
                    return event;
                case SDL_WINDOWEVENT_EXPOSED:
                case SDL_WINDOWEVENT_SIZE_CHANGED:  // a new surface: everything again
                    event.type = Event::Type::Expose;
                    return event;
                default:
                    return std::nullopt;
            }
        case SDL_QUIT:
            event.type = Event::Type::Close;
            return event;
        default:
            if (raw.type != musicEndedEventType_) return std::nullopt;
            event.type = Event::Type::MusicEnded;
            return event;
    }
}

// One Char event per code point of the UTF-8 text; malformed bytes are skipped.
void SdlBackend::queueText(const char* utf8) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8);
    size_t i = 0;
    while (bytes[i] != 0) {
        const unsigned char lead = bytes[i];
        const int length = utf8SequenceLength(lead);
        if (length == 0) {
            ++i;
            continue;
        }
        char32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
        int taken = 1;
        // A terminating zero is not a continuation byte, so this never reads past the end.
        while (taken < length && (bytes[i + taken] & 0xC0) == 0x80)
            codePoint = codePoint << 6 | (bytes[i + taken++] & 0x3F);
        i += taken;
        if (taken < length) continue;
        Event event;
        event.type = Event::Type::Char;
        event.ch = codePoint;
        pending_.push_back(event);
    }
}

// SDL stamps an event with its own tick count when it takes it from the
// window system; held events are taken only once the handler returns, so
// everything pumped now is stamped after the hold began.
uint64_t SdlBackend::inputMoment() {
    return SDL_GetTicks();
}

void SdlBackend::dropInputSince(uint64_t moment) {
    SDL_PumpEvents();
    auto since = static_cast<uint32_t>(moment);
    SDL_FilterEvents(
        [](void* user, SDL_Event* event) -> int {
            const uint32_t start = *static_cast<const uint32_t*>(user);
            const bool press = event->type == SDL_KEYDOWN || event->type == SDL_TEXTINPUT ||
                               event->type == SDL_TEXTEDITING ||
                               event->type == SDL_MOUSEBUTTONDOWN ||
                               event->type == SDL_CONTROLLERBUTTONDOWN;
            return press && SDL_TICKS_PASSED(event->common.timestamp, start) ? 0 : 1;
        },
        &since);
}

void SdlBackend::raiseWindow() {
    if (window_) SDL_RaiseWindow(window_);
}

void SdlBackend::openUrl(const std::string& url) {
    // The desktop's opener shows the page in the player's browser. SDL's own
    // call reports success even where no opener exists, so the opener is
    // started here, where its absence can be told. The game does not wait
    // for the browser; a thread of its own collects the opener when it ends.
    std::string program = "xdg-open";
    std::string address = url;
    char* argv[] = {program.data(), address.data(), nullptr};
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, argv[0], nullptr, nullptr, argv, environ);
    if (error != 0)
        throw std::runtime_error("Cannot open the web page " + url + ": xdg-open " +
                                 std::strerror(error));
    std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
}

}  // namespace platform
