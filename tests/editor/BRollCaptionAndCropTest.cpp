// The caption of a B-roll row, fitting a crop to a shape, and the rule that
// an adjustment which changes nothing records no undo step.

#include "EditorFakes.h"
#include "editor/CropShape.h"

using namespace vt;
using namespace vt::test;

namespace {

class BRollCaptions : public EditorTest {};

BRoll over(const Word& first, const Word& last)
{
    BRoll b;
    b.path = "/media/b.mov";
    b.startWordID = first.id;
    b.endWordID = last.id;
    return b;
}

}  // namespace

TEST_F(BRollCaptions, ShowKeptWordsOrAnOverlaysTimeShortenedByCharacters)
{
    Project p = sampleProject(6);
    p.words[2].deleted = true;
    p.words[5].text = std::string(70, 'x');  // a long word pushes the caption past 60 characters
    BRoll words = over(p.words[4], p.words[1]);  // anchors in either order
    BRoll longer = over(p.words[4], p.words[5]);
    BRoll gone = over(p.words[0], p.words[0]);
    gone.endWordID = Uuid::random();
    BRoll timed;
    timed.path = "/media/t.png";
    timed.isImage = true;
    timed.start = 1.0;
    timed.length = 2.5;
    p.brolls = std::vector<BRoll>{words, longer, gone, timed};
    EditorRig rig(std::move(p));
    EXPECT_EQ(rig->brollText(words), "w1 w3 w4");
    const std::string shortened = rig->brollText(longer);
    EXPECT_EQ(shortened, "w4 " + std::string(57, 'x') + "\u2026");
    EXPECT_EQ(rig->brollText(gone), "");
    EXPECT_EQ(rig->brollText(timed), "At 0:01.0 for 2.5 s");

    // Characters, not bytes: 61 emoji keep 60 of them.
    Project q = sampleProject(2);
    std::string faces;
    for (int i = 0; i < 61; ++i) faces += "\U0001F600";
    q.words[0].text = faces;
    BRoll emoji = over(q.words[0], q.words[0]);
    EditorRig other(q);
    EXPECT_EQ(other->brollText(emoji), faces.substr(0, 60 * 4) + "\u2026");
}

TEST(CropShape, KeepsTheShapesRatioCentredUpToTheLimit)
{
    struct Case {
        const char* shape;
        double aspect;
        int turns;
        double left, top;  // right and bottom equal them
    } cases[] = {
        {"9:16", 16.0 / 9.0, 0, 0.341796875, 0},
        {"9:16", 16.0 / 9.0, 1, 0, 0},  // turned once it is already upright
        {"16:9", 0.5625, 0, 0, 0.341796875},
        {"16:9", 0.1, 0, 0, 0.45},
        {"1:1", 1.0, 2, 0, 0},
        {"Original", 16.0 / 9.0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        ItemAdjust a;
        a.cropLeft = a.cropTop = 0.2;
        a.zoom = 1.5;
        a.turns = c.turns;
        cropToShape(a, c.shape, c.aspect);
        EXPECT_NEAR(a.cropLeft, c.left, 1e-9) << c.shape << " " << c.aspect;
        EXPECT_EQ(a.cropRight, a.cropLeft);
        EXPECT_NEAR(a.cropTop, c.top, 1e-9) << c.shape << " " << c.aspect;
        EXPECT_EQ(a.cropBottom, a.cropTop);
        EXPECT_EQ(a.zoom, 1.5);
        EXPECT_EQ(a.turns, c.turns);
    }
}

TEST_F(BRollCaptions, AnAdjustmentThatChangesNothingRecordsNoStep)
{
    EditorRig rig(sampleProject(4));
    const TimelineItem main{TimelineItem::Kind::clip, rig->project().id};
    rig->toggleDelete({rig->project().words[0].id});
    rig->undo();
    ASSERT_TRUE(rig->canRedo());
    rig->updateAdjust(main, [](ItemAdjust& a) { a = ItemAdjust{}; });  // "Reset All" on the default
    rig->updateAdjust(TimelineItem{TimelineItem::Kind::overlay, Uuid::random()}, [](ItemAdjust& a) { a.zoom = 2; });
    EXPECT_EQ(rig->undoDepth(), 0u);
    EXPECT_TRUE(rig->canRedo());  // the redo history survives
    EXPECT_FALSE(rig->project().clips);
    // A no-op does not stretch a gesture: 1.2 s after the last real change
    // the next one is a step of its own, whatever came between.
    rig->updateAdjust(main, [](ItemAdjust& a) { a.flipped = true; });
    EXPECT_EQ(rig->undoDepth(), 1u);
    rig.clock->advance(0.6);
    rig->updateAdjust(main, [](ItemAdjust& a) { a.flipped = true; });
    rig.clock->advance(0.6);
    rig->updateAdjust(main, [](ItemAdjust& a) { a.zoom = 1.3; });
    EXPECT_EQ(rig->undoDepth(), 2u);
    EXPECT_TRUE(rig->adjust(main).flipped);
}
