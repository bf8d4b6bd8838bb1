#include "AppTestSupport.h"

#include "model/ProjectStore.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

// When the store refuses the new project, the import says so instead of
// passing for a saved project, and the transcript stays open.
TEST(ImportSaveFailure, TheAlertSaysTheProjectIsNotOnDiskAndItStaysOpen)
{
    test::IsolatedHome home;
    const auto voice = test::speak(home.dir / "voice.wav", "Hello there. This is a short test.");
    const auto video = test::makeClip(home.dir / "talk.mp4", voice, 2);
    AppModel app;
    app.finishOnboarding();
    const auto projects = ProjectStore::directory();
    // While the speaker is tracked, the projects folder becomes a plain file.
    QObject::connect(&app, &AppModel::processingChanged, &app, [&] {
        if (!app.processing() || app.processing()->step != 3 || !std::filesystem::is_directory(projects)) return;
        std::filesystem::remove_all(projects);
        test::writeFile(projects, "not a folder");
    });
    app.importVideo(video);
    ASSERT_TRUE(test::waitForImport(app));

    ASSERT_TRUE(app.errorMessage());
    EXPECT_TRUE(app.errorMessage()->starts_with("The new project could not be saved")) << *app.errorMessage();
    EXPECT_EQ(app.screen(), Screen::editor);
    ASSERT_TRUE(app.editor());
    EXPECT_FALSE(app.editor()->project().words.empty());
    EXPECT_TRUE(app.projects().empty());
}

}  // namespace
}  // namespace vt
