// The gamepad's Start in the real game: a virtual pad that SDL plugs into the
// real SDL back-end and event loop, on a virtual display. Start pauses a
// mission and Start again resumes it, as P does, and the game's recording
// holds the pad's key as the game took it.
#include <SDL.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "TestFiles.h"
#include "app/Form1.h"
#include "app/Program.h"
#include "platform/ScriptRecorder.h"
#include "platform/SdlBackend.h"

namespace {

using testfiles::TemporaryFolder;

TEST(GamepadPause, StartPausesAMissionAndResumesIt) {
    TemporaryFolder data;
    const std::string recording = data.folder() + "recording.tws";
    platform::SdlBackend backend;
    app::Program program(backend, app::ProgramPaths{TARNWICK_PROGRAM_FOLDER "/", data.folder(),
                                                    "tarnwick", ""});
    platform::EventLoop& loop = program.Loop();
    platform::ScriptRecorder recorder(recording, loop.clock().startUtc());
    loop.setRecorder(&recorder);

    // One step every 200 ms, from inside the running game, while the loop
    // pumps SDL's events in between.
    int device = -1;
    SDL_Joystick* pad = nullptr;
    const auto setStart = [&](bool down) {
        SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_START, down ? 1 : 0);
    };
    std::vector<bool> paused;
    int step = 0;
    const auto driver = loop.createTimer([&] {
        app::TForm1& form = *program.Form1();
        switch (step++) {
            case 0:
                form.DIBFadeLabel1Click();  // "Start game"
                break;
            case 1:
                form.diblabel5Click();  // "Start Mission"
                device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER,
                                                   SDL_CONTROLLER_AXIS_MAX,
                                                   SDL_CONTROLLER_BUTTON_MAX, 0);
                break;
            case 2:
                pad = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(device));
                if (!pad) {
                    ADD_FAILURE() << "the plugged-in pad was not opened";
                    loop.quit();
                    return;
                }
                paused.push_back(form.State.paused);
                setStart(true);
                break;
            case 3:
                setStart(false);
                paused.push_back(form.State.paused);
                break;
            case 4:
                setStart(true);
                break;
            case 5:
                setStart(false);
                break;
            case 6:
                paused.push_back(form.State.paused);
                SDL_JoystickDetachVirtual(device);
                loop.quit();
                break;
        }
    });
    loop.startTimer(driver, 200);
    ASSERT_EQ(program.Run(), 0);

    EXPECT_EQ(paused, (std::vector<bool>{false, true, false}));
    std::ifstream in(recording);
    std::string line;
    std::vector<std::string> padKeys;
    while (std::getline(in, line))
        if (line.find("vk207") != std::string::npos) padKeys.push_back(line);
    EXPECT_EQ(padKeys, (std::vector<std::string>{"keydown vk207", "keyup vk207", "keydown vk207",
                                                 "keyup vk207"}));
}

}  // namespace
