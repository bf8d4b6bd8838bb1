// Moving, resizing, removing, duplicating and placing timeline items, and
// the match-cut and camera-move commands, on an editor over fakes.

#include "EditorFakes.h"

#include <cmath>
#include <limits>

namespace vt {
namespace {

using namespace vt::test;
using K = TimelineItem::Kind;

class EditorItemCommands : public EditorTest {};

MatchCut matchCard(std::string word)
{
    MatchCut c;
    c.word = std::move(word);
    c.duration = 2;
    c.cutsPerSecond = 7;
    return c;
}

EditorModel::TimelineDrop drop(EditorModel::TimelineDrop::Kind kind)
{
    EditorModel::TimelineDrop d;
    d.kind = kind;
    return d;
}

// With nothing cut, output time equals source time in the sample project.
Project itemProject()
{
    Project p = sampleProject(20);
    BRoll video;
    video.start = 2;
    video.length = 2;
    video.sourceOffset = 2;
    BRoll image = video;
    image.id = Uuid::random();
    image.isImage = true;
    image.start = 6;
    p.brolls = std::vector<BRoll>{video, image};
    SoundClip sound;
    sound.start = 1;
    sound.offset = 0.5;
    sound.duration = 1;
    sound.fileDuration = 3;
    p.sounds = std::vector<SoundClip>{sound};
    return p;
}

TEST_F(EditorItemCommands, CameraMoveAndMatchCutSpansClampToTheOutputAndTheirKindsLimits)
{
    EditorRig rig(itemProject());
    const double L = rig->plan().outputLength();
    ASSERT_GT(L, 8);
    const Uuid move = rig->addMotion(MotionEffect::Kind::zoomIn, 1);
    const Uuid card = rig->addMatchCut(matchCard("Go"), 3);
    struct Case {
        TimelineItem item;
        double start, duration;
        double wantStart, wantDuration;
        bool wantNoStart = false;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {{K::motion, move}, 1, 12, 1, 10},
        {{K::motion, move}, 1, 0.05, 1, 0.2},
        {{K::motion, move}, L + 5, 3, L - 0.2, 0.2},  // rest of the output, then the kind's minimum
        {{K::motion, move}, nan, nan, 0, 0.2},
        {{K::matchCut, card}, 0.03, 2, 0, 2, true},
        {{K::matchCut, card}, 2, 9, 2, 6},
        {{K::matchCut, card}, 2, 0.1, 2, 0.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << " " << c.duration);
        const auto depth = rig->undoDepth();
        rig->setSpan(c.item, c.start, c.duration, true);
        EXPECT_EQ(rig->undoDepth(), depth + 1);
        if (c.item.kind == K::motion) {
            const MotionEffect m = rig->project().motions->front();
            EXPECT_NEAR(m.start, c.wantStart, 1e-6);
            EXPECT_NEAR(m.duration, c.wantDuration, 1e-6);
        } else {
            const MatchCut m = rig->project().matchCuts->front();
            EXPECT_EQ(!m.start.has_value(), c.wantNoStart);
            if (m.start) {
                EXPECT_NEAR(*m.start, c.wantStart, 1e-6);
            }
            EXPECT_NEAR(m.duration, c.wantDuration, 1e-6);
        }
    }
    // A clip is not moved here; an unknown id records nothing.
    const auto depth = rig->undoDepth();
    rig->setSpan({K::clip, rig->project().id}, 1, 1, true);
    rig->setSpan({K::motion, Uuid::random()}, 1, 1, true);
    EXPECT_EQ(rig->undoDepth(), depth);
}

TEST_F(EditorItemCommands, LeftEdgeTrimsMoveTheOffsetIntoTheFile)
{
    EditorRig rig(itemProject());
    const Uuid video = rig->project().brolls->at(0).id, image = rig->project().brolls->at(1).id;
    const Uuid sound = rig->project().sounds->at(0).id;
    auto broll = [&](const Uuid& id) {
        for (const BRoll& b : *rig->project().brolls)
            if (b.id == id) return b;
        return BRoll{};
    };
    // Video overlay at 2…4, offset 2: the left edge 1 s right raises the offset.
    rig->setSpan({K::overlay, video}, 3, 1, true);
    EXPECT_NEAR(broll(video).sourceOffset, 3, 1e-6);
    EXPECT_NEAR(*broll(video).start, 3, 1e-6);
    // Moving the whole item keeps the offset.
    rig->setSpan({K::overlay, video}, 5, 1, true);
    EXPECT_NEAR(broll(video).sourceOffset, 3, 1e-6);
    // At 5…6 with offset 3: 4 s to the left stops where the file starts.
    rig->setSpan({K::overlay, video}, 1, 5, true);
    EXPECT_NEAR(broll(video).sourceOffset, 0, 1e-6);
    EXPECT_NEAR(*broll(video).start, 2, 1e-6);
    EXPECT_NEAR(*broll(video).length, 4, 1e-6);
    // An image keeps its offset whatever the edit.
    rig->setSpan({K::overlay, image}, 7, 1, true);
    EXPECT_NEAR(broll(image).sourceOffset, 2, 1e-6);
    EXPECT_NEAR(*broll(image).start, 7, 1e-6);

    // The sound at 1…2 plays from 0.5 s of its 3 s file.
    auto soundNow = [&] { return rig->project().sounds->front(); };
    rig->setSpan({K::sound, sound}, 1, 8, true);
    EXPECT_NEAR(soundNow().duration, 2.5, 1e-6);  // the rest of the file
    rig->setSpan({K::sound, sound}, 1, 0.05, true);
    EXPECT_NEAR(soundNow().duration, 0.2, 1e-6);
    rig->setSpan({K::sound, sound}, 0.5, 0.7, true);  // left edge 0.5 s left
    EXPECT_NEAR(soundNow().offset, 0, 1e-6);
    EXPECT_NEAR(soundNow().start, 0.5, 1e-6);
}

TEST_F(EditorItemCommands, AWordAnchoredOverlayBecomesTimedWhenResized)
{
    Project p = itemProject();
    BRoll anchored;
    anchored.startWordID = p.words[4].id;
    anchored.endWordID = p.words[6].id;
    p.brolls->push_back(anchored);
    EditorRig rig(std::move(p));
    const auto span = rig->span({K::overlay, anchored.id});
    ASSERT_TRUE(span);
    rig->setSpan({K::overlay, anchored.id}, span->first, 1, true);
    const BRoll now = rig->project().brolls->back();
    ASSERT_TRUE(now.start && now.length);
    EXPECT_NEAR(*now.length, 1, 1e-6);
}

TEST_F(EditorItemCommands, RemovingRecordsAStepOnlyWhenSomethingIsRemoved)
{
    EditorRig rig(itemProject());
    const Uuid video = rig->project().brolls->at(0).id, image = rig->project().brolls->at(1).id;
    rig->setSpan({K::overlay, video}, 1, 1, true);
    rig->undo();
    ASSERT_TRUE(rig->canRedo());
    rig->remove({K::sound, Uuid::random()});
    rig->remove({K::matchCut, Uuid::random()});
    EXPECT_TRUE(rig->canRedo());  // the redo history survives a missing item

    rig->selectTimelineItem(TimelineItem{K::overlay, video});
    rig->remove({K::overlay, image});
    EXPECT_EQ(rig->timelineSelection(), (TimelineItem{K::overlay, video}));
    const auto rebuilds = rig->undoDepth();
    rig->remove({K::overlay, video});
    EXPECT_EQ(rig->undoDepth(), rebuilds + 1);
    EXPECT_FALSE(rig->timelineSelection());
    EXPECT_TRUE(rig->project().brolls->empty());
}

TEST_F(EditorItemCommands, DuplicatesGoAfterTheItemAndAreSelected)
{
    EditorRig rig(itemProject());
    const double L = rig->plan().outputLength();
    const Uuid video = rig->project().brolls->at(0).id;
    rig->setSpan({K::overlay, video}, L - 1, 1, true);
    rig->timelineChanged();
    auto depth = rig->undoDepth();
    rig->duplicate({K::overlay, video});
    EXPECT_EQ(rig->undoDepth(), depth + 1);
    const BRoll copy = rig->project().brolls->back();
    EXPECT_NE(copy.id, video);
    EXPECT_NEAR(*copy.start, L - 0.3, 1e-6);
    EXPECT_NEAR(*copy.length, 1, 1e-6);
    EXPECT_EQ(rig->timelineSelection(), (TimelineItem{K::overlay, copy.id}));

    const Uuid move = rig->addMotion(MotionEffect::Kind::shake, 1);
    rig->updateMotion(move, false, [](MotionEffect& m) {
        m.duration = 0.7;
        m.strength = 2;
        m.sound = false;
    });
    depth = rig->undoDepth();
    rig->duplicate({K::motion, move});
    EXPECT_EQ(rig->undoDepth(), depth + 1);
    const MotionEffect second = rig->project().motions->back();
    EXPECT_EQ(second.kind, MotionEffect::Kind::shake);
    EXPECT_NEAR(second.start, 1.7, 1e-6);
    EXPECT_NEAR(second.duration, 0.7, 1e-6);
    EXPECT_EQ(second.strength, 2);
    EXPECT_FALSE(second.sound);
}

TEST_F(EditorItemCommands, SelectingOpensTheItemsInspector)
{
    EditorRig rig(itemProject());
    int told = 0;
    QObject::connect(rig.model.get(), &EditorModel::timelineSelectionChanged, [&] { ++told; });
    const Uuid sound = rig->project().sounds->front().id, video = rig->project().brolls->front().id;
    rig->selectTimelineItem(TimelineItem{K::sound, sound});
    EXPECT_EQ(rig->inspectorTab(), InspectorTab::styles);
    EXPECT_FALSE(rig->itemInspectorOpen());
    rig->selectTimelineItem(TimelineItem{K::overlay, video});
    rig->selectTimelineItem(TimelineItem{K::overlay, video});
    EXPECT_EQ(told, 2);
    EXPECT_TRUE(rig->itemInspectorOpen());
    rig->selectTimelineItem(TimelineItem{K::matchCut, Uuid::random()});
    EXPECT_EQ(rig->inspectorTab(), InspectorTab::hook);
    EXPECT_TRUE(rig->itemInspectorOpen());
    EXPECT_FALSE(rig->selectedMatchCut());  // names nothing in the project
    rig->selectTimelineItem(std::nullopt);
    EXPECT_EQ(rig->inspectorTab(), InspectorTab::hook);
}

TEST_F(EditorItemCommands, PlacingAnEffectUsesTheSelectedCardAsTemplate)
{
    EditorRig rig(itemProject());
    rig->place(drop(EditorModel::TimelineDrop::Kind::matchCut), 1);
    const MatchCut first = rig->project().matchCuts->back();
    EXPECT_EQ(first.word, "Match Cut");
    EXPECT_EQ(first.cutsPerSecond, 7);
    EXPECT_EQ(rig->inspectorTab(), InspectorTab::hook);
    rig->updateMatchCut(*first.id, true, [](MatchCut& c) { c.word = "Bold"; });
    auto neon = drop(EditorModel::TimelineDrop::Kind::matchCut);
    neon.style = MatchCut::Style::neon;
    neon.seed = 5;
    rig->place(neon, 4);
    const MatchCut second = rig->project().matchCuts->back();
    EXPECT_EQ(second.word, "Bold");
    EXPECT_EQ(second.style, MatchCut::Style::neon);
    EXPECT_EQ(second.seed, 5);
    EXPECT_NE(second.id, first.id);
    auto pop = drop(EditorModel::TimelineDrop::Kind::motion);
    pop.motion = MotionEffect::Kind::pop;
    rig->place(pop, 2);
    EXPECT_EQ(rig->inspectorTab(), InspectorTab::effects);
    EXPECT_EQ(rig->project().motions->back().duration, 0.45);

    rig->removeAllMotion();
    EXPECT_FALSE(rig->project().motions);
    EXPECT_FALSE(rig->timelineSelection());
    const auto depth = rig->undoDepth();
    rig->removeAllMotion();
    EXPECT_EQ(rig->undoDepth(), depth);
}

}  // namespace
}  // namespace vt
