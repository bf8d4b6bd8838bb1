#include "EditorUiRig.h"

#include "ui/editor/EditorView.h"
#include "ui/editor/SymbolButton.h"
#include "ui/editor/TranscriptDock.h"
#include "support/Waits.h"

#include <gtest/gtest.h>

using namespace vt;

namespace {

bool shown(QWidget& widget, int width, int height)
{
    widget.resize(width, height);
    widget.show();
    return QTest::qWaitForWindowExposed(&widget, test::kHangCapMs);
}

std::size_t motionCount(const EditorModel& editor)
{
    return editor.project().motions ? editor.project().motions->size() : 0;
}

}  // namespace

// In the timeline, Delete removes the picked timeline item, not the words that
// happen to be picked in the transcript too.
TEST(EditorKeys, DeleteInTheTimelineRemovesThePickedItem)
{
    test::EditorUiRig r;
    ui::EditorView view{r.editor(), nullptr};
    ASSERT_TRUE(shown(view, 1300, 800));

    const Uuid motion = r.editor().addMotion(MotionEffect::Kind::zoomIn, 1);
    r.editor().setTranscriptMode(TranscriptMode::timeline);
    r.editor().select(r.word(2).id, {});
    r.editor().setTimelineSelection(TimelineItem{TimelineItem::Kind::motion, motion});
    ASSERT_TRUE(r.editor().timelineSelection());

    view.undoButton()->setFocus();
    QTest::keyClick(view.undoButton(), Qt::Key_Delete);
    EXPECT_EQ(motionCount(r.editor()), 0u);
    EXPECT_FALSE(r.word(2).deleted);
}

// The dock's own timeline keys: Ctrl+D copies and Delete removes the picked
// item; without one both are passed on.
TEST(TranscriptDock, TimelineKeysDuplicateAndRemoveThePickedItem)
{
    test::EditorUiRig r;
    ui::TranscriptDock dock{r.editor(), nullptr};
    ASSERT_TRUE(shown(dock, 700, 420));
    r.editor().setTranscriptMode(TranscriptMode::timeline);
    const auto count = [&] { return motionCount(r.editor()); };

    const Uuid motion = r.editor().addMotion(MotionEffect::Kind::zoomIn, 1);
    r.editor().setTimelineSelection(std::nullopt);
    QTest::keyClick(&dock, Qt::Key_D, Qt::ControlModifier);
    QTest::keyClick(&dock, Qt::Key_Delete);
    EXPECT_EQ(count(), 1u);

    r.editor().setTimelineSelection(TimelineItem{TimelineItem::Kind::motion, motion});
    QTest::keyClick(&dock, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(count(), 2u);
    r.editor().setTimelineSelection(TimelineItem{TimelineItem::Kind::motion, motion});
    QTest::keyClick(&dock, Qt::Key_Backspace);
    ASSERT_EQ(count(), 1u);
    EXPECT_NE(r.editor().project().motions->front().id, motion);
}
