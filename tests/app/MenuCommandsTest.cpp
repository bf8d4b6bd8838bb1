#include "AppTestSupport.h"

#include "app/MenuCommands.h"
#include "model/ProjectStore.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

using namespace MenuCommands;

TEST(MenuCommands, ZoomStepsAndTheEndOfTheCut)
{
    const std::pair<double, double> in[] = {{1, 1.6}, {30, 40}, {40, 40}};
    for (const auto& [from, to] : in) EXPECT_DOUBLE_EQ(zoomedIn(from), to) << from;
    const std::pair<double, double> out[] = {{1.6, 1}, {1.2, 1}, {1, 1}};
    for (const auto& [from, to] : out) EXPECT_DOUBLE_EQ(zoomedOut(from), to) << from;

    EditPlan plan;
    EXPECT_EQ(endTime(plan), 0);
    plan.segments = {{0, 4, 0}, {6, 14, 4}};  // 12 s of output
    EXPECT_NEAR(endTime(plan), 11.95, 1e-9);
    plan.segments = {{0, 0.02, 0}};
    EXPECT_EQ(endTime(plan), 0);
}

TEST(MenuCommands, ActOnTheOpenProjectOnlyOnTheEditorScreen)
{
    test::IsolatedHome home;
    AppModel app;
    Project project;
    project.name = "Trip";
    project.videoPath = test::makeClip(home.dir / "trip.mp4", std::nullopt, 2).string();
    project.sourceDuration = 2;
    for (int i = 0; i < 4; ++i) {
        Word w;
        w.text = "word" + std::to_string(i);
        w.start = i * 0.5;
        w.end = i * 0.5 + 0.4;
        w.deleted = i == 1;
        project.words.push_back(w);
    }
    ProjectStore::save(project);
    app.open(project);
    EditorModel* editor = app.editor();
    ASSERT_TRUE(editor);

    showPanel(app, InspectorTab::hook);
    editor->setItemInspectorOpen(true);
    showExport(app);
    EXPECT_EQ(editor->inspectorTab(), InspectorTab::exportTab);
    EXPECT_FALSE(editor->itemInspectorOpen());

    setCaptionsVisible(app, false);
    EXPECT_FALSE(editor->project().captionsVisible);
    zoomIn(app);
    EXPECT_DOUBLE_EQ(editor->timelineZoom(), 1.6);
    goToEnd(app);
    EXPECT_NEAR(editor->currentTime(), endTime(editor->plan()), 1e-9);
    EXPECT_GT(editor->currentTime(), 1);

    ASSERT_EQ(editor->cutCount(), 1);
    restoreAllCuts(app);
    EXPECT_EQ(editor->cutCount(), 0);
    undo(app);
    EXPECT_EQ(editor->cutCount(), 1);
    redo(app);
    EXPECT_EQ(editor->cutCount(), 0);

    // Off the editor screen the commands do nothing.
    app.setScreen(Screen::home);
    undo(app);
    showWholeVideo(app);
    EXPECT_EQ(editor->cutCount(), 0);
    EXPECT_DOUBLE_EQ(editor->timelineZoom(), 1.6);
}

}  // namespace
}  // namespace vt
