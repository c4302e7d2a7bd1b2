#include "Driver.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>

#include "Json.h"
#include "Pointer.h"
#include "RecordedSteps.h"
#include "app/Form1.h"
#include "engine/Collisions.h"
#include "platform/Keys.h"
#include "platform/Png.h"

namespace sim {
namespace {

using platform::Event;

// The longest wait one command may ask for: a day of game time already takes
// the driver many minutes to run.
constexpr int64_t kLongestWaitMs = 24 * 60 * 60 * 1000;
// A soak may play a week of game time.
constexpr int64_t kLongestSoakMs = 7 * kLongestWaitMs;

double parseReal(const Command& command, const std::string& text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        throw ScriptError(command.line, "not a finite number: " + text);
    return value;
}

// Decodes UTF-8 into code points; a byte that starts no complete sequence
// stands for itself.
std::vector<char32_t> codePoints(const std::string& text) {
    std::vector<char32_t> out;
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        if (i + extra >= text.size()) {
            out.push_back(lead);
            ++i;
            continue;
        }
        char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
        for (size_t k = 1; k <= extra; ++k)
            cp = cp << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out.push_back(cp);
        i += extra + 1;
    }
    return out;
}

void writeProperty(JsonWriter& json, const ui::PropertyValue& value) {
    std::visit(
        [&](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::vector<std::string>>) {
                json.beginArray();
                for (const auto& line : v) json.value(std::string_view(line));
                json.endArray();
            } else if constexpr (std::is_same_v<T, std::string>) {
                json.value(std::string_view(v));
            } else {
                json.value(v);
            }
        },
        value);
}

// FNV-1a over the colour of every pixel of the window: a golden frame in a
// test is one short text, and any moved, resized or restacked control shows.
std::string frameChecksum(const core::Bitmap& frame) {
    uint64_t hash = 0xCBF29CE484222325u;
    for (int y = 0; y < frame.height(); ++y) {
        const uint32_t* row = frame.row(y);
        for (int x = 0; x < frame.width(); ++x) {
            for (int shift = 0; shift < 24; shift += 8) {
                hash ^= (row[x] >> shift) & 0xFFu;
                hash *= 0x100000001B3u;
            }
        }
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

}  // namespace

Driver::Driver(ScriptReader& script, app::Program& program, platform::HeadlessBackend& backend,
               std::ostream& out)
    : script_(script), program_(program), backend_(backend), out_(out) {}

void Driver::next() {
    // Commands that gave the game nothing to do (a dump, "wait 0", an empty
    // "type") are carried out and the next one is read at once: only input
    // or time hands control back to the game.
    while (!ended_) {
        if (player_) {
            if (player_->step()) return;
            reportSoak();
            player_.reset();
            if (backend_.hasPendingWork()) return;
            continue;
        }
        const std::optional<Command> command = script_.next();
        if (!command) {
            ended_ = true;
            break;
        }
        try {
            execute(*command);
        } catch (const ScriptError& error) {
            // Thrown here, the error would unwind into whatever handler is
            // running (a nested question loop turns it into an in-game box);
            // instead the program ends and main reports it.
            failure_ = error;
            ended_ = true;
            break;
        }
        if (backend_.hasPendingWork()) return;
    }
    backend_.queue(Event{.type = Event::Type::Quit});
}

void Driver::execute(const Command& c) {
    const std::string& w = c.word;
    if (w == "wait") {
        expectArgs(c, 1);
        const int64_t ms = parseInteger(c, c.args[0]);
        if (ms < 0 || ms > kLongestWaitMs)
            throw ScriptError(c.line, "wait takes 0 to " + std::to_string(kLongestWaitMs) + " ms");
        backend_.advanceBy(static_cast<uint64_t>(ms));
    } else if (w == "soak") {
        soak(c);
    } else if (w == "press") {
        press(c);
    } else if (w == "release") {
        release(c);
    } else if (w == "type") {
        type(c);
    } else if (w == "click") {
        pointAt(c, true);
    } else if (w == "hover") {
        pointAt(c, false);
    } else if (w == "unhover") {
        expectArgs(c, 0);
        backend_.queue(Event{.type = Event::Type::MouseMove, .x = -1, .y = -1});
    } else if (w == "answer") {
        answer(c);
    } else if (w == "set") {
        set(c);
    } else if (w == "effect") {
        effect(c);
    } else if (w == "quit") {
        expectArgs(c, 0);
        backend_.queue(Event{.type = Event::Type::Close});
    } else if (w == "dump") {
        expectArgs(c, 0);
        dump();
    } else if (w == "control") {
        control(c);
    } else if (w == "sounds") {
        expectArgs(c, 0);
        sounds();
    } else if (w == "shot") {
        shot(c);
    } else if (w == "pixel") {
        pixel(c);
    } else if (w == "rock") {
        rock(c);
    } else if (w == "urls") {
        expectArgs(c, 0);
        urls();
    } else if (w == "clock" || w == "start") {
        throw ScriptError(c.line, w + " must come before the program runs");
    } else if (!ExecuteRecordedStep(c, backend_, program_.Loop())) {
        throw ScriptError(c.line, "unknown command: " + w);
    }
}

void Driver::press(const Command& c) {
    expectArgs(c, 1);
    const int key = parseKey(c, c.args[0]);
    backend_.queue(Event{.type = Event::Type::KeyDown, .key = key});
    // A letter or digit also types its character, as a keyboard does.
    if (c.args[0].size() == 1) {
        const bool shift = program_.Loop().keys().held(platform::vk::Shift);
        const char ch =
            shift ? static_cast<char>(std::toupper(static_cast<unsigned char>(c.args[0][0])))
                  : static_cast<char>(std::tolower(static_cast<unsigned char>(c.args[0][0])));
        backend_.queue(Event{.type = Event::Type::Char, .ch = static_cast<char32_t>(ch)});
    }
}

void Driver::release(const Command& c) {
    expectArgs(c, 1);
    backend_.queue(Event{.type = Event::Type::KeyUp, .key = parseKey(c, c.args[0])});
}

void Driver::type(const Command& c) {
    for (const char32_t ch : codePoints(c.rest))
        backend_.queue(Event{.type = Event::Type::Char, .ch = ch});
}

void Driver::pointAt(const Command& c, bool click) {
    expectArgs(c, 1);
    app::TForm1* form = program_.Form1();
    ui::Control* control = form ? form->FindControl(c.args[0]) : nullptr;
    if (!control) throw ScriptError(c.line, "no control named " + c.args[0]);
    QueuePointer(backend_, control->BoundsInWindow(), click);
}

void Driver::answer(const Command& c) {
    expectArgs(c, 1);
    const std::map<std::string, platform::BoxButton> buttons{{"yes", platform::BoxButton::Yes},
                                                             {"no", platform::BoxButton::No},
                                                             {"ok", platform::BoxButton::Ok}};
    const auto it = buttons.find(c.args[0]);
    if (it == buttons.end()) throw ScriptError(c.line, "answer takes yes, no or ok");
    const platform::MessageBox* box = program_.Loop().topBox();
    if (!box) throw ScriptError(c.line, "no box is open");
    const auto rect = box->buttonRect(it->second);
    if (!rect) throw ScriptError(c.line, "the box on top has no " + c.args[0] + " button");
    QueuePointer(backend_, *rect, true);
}

void Driver::set(const Command& c) {
    expectArgs(c, 2);
    app::TForm1& form = *program_.Form1();
    const std::string& name = c.args[0];
    const std::string& text = c.args[1];
    // Checked and converted now, applied on the loop like any handler.
    std::function<void()> apply;
    if (name == "effectPreset") {
        const auto v = parseWithin<uint8_t>(c, text);
        apply = [&form, v] { form.Effects.effectPreset = v; };
    } else if (name == "particleCap") {
        const auto v = parseWithin<int32_t>(c, text);
        apply = [&form, v] { form.Effects.particleCap = v; };
    } else {
        const core::GameStateField* field = core::findGameStateField(name);
        if (!field) throw ScriptError(c.line, "no game-state variable named " + name);
        core::GameState& state = form.State;
        apply = std::visit(
            [&](auto member) -> std::function<void()> {
                using T = std::decay_t<decltype(state.*member)>;
                if constexpr (std::is_same_v<T, bool>) {
                    if (text != "true" && text != "false")
                        throw ScriptError(c.line, name + " takes true or false");
                    const bool v = text == "true";
                    return [&state, member, v] { state.*member = v; };
                } else if constexpr (std::is_same_v<T, double>) {
                    const double v = parseReal(c, text);
                    return [&state, member, v] { state.*member = v; };
                } else if (name == "difficulty") {
                    // Only the three levels exist; the bonuses divide by it.
                    const T v = parseWithin<T>(c, text, 1, 3);
                    return [&state, member, v] { state.*member = v; };
                } else {
                    const T v = parseWithin<T>(c, text);
                    return [&state, member, v] { state.*member = v; };
                }
            },
            field->member);
    }
    backend_.queue(Event{.type = Event::Type::Call, .call = apply});
}

void Driver::effect(const Command& c) {
    expectArgs(c, 1);
    const auto preset = parseWithin<uint8_t>(c, c.args[0]);
    app::TForm1& form = *program_.Form1();
    backend_.queue(Event{.type = Event::Type::Call, .call = [&form, preset] {
                             form.Effects.effectPreset = preset;
                             form.SpawnEffect();
                         }});
}

void Driver::dump() {
    app::TForm1& form = *program_.Form1();
    JsonWriter json;
    json.beginObject();
    for (const core::GameStateField& field : core::gameStateFields()) {
        json.key(field.name);
        std::visit(
            [&](auto member) {
                const auto v = form.State.*member;
                using T = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<T, bool>)
                    json.value(v);
                else if constexpr (std::is_same_v<T, double>)
                    json.value(v);
                else
                    json.value(static_cast<int64_t>(v));
            },
            field.member);
    }
    json.key("effectPreset").value(static_cast<int64_t>(form.Effects.effectPreset));
    json.key("particleCap").value(static_cast<int64_t>(form.Effects.particleCap));
    json.key("timers").beginObject();
    const std::pair<const char*, const dib::TDIBTimer*> timers[] = {{"DIBTimer1", &form.DIBTimer1},
                                                                    {"timer1", &form.timer1},
                                                                    {"DIBTimer2", &form.DIBTimer2},
                                                                    {"DIBTimer3", &form.DIBTimer3}};
    for (const auto& [name, timer] : timers) {
        json.key(name).beginObject();
        json.key("Enabled").value(timer->Enabled());
        json.key("Interval").value(static_cast<int64_t>(timer->Interval()));
        json.endObject();
    }
    json.endObject();
    json.key("modal");
    if (const platform::MessageBox* box = program_.Loop().topBox())
        json.value(std::string_view(box->text()));
    else
        json.null();
    json.key("particles").value(static_cast<int64_t>(form.ParticleCount()));
    json.key("frame").value(std::string_view(frameChecksum(program_.Loop().frame())));
    json.endObject();
    out_ << json.str() << '\n' << std::flush;
}

void Driver::control(const Command& c) {
    expectArgs(c, 1);
    ui::Control* control = program_.Form1()->FindControl(c.args[0]);
    if (!control) throw ScriptError(c.line, "no control named " + c.args[0]);
    JsonWriter json;
    json.beginObject();
    json.key("Left").value(static_cast<int64_t>(control->Left()));
    json.key("Top").value(static_cast<int64_t>(control->Top()));
    json.key("Width").value(static_cast<int64_t>(control->Width()));
    json.key("Height").value(static_cast<int64_t>(control->Height()));
    json.key("Visible").value(control->Visible());
    json.key("Enabled").value(control->Enabled());
    for (const auto& [name, value] : control->ExtraProperties()) {
        json.key(name);
        writeProperty(json, value);
    }
    json.endObject();
    out_ << json.str() << '\n' << std::flush;
}

void Driver::sounds() {
    JsonWriter json;
    json.beginArray();
    for (const std::string& entry : backend_.audio().takeLog()) json.value(std::string_view(entry));
    json.endArray();
    out_ << json.str() << '\n' << std::flush;
}

void Driver::urls() {
    JsonWriter json;
    json.beginArray();
    for (const std::string& url : backend_.takeUrls()) json.value(std::string_view(url));
    json.endArray();
    out_ << json.str() << '\n' << std::flush;
}

void Driver::pixel(const Command& c) {
    expectArgs(c, 2);
    const core::Bitmap& frame = program_.Loop().frame();
    const int x = parseWithin<int>(c, c.args[0], 0, frame.width() - 1);
    const int y = parseWithin<int>(c, c.args[1], 0, frame.height() - 1);
    JsonWriter json;
    json.beginObject();
    json.key("x").value(static_cast<int64_t>(x));
    json.key("y").value(static_cast<int64_t>(y));
    json.key("rgb").value(static_cast<int64_t>(frame.pixel(x, y).value & 0xFFFFFFu));
    json.endObject();
    out_ << json.str() << '\n' << std::flush;
}

void Driver::rock(const Command& c) {
    expectArgs(c, 4);
    // Any window onto the world, as long as it stays a few pictures wide:
    // points outside the level picture read as open, as in the game.
    constexpr int kReach = 4096;
    const int x = parseWithin<int>(c, c.args[0], -kReach, kReach);
    const int y = parseWithin<int>(c, c.args[1], -kReach, kReach);
    const int w = parseWithin<int>(c, c.args[2], 1, kReach);
    const int h = parseWithin<int>(c, c.args[3], 1, kReach);
    const effects::LevelPictures& pictures = program_.Form1()->Pictures;
    JsonWriter json;
    json.beginObject();
    json.key("x").value(static_cast<int64_t>(x));
    json.key("y").value(static_cast<int64_t>(y));
    json.key("w").value(static_cast<int64_t>(w));
    json.key("h").value(static_cast<int64_t>(h));
    // One hex digit for four points of a row, the leftmost in its top bit.
    json.key("rows").beginArray();
    std::string row;
    for (int py = y; py < y + h; ++py) {
        row.clear();
        for (int px = x; px < x + w; px += 4) {
            int nibble = 0;
            for (int k = 0; k < 4; ++k)
                if (px + k < x + w && engine::IsRock(pictures.LevelPixel(px + k, py)))
                    nibble |= 8 >> k;
            row += "0123456789abcdef"[nibble];
        }
        json.value(std::string_view(row));
    }
    json.endArray();
    json.endObject();
    out_ << json.str() << '\n' << std::flush;
}

void Driver::soak(const Command& c) {
    expectArgs(c, 2);
    const int64_t ms = parseInteger(c, c.args[0]);
    if (ms < 1 || ms > kLongestSoakMs)
        throw ScriptError(c.line, "soak takes 1 to " + std::to_string(kLongestSoakMs) + " ms");
    const auto seed = parseWithin<uint32_t>(c, c.args[1], 0, UINT32_MAX);
    player_.emplace(program_, backend_, seed, static_cast<uint64_t>(ms));
}

void Driver::reportSoak() {
    const RandomPlayer::Progress& p = player_->progress();
    JsonWriter json;
    json.beginObject();
    json.key("virtualMs").value(static_cast<int64_t>(p.virtualMs));
    json.key("gamesStarted").value(int64_t{p.gamesStarted});
    json.key("missionsStarted").value(int64_t{p.missionsStarted});
    json.key("missionsWon").value(int64_t{p.missionsWon});
    json.key("livesLost").value(int64_t{p.livesLost});
    json.key("gamesEnded").value(int64_t{p.gamesEnded});
    json.key("questions").value(int64_t{p.questions});
    json.key("pauses").value(int64_t{p.pauses});
    json.key("skips").value(int64_t{p.skips});
    json.key("residentKiBAtHalf").value(static_cast<int64_t>(p.residentKiBAtHalf));
    json.key("residentKiBAtEnd").value(static_cast<int64_t>(p.residentKiBAtEnd));
    json.endObject();
    out_ << json.str() << '\n' << std::flush;
}

void Driver::shot(const Command& c) {
    if (c.rest.empty()) throw ScriptError(c.line, "shot takes a file path");
    try {
        platform::savePng(program_.Loop().frame(), c.rest);
    } catch (const std::exception& error) {
        throw ScriptError(c.line, error.what());
    }
}

}  // namespace sim
