#include "AppTestSupport.h"

#include "app/MenuCommands.h"
#include "model/ProjectStore.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

using namespace MenuCommands;

int countWords(const EditorModel& editor, bool Word::*flag)
{
    int n = 0;
    for (const Word& w : editor.project().words) n += w.*flag ? 1 : 0;
    return n;
}

// The Edit menu's word commands act on the selection of the open project.
TEST(MenuWordCommands, CutEmphasizeAndRemoveFillers)
{
    test::IsolatedHome home;
    AppModel app;
    Project project;
    project.videoPath = test::makeClip(home.dir / "talk.mp4", std::nullopt, 2).string();
    project.sourceDuration = 2;
    for (const char* text : {"so", "um", "this", "works"}) {
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
    editor->setSelection({project.words[2].id, project.words[3].id});

    cutSelectedWords(app);
    EXPECT_EQ(countWords(*editor, &Word::deleted), 2);
    cutSelectedWords(app);  // every selected word cut: they come back
    EXPECT_EQ(countWords(*editor, &Word::deleted), 0);

    emphasizeSelectedWords(app);
    EXPECT_EQ(countWords(*editor, &Word::emphasized), 2);

    ASSERT_GT(editor->fillerCount(), 0);
    removeFillerWords(app);
    EXPECT_EQ(editor->fillerCount(), 0);
    EXPECT_TRUE(editor->project().words[1].deleted);  // "um"
    EXPECT_FALSE(editor->project().words[2].deleted);

    // Off the editor screen they do nothing.
    app.setScreen(Screen::home);
    cutSelectedWords(app);
    EXPECT_FALSE(editor->project().words[2].deleted);
}

}  // namespace
}  // namespace vt
