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
