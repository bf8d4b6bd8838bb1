#include "editor/EditorModel.h"

#include "EditorFakes.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

using namespace vt::test;

// A finished look edit, as the Customize panel makes one.
void editLook(EditorModel& m, double size)
{
    const CaptionStyle before = m.project().style;
    m.styleBinding(&CaptionStyle::fontSize).set(size);
    m.recordStyleUndo(before);
}

TEST(EditorStyleUndo, LookStepsRoundTripAndWordStepsLeaveTheLook)
{
    EditorRig rig(sampleProject());
    EditorModel& m = *rig;
    const double start = m.project().style.fontSize;
    editLook(m, 100);
    m.toggleDelete({m.project().words[0].id});
    editLook(m, 120);
    EXPECT_EQ(m.undoDepth(), 3u);

    m.undo();
    EXPECT_EQ(m.project().style.fontSize, 100);
    m.undo();  // the word comes back, the look stays
    EXPECT_FALSE(m.project().words[0].deleted);
    EXPECT_EQ(m.project().style.fontSize, 100);
    m.undo();
    EXPECT_EQ(m.project().style.fontSize, start);
    m.redo();
    EXPECT_EQ(m.project().style.fontSize, 100);
    m.redo();
    m.redo();
    EXPECT_TRUE(m.project().words[0].deleted);
    EXPECT_EQ(m.project().style.fontSize, 120);
    // The drawn captions follow an undone look.
    m.undo();
    EXPECT_EQ(m.snapshot().style.fontSize, 100);
}

TEST(EditorStyleUndo, LookStepsShareTheHistoryLimit)
{
    EditorRig rig(sampleProject());
    EditorModel& m = *rig;
    for (int i = 0; i < 250; ++i) editLook(m, 40 + i);
    EXPECT_EQ(m.undoDepth(), EditorModel::undoLimit);
    m.redo();  // nothing to redo after a new step
    EXPECT_EQ(m.project().style.fontSize, 40 + 249);
}

}  // namespace
}  // namespace vt
