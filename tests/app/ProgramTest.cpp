// The program entry on the headless back-end: what start-up leaves behind.
#include "app/Program.h"
#include "platform/Headless.h"

#include <gtest/gtest.h>

#include "TestFiles.h"
#include "TestJpeg.h"
#include "app/Form1.h"
#include "app/Form2.h"
#include "core/ArchivePassword.h"

namespace {

using testfiles::TemporaryFolder;

struct StartedProgram {
    platform::HeadlessBackend backend;
    app::Program program;
    // What the program looked like once it was up, seen from inside the loop.
    std::string caption;
    std::string modal;
    bool musicWindowVisible = true;
    std::string musicFile;
    int32_t scrollX = -1;
    int32_t scrollY = -1;
    int effectPreset = -1;
    bool uploadPictureLoaded = false;
    platform::Size frameSize;

    explicit StartedProgram(const TemporaryFolder& folder)
        : program(backend, app::ProgramPaths{folder.folder(), folder.folder(), "tarnwick", ""}) {
        backend.setDriver([this](platform::HeadlessBackend& b) {
            app::TForm1& form = *program.Form1();
            caption = b.windowCaption();
            modal = program.Loop().topBox() ? program.Loop().topBox()->text() : "";
            musicWindowVisible = program.Form2()->Visible();
            musicFile = program.Form2()->Frame11.currentMusicFile;
            scrollX = form.State.scrollX;
            scrollY = form.State.scrollY;
            effectPreset = form.Effects.effectPreset;
            uploadPictureLoaded = !form.Upload.Image4.Picture().empty();
            frameSize = {program.Loop().frame().width(), program.Loop().frame().height()};
            b.queue(platform::Event{.type = platform::Event::Type::Quit});
        });
        EXPECT_EQ(program.Run(), 0);
    }
};

TEST(Program, ShowsTheWindowHidesTheMusicWindowAndStartsTheMusic) {
    TemporaryFolder folder;
    testfiles::writeFile(folder.path() / "pack" / "Level_hs.jpg", testfiles::encodeJpeg(32, 16));
    ASSERT_EQ(std::system(("cd '" + (folder.path() / "pack").string() + "' && zip -q -P " +
                           std::string(core::kLevelArchivePassword) + " ../level.zip Level_hs.jpg")
                              .c_str()),
              0);
    StartedProgram started(folder);
    EXPECT_EQ(started.caption, "Tarnwick for windows");
    EXPECT_EQ(started.frameSize, (platform::Size{646, 585}));
    EXPECT_FALSE(started.musicWindowVisible);
    EXPECT_EQ(started.musicFile, folder.folder() + "Pelwyn-Skyrush 2k4_64.wma");
    EXPECT_EQ(started.scrollX, 0);
    EXPECT_EQ(started.scrollY, 0);
    EXPECT_EQ(started.effectPreset, 255);
    EXPECT_TRUE(started.uploadPictureLoaded);
    // The only complaint is the music file this folder lacks.
    EXPECT_EQ(started.modal.rfind("MP3 file ", 0), 0u) << started.modal;
}

TEST(Program, AFailedUnpackSkipsTheRestOfCreationButTheGameGoesOn) {
    TemporaryFolder folder;
    // A picture left from an earlier run must not be loaded: the failed
    // unpack ends window creation before the picture load.
    testfiles::writeFile(folder.path() / "Level_hs.jpg", testfiles::encodeJpeg(32, 16));
    testfiles::writeFile(folder.path() / "level.zip", "this is not a zip archive");
    StartedProgram started(folder);
    EXPECT_NE(started.modal.find("level.zip"), std::string::npos) << started.modal;
    EXPECT_FALSE(started.uploadPictureLoaded);
    EXPECT_EQ(started.caption, "Tarnwick for windows");
    EXPECT_EQ(started.scrollX, 0);  // FormShow still ran
    EXPECT_FALSE(started.musicWindowVisible);
}

}  // namespace
