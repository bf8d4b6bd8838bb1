#include "ui/editor/EditorUiRig.h"
#include "ui/inspector/InlineButton.h"
#include "ui/inspector/InspectorGroup.h"
#include "ui/inspector/InspectorPanel.h"
#include "ui/inspector/ItemInspector.h"
#include "ui/inspector/SwitchRow.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

namespace vt::ui {
namespace {

TEST(ItemInspector, CropShapesCentreOnThePicture)
{
    struct Case {
        const char* name;
        const char* shape;
        double aspect;
        int turns;
        double left, top;
    };
    const Case cases[] = {
        {"9:16 on a 16:9 clip", "9:16", 16.0 / 9.0, 0, 0.341796875, 0},
        {"16:9 on a 9:16 picture", "16:9", 0.5625, 0, 0, 0.341796875},
        {"9:16 on a turned 16:9 clip", "9:16", 16.0 / 9.0, 1, 0, 0},
        {"16:9 on a very tall picture caps at 0.45", "16:9", 0.1, 0, 0, 0.45},
        {"1:1 on a square", "1:1", 1, 0, 0, 0},
        {"Original clears every crop", "Original", 2, 0, 0, 0},
    };
    for (const auto& c : cases) {
        ItemAdjust a;
        a.turns = c.turns;
        a.cropLeft = a.cropRight = a.cropTop = a.cropBottom = 0.2;
        a.zoom = 2;
        ItemInspector::cropTo(a, c.shape, c.aspect);
        EXPECT_NEAR(a.cropLeft, c.left, 1e-12) << c.name;
        EXPECT_NEAR(a.cropRight, c.left, 1e-12) << c.name;
        EXPECT_NEAR(a.cropTop, c.top, 1e-12) << c.name;
        EXPECT_NEAR(a.cropBottom, c.top, 1e-12) << c.name;
        EXPECT_EQ(a.zoom, 2) << c.name;
    }
}

struct Rig {
    test::EditorUiRig ui;
    BRoll overlay;
    Rig()
    {
        overlay.path = "/media/over.mov";
        overlay.name = "over";
        overlay.sourceOffset = 2;
        overlay.start = 1;
        overlay.length = 2;
        ui.editor().updateProject([&](Project& p) { p.brolls = std::vector{overlay}; });
        ui.editor().visualChanged();
    }
    TimelineItem item() const { return {TimelineItem::Kind::overlay, overlay.id}; }
};

template <class W>
W* find(QWidget& root, const QString& text)
{
    for (W* w : root.findChildren<W*>())
        if (w->text().contains(text)) return w;
    return nullptr;
}

TEST(ItemInspector, ShowsAnOverlayAndEditsItThroughTheModel)
{
    Rig rig;
    auto& editor = rig.ui.editor();
    ItemInspector inspector(editor, rig.item());
    inspector.show();
    EXPECT_EQ(inspector.title().name, "over");
    EXPECT_TRUE(inspector.title().detail.startsWith("Video on top \u00B7 "));
    QStringList groups;
    for (InspectorGroup* g : inspector.findChildren<InspectorGroup*>()) groups << g->title();
    EXPECT_EQ(groups, (QStringList{"ENHANCE", "CROP", "ZOOM & POSITION", "ON TOP OF THE VIDEO"}));
    // The rows write through updateAdjust.
    QPushButton* right = find<QPushButton>(inspector, "Rotate Right");
    ASSERT_TRUE(right);
    QTest::mouseClick(right, Qt::LeftButton);
    EXPECT_EQ(editor.adjust(rig.item()).turns, 1);
    // A changed adjustment offers Reset All; it restores the default.
    QApplication::processEvents();
    QPushButton* reset = find<QPushButton>(inspector, "Reset All");
    ASSERT_TRUE(reset);
    QTest::mouseClick(reset, Qt::LeftButton);
    EXPECT_EQ(editor.adjust(rig.item()), ItemAdjust{});
    // Picture filters are named as written, ampersands shown, not taken for
    // keyboard mnemonics.
    auto* filter = inspector.findChild<QToolButton*>("filter");
    ASSERT_TRUE(filter && filter->menu());
    QAction* teal = nullptr;
    for (QAction* a : filter->menu()->actions())
        if (a->text() == "Teal && Orange") teal = a;
    ASSERT_TRUE(teal);
    teal->trigger();
    EXPECT_EQ(editor.adjust(rig.item()).grade.look, "teal-orange");
}

TEST(ItemInspector, AutoEnhanceGradesFromTheOverlaysOwnFrames)
{
    Rig rig;
    auto& editor = rig.ui.editor();
    ItemInspector inspector(editor, rig.item());
    inspector.show();
    QPushButton* button = find<QPushButton>(inspector, "Auto Enhance");
    ASSERT_TRUE(button);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(inspector.enhancing());
    QPushButton* busy = find<QPushButton>(inspector, "Enhancing\u2026");
    ASSERT_TRUE(busy);
    EXPECT_FALSE(busy->isEnabled());
    ASSERT_TRUE(test::waitFor([&] { return !inspector.enhancing(); }));
    std::vector<double> asked;
    for (const auto& [path, t] : rig.ui.rig.media->frames)
        if (path == "/media/over.mov") asked.push_back(t);
    EXPECT_EQ(asked, (std::vector<double>{2, 2.8, 3.6}));
    // All-red frames: the automatic grade moves away from the default.
    EXPECT_FALSE(editor.adjust(rig.item()).grade == VideoGrade{});
}

TEST(ItemInspector, ClipSoundMuteAndTheHostShowsTheInspector)
{
    test::EditorUiRig ui;
    auto& editor = ui.editor();
    const TimelineItem clip{TimelineItem::Kind::clip, editor.project().videoClips()[0].id};
    ItemInspector inspector(editor, clip);
    inspector.show();
    SwitchRow* mute = nullptr;
    for (SwitchRow* row : inspector.findChildren<SwitchRow*>()) mute = row;
    ASSERT_TRUE(mute);
    mute->toggle()->click();
    EXPECT_DOUBLE_EQ(editor.adjust(clip).volume, -40);
    // A single clip cannot be deleted from here.
    EXPECT_EQ(find<QPushButton>(inspector, "Delete"), nullptr);
    EXPECT_EQ(InspectorPanel::inspected(true, clip), clip);
}

}  // namespace
}  // namespace vt::ui
