#include "AppTestSupport.h"

#include "model/ProjectStore.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

// Leaving a project that cannot be saved keeps it open with the alert, so
// its edits are not thrown away; once the store works again it closes.
TEST(CloseEditorSave, AProjectTheStoreRefusesStaysOpen)
{
    test::IsolatedHome home;
    AppModel app;
    Project project;
    project.name = "Trip";
    project.videoPath = test::makeClip(home.dir / "trip.mp4", std::nullopt, 1).string();
    ASSERT_EQ(ProjectStore::save(project), ProjectStore::SaveResult::saved);
    app.open(project);
    ASSERT_TRUE(app.editor());
    app.editor()->updateProject([](Project& p) { p.name = "Trip edited"; });

    const auto folder = ProjectStore::directory();
    const auto moved = home.dir / "moved";
    std::filesystem::rename(folder, moved);
    test::writeFile(folder, "not a folder");
    const std::function<void()> leaving[] = {[&] { app.closeEditor(); }, [&] { app.findShorts(project); }};
    for (const auto& leave : leaving) {
        app.setErrorMessage(std::nullopt);
        leave();
        EXPECT_EQ(app.screen(), Screen::editor);
        ASSERT_TRUE(app.editor());
        ASSERT_TRUE(app.errorMessage());
        EXPECT_EQ(*app.errorMessage(), "The project could not be saved, so it stays open.");
    }

    std::filesystem::remove(folder);
    std::filesystem::rename(moved, folder);
    app.closeEditor();
    EXPECT_EQ(app.screen(), Screen::home);
    EXPECT_FALSE(app.editor());
    ASSERT_EQ(app.projects().size(), 1u);
    EXPECT_EQ(app.projects().front().name, "Trip edited");
}

}  // namespace
}  // namespace vt
