#include "app/AppTestSupport.h"

#include "app/MenuCommands.h"
#include "model/ProjectStore.h"
#include "ui/shell/AppCommands.h"
#include "ui/shell/MainWindow.h"

#include <QAction>
#include <gtest/gtest.h>

namespace vt {
namespace {

// The Edit menu's word items reach the open project's words.
TEST(EditMenuWordActions, CutEmphasizeAndRemoveFillersAct)
{
    test::IsolatedHome home;
    AppModel app;
    MainWindow window(app);
    Project project;
    project.videoPath = test::makeClip(home.dir / "talk.mp4", std::nullopt, 2).string();
    project.sourceDuration = 2;
    for (const char* text : {"um", "this", "works"}) {
        Word w;
        w.id = Uuid::random();
        w.text = text;
        w.start = project.words.size() * 0.5;
        w.end = w.start + 0.4;
        project.words.push_back(w);
    }
    ProjectStore::save(project);
    app.open(project);
    EditorModel* editor = app.editor();
    ASSERT_TRUE(editor);
    editor->setSelection({project.words[2].id});
    const auto trigger = [&](const char* title) {
        QAction* action = window.commands()->action(QString::fromUtf8(title));
        ASSERT_TRUE(action && action->isEnabled()) << title;
        action->trigger();
    };
    trigger("Cut Selected Words From the Video  (Delete)");
    EXPECT_TRUE(editor->project().words[2].deleted);
    trigger("Cut Selected Words From the Video  (Delete)");  // all already cut: restored
    EXPECT_FALSE(editor->project().words[2].deleted);
    trigger("Emphasize Selected Words");
    EXPECT_TRUE(editor->project().words[2].emphasized);
    trigger("Remove Filler Words");
    EXPECT_TRUE(editor->project().words[0].deleted);
    EXPECT_FALSE(editor->project().words[1].deleted);
    EXPECT_EQ(editor->fillerCount(), 0);

    // Off the editor screen the commands do nothing.
    app.setScreen(Screen::home);
    MenuCommands::cutSelectedWords(app);
    EXPECT_FALSE(editor->project().words[2].deleted);
}

}  // namespace
}  // namespace vt
