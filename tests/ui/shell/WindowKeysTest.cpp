#include "ShellRig.h"

#include "app/MenuCommands.h"
#include "ui/editor/EditorView.h"
#include "ui/editor/TranscriptDock.h"

namespace vt {
namespace {

// The editor screen of a real window with the keyboard in the transcript
// dock, as after a click on the timeline.
struct KeysRig {
    test::Shell shell;
    EditorModel* editor = nullptr;
    ui::TranscriptDock* dock = nullptr;

    KeysRig()
    {
        shell.openProject(4);
        editor = shell.app.editor();
        EXPECT_TRUE(shell.waitForPlayer());
        shell.window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&shell.window));
        dock = shell.root.editorScreen()->dock();
        dock->focusPanel();
    }
    void key(Qt::Key key, Qt::KeyboardModifiers mods = {})
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &shell.window, key, mods);
    }
    std::size_t moves() const { return editor->project().motions ? editor->project().motions->size() : 0; }
};

// Ctrl+D copies the picked timeline item wherever the keyboard is, and
// Delete in the timeline removes it; without a picked item neither acts.
TEST(WindowKeys, CtrlDDuplicatesAndDeleteRemovesThePickedItem)
{
    KeysRig r;
    r.editor->setTranscriptMode(TranscriptMode::timeline);
    r.dock->focusPanel();
    const Uuid move = r.editor->addMotion(MotionEffect::Kind::zoomIn, 1);
    r.editor->setTimelineSelection(std::nullopt);
    r.key(Qt::Key_D, Qt::ControlModifier);
    r.key(Qt::Key_Delete);
    EXPECT_EQ(r.moves(), 1u);

    const TimelineItem picked{TimelineItem::Kind::motion, move};
    r.editor->setTimelineSelection(picked);
    r.key(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(r.moves(), 2u);
    // In the transcript too: the key is the Timeline menu's.
    r.editor->setTranscriptMode(TranscriptMode::transcription);
    r.editor->setTimelineSelection(picked);
    r.key(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(r.moves(), 3u);

    r.editor->setTranscriptMode(TranscriptMode::timeline);
    r.dock->focusPanel();
    r.editor->setTimelineSelection(picked);
    r.key(Qt::Key_Backspace);
    ASSERT_EQ(r.moves(), 2u);
    for (const MotionEffect& m : *r.editor->project().motions) EXPECT_NE(m.id, move);
}

// L at the end of the video plays it again from the start; elsewhere it
// plays on from the playhead.
TEST(WindowKeys, LAtTheEndPlaysFromTheStart)
{
    KeysRig r;
    const double end = MenuCommands::endTime(r.editor->plan());
    r.editor->seekExactly(end);
    r.key(Qt::Key_L);
    EXPECT_TRUE(r.editor->isPlaying());
    EXPECT_LT(r.editor->currentTime(), 0.5);
    r.key(Qt::Key_K);
    EXPECT_FALSE(r.editor->isPlaying());

    r.editor->seekExactly(end - 0.5);  // 0.5 s before the end: plays on
    r.key(Qt::Key_L);
    EXPECT_TRUE(r.editor->isPlaying());
    EXPECT_GT(r.editor->currentTime(), end - 0.6);
    r.key(Qt::Key_K);
}

// Alt+Space plays from the transcript like Space: no button of the panels
// beside it ("Knockout & Blend" and the other style categories) takes it
// for its keyboard mnemonic.
TEST(WindowKeys, AltSpacePlaysFromTheTranscript)
{
    KeysRig r;
    ASSERT_EQ(r.editor->inspectorTab(), InspectorTab::styles);
    r.key(Qt::Key_Space, Qt::AltModifier);
    EXPECT_TRUE(r.editor->isPlaying());
    EXPECT_EQ(QApplication::focusWidget(), r.dock);
    r.key(Qt::Key_K);
}

}  // namespace
}  // namespace vt
