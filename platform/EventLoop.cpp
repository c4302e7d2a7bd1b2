#include "EventLoop.h"

#include <algorithm>
#include <exception>

namespace platform {

EventLoop::EventLoop(Backend& backend, size_t runningTimerCap)
    : backend_(backend), clock_(backend.clock()), runningTimerCap_(runningTimerCap) {}

EventLoop::~EventLoop() = default;

// ---------------------------------------------------------------- timers

EventLoop::TimerId EventLoop::createTimer(std::function<void()> onTick) {
    const TimerId id = nextTimerId_++;
    timers_[id].onTick = std::move(onTick);
    return id;
}

bool EventLoop::startTimer(TimerId id, uint32_t periodMs) {
    auto it = timers_.find(id);
    if (it == timers_.end() || it->second.destroyed) return false;
    Timer& timer = it->second;
    if (!timer.running) {
        if (runningTimers_ >= runningTimerCap_) return false;
        ++runningTimers_;
        timer.running = true;
    }
    timer.period = std::max(periodMs, kMinimumPeriodMs);
    timer.due = clock().nowMs() + timer.period;
    return true;
}

void EventLoop::stopTimer(TimerId id) {
    auto it = timers_.find(id);
    if (it == timers_.end() || !it->second.running) return;
    it->second.running = false;
    --runningTimers_;
}

void EventLoop::destroyTimer(TimerId id) {
    stopTimer(id);
    auto it = timers_.find(id);
    if (it == timers_.end()) return;
    // A handler may destroy its own timer; its std::function must outlive the call.
    if (tickingTimer_ == id)
        it->second.destroyed = true;
    else
        timers_.erase(it);
}

bool EventLoop::timerRunning(TimerId id) const {
    auto it = timers_.find(id);
    return it != timers_.end() && it->second.running;
}

std::optional<uint64_t> EventLoop::nextDue() const {
    std::optional<uint64_t> due;
    for (const auto& [id, timer] : timers_)
        if (timer.running && (!due || timer.due < *due)) due = timer.due;
    return due;
}

std::optional<EventLoop::TimerId> EventLoop::dueTimer(uint64_t now) const {
    // Earliest due first; std::map iterates in creation order, so a strict
    // comparison keeps ties in creation order.
    std::optional<TimerId> chosen;
    uint64_t chosenDue = 0;
    for (const auto& [id, timer] : timers_) {
        if (!timer.running || timer.due > now) continue;
        if (!chosen || timer.due < chosenDue) {
            chosen = id;
            chosenDue = timer.due;
        }
    }
    return chosen;
}

std::optional<uint32_t> EventLoop::duePeriod(uint64_t atMs) const {
    const std::optional<TimerId> id = dueTimer(atMs);
    if (!id) return std::nullopt;
    return timers_.at(*id).period;
}

bool EventLoop::runDueTimer() {
    const uint64_t now = clock_.nowMs();
    const std::optional<TimerId> due = dueTimer(now);
    if (!due) return false;
    const TimerId chosen = *due;

    Timer& timer = timers_[chosen];
    // A late timer ticks once and skips the periods it missed, keeping its phase.
    const uint64_t missed = (now - timer.due) / timer.period;
    timer.due += (missed + 1) * timer.period;
    if (recorder_) recorder_->tick(clock_.elapsedMs(), timer.period);

    tickingTimer_ = chosen;
    const std::function<void()> onTick = timer.onTick;
    guarded(onTick);
    tickingTimer_.reset();

    auto it = timers_.find(chosen);
    if (it != timers_.end() && it->second.destroyed) timers_.erase(it);
    return true;
}

// ---------------------------------------------------------------- window

void EventLoop::openWindow(WindowClient& client, const std::string& caption,
                           const std::string& appTitle, Size clientSize) {
    client_ = &client;
    clientSize_ = clientSize;
    appTitle_ = appTitle;
    frame_ = core::Bitmap(clientSize.width, clientSize.height);
    backend_.showWindow(caption, appTitle, clientSize);
    invalidateAll();
    // Errors raised while the window was being made show as soon as it is up.
    showNextQueuedMessage();
    repaint();
}

void EventLoop::closeWindow() {
    client_ = nullptr;
}

void EventLoop::invalidate(const Rect& area) {
    dirty_ = dirty_.united(area.intersected(Rect{0, 0, clientSize_.width, clientSize_.height}));
}

void EventLoop::invalidateAll() {
    invalidate(Rect{0, 0, clientSize_.width, clientSize_.height});
}

void EventLoop::repaint() {
    if (!client_ || dirty_.empty()) return;
    Rect area = dirty_;
    dirty_ = Rect{};
    guarded([&] { client_->paint(frame_, area); });
    // Boxes lie over everything: whatever the client repainted under a box
    // is covered again.
    for (const auto& box : boxes_) {
        if (box->bounds().intersected(area).empty()) continue;
        box->draw(frame_);
        area = area.united(box->bounds());
    }
    backend_.present(frame_, area);
}

void EventLoop::holdWindow(const std::function<void()>& work) {
    struct DropInputAfterwards {
        Backend& backend;
        uint64_t since;
        ~DropInputAfterwards() { backend.dropInputSince(since); }
    } dropAfterwards{backend_, backend_.inputMoment()};
    work();
}

// ---------------------------------------------------------------- boxes

void EventLoop::queueMessage(const std::string& text) {
    const bool known =
        std::any_of(boxes_.begin(), boxes_.end(),
                    [&](const auto& box) { return box->text() == text; }) ||
        std::find(queuedMessages_.begin(), queuedMessages_.end(), text) != queuedMessages_.end();
    if (known) return;
    queuedMessages_.push_back(text);
    showNextQueuedMessage();
}

void EventLoop::showNextQueuedMessage() {
    // One message box at a time; the next waits until OK closes it.
    const bool messageShown = std::any_of(boxes_.begin(), boxes_.end(), [](const auto& box) {
        return box->kind() == MessageBox::Kind::Message;
    });
    if (messageShown || queuedMessages_.empty() || clientSize_.width == 0) return;
    boxes_.push_back(std::make_shared<MessageBox>(MessageBox::Kind::Message,
                                                  queuedMessages_.front(), appTitle_, clientSize_));
    queuedMessages_.pop_front();
    invalidate(boxes_.back()->bounds());
}

BoxButton EventLoop::askYesNo(const std::string& text, const std::string& caption) {
    auto box = std::make_shared<MessageBox>(MessageBox::Kind::Question, text, caption, clientSize_);
    boxes_.push_back(box);
    invalidate(box->bounds());
    repaint();
    while (!box->answer && !quitting_) iterate();
    if (!box->answer) {
        boxes_.erase(std::remove(boxes_.begin(), boxes_.end(), box), boxes_.end());
        return BoxButton::No;
    }
    return *box->answer;
}

const MessageBox* EventLoop::topBox() const {
    return boxes_.empty() ? nullptr : boxes_.back().get();
}

void EventLoop::answerTopBox(BoxButton button) {
    auto box = boxes_.back();
    boxes_.pop_back();
    box->answer = button;
    invalidate(box->bounds());
    if (box->kind() == MessageBox::Kind::Message) showNextQueuedMessage();
}

// ---------------------------------------------------------------- events

void EventLoop::run() {
    showNextQueuedMessage();
    while (!quitting_) iterate();
}

void EventLoop::iterate() {
    // Input and paint go before timers, as ticks are the lowest-priority work.
    std::optional<Event> event = nextEvent(backend_.clock().nowMs());
    if (!event && !dueTimer(backend_.clock().nowMs())) event = nextEvent(nextDue());
    // One step: an event or a tick, and the game's clock stands at its start.
    clock_.catchUp();
    if (event) {
        if (recorder_ && eventFromBackend_) recorder_->input(clock_.elapsedMs(), *event);
        dispatch(*event);
    } else {
        runDueTimer();
    }
    repaint();
}

std::optional<Event> EventLoop::nextEvent(std::optional<uint64_t> deadline) {
    eventFromBackend_ = posted_.empty();
    if (!posted_.empty()) {
        Event event = std::move(posted_.front());
        posted_.pop_front();
        return event;
    }
    return backend_.waitEvent(deadline);
}

void EventLoop::dispatch(Event& event) {
    switch (event.type) {
        case Event::Type::KeyDown:
            keys_.press(event.key);
            break;
        case Event::Type::KeyUp:
            keys_.release(event.key);
            break;
        case Event::Type::Expose:
            invalidateAll();
            return;
        case Event::Type::MusicEnded:
            if (onMusicEnded_) guarded(onMusicEnded_);
            return;
        case Event::Type::Call:
            if (event.call) guarded(event.call);
            return;
        case Event::Type::Quit:
            quitting_ = true;
            return;
        default:
            break;
    }
    deliverInput(event);
}

void EventLoop::deliverInput(const Event& event) {
    if (!boxes_.empty()) {
        // The box on top takes keyboard and mouse until it is answered. Key
        // releases still reach the window, so that no key stays down there.
        MessageBox& box = *boxes_.back();
        std::optional<BoxButton> answer;
        switch (event.type) {
            case Event::Type::KeyDown:
                if (!event.repeat) answer = box.key(event.key);
                break;
            case Event::Type::MouseDown:
                box.mouseDown(event.x, event.y);
                invalidate(box.bounds());
                break;
            case Event::Type::MouseUp:
                answer = box.mouseUp(event.x, event.y);
                invalidate(box.bounds());
                break;
            case Event::Type::KeyUp:
                if (client_) guarded([&] { client_->keyUp(event.key); });
                break;
            case Event::Type::Close:
                if (client_) guarded([&] { client_->closeRequested(); });
                break;
            default:
                break;
        }
        if (answer) answerTopBox(*answer);
        return;
    }
    if (!client_) {
        if (event.type == Event::Type::Close) quitting_ = true;
        return;
    }
    guarded([&] {
        switch (event.type) {
            case Event::Type::KeyDown:
                client_->keyDown(event.key);
                break;
            case Event::Type::KeyUp:
                client_->keyUp(event.key);
                break;
            case Event::Type::Char:
                client_->keyChar(event.ch);
                break;
            case Event::Type::MouseMove:
                client_->mouseMove(event.x, event.y);
                break;
            case Event::Type::MouseDown:
                client_->mouseDown(event.x, event.y);
                break;
            case Event::Type::MouseUp:
                client_->mouseUp(event.x, event.y);
                break;
            case Event::Type::Close:
                client_->closeRequested();
                break;
            default:
                break;
        }
    });
}

void EventLoop::guarded(const std::function<void()>& handler) {
    // An error ends the handler that raised it; the game goes on and the
    // error's own text is shown in a box.
    try {
        handler();
    } catch (const std::exception& error) {
        queueMessage(error.what());
    } catch (...) {
        queueMessage("Unknown error");
    }
}

}  // namespace platform
