#include "TimelineRig.h"

#include "ui/theme/FileRevealer.h"
#include "ui/timeline/TimelinePayload.h"

#include <QAccessible>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

namespace vt {
namespace {

using K = TimelineLane::Kind;
using test::TimelineRig;

std::set<Uuid> ids(const CaptionGroup& g)
{
    std::set<Uuid> out;
    for (const auto& w : g.words)
        if (w.id) out.insert(*w.id);
    return out;
}

TEST(TimelineTracks, ClickSeeksAndSelectsTheCaptionLineUnderIt)
{
    TimelineRig rig;
    auto& editor = rig.editor();
    ASSERT_GE(editor.groups().size(), 2u);
    const CaptionGroup line = editor.groups()[1];
    const double middle = (line.start + line.end) / 2;
    editor.selectTimelineItem(TimelineItem{TimelineItem::Kind::clip, Uuid::random()});

    QTest::mouseClick(&rig.tracks, Qt::LeftButton, {}, rig.at(middle, rig.top(K::captions) + 11));
    EXPECT_NEAR(editor.currentTime(), middle, 0.011);
    EXPECT_EQ(editor.timelineSelection(), std::nullopt);
    EXPECT_EQ(rig.focused, 1);
    EXPECT_EQ(editor.selection(), ids(line));

    // A drag of 3 points or more only scrubs; the 4 points below the lane are not on it.
    editor.setSelection({});
    rig.drag(rig.at(middle, rig.top(K::captions) + 5), rig.at(middle, rig.top(K::captions) + 5) + QPoint(40, 0));
    EXPECT_NEAR(editor.currentTime(), middle + 0.4, 0.011);
    EXPECT_TRUE(editor.selection().empty());
    QTest::mouseClick(&rig.tracks, Qt::LeftButton, {}, rig.at(middle, rig.top(K::captions) + 24));
    EXPECT_TRUE(editor.selection().empty());

    // Past the end the playhead holds 0.02 s before it.
    QTest::mouseClick(&rig.tracks, Qt::LeftButton, {}, QPoint(rig.tracks.width() - 2, 8));
    EXPECT_NEAR(editor.currentTime(), editor.plan().outputLength() - 0.02, 1e-9);
}

TEST(TimelineTracks, DoubleClickOnACaptionLineOpensItsEditor)
{
    TimelineRig rig;
    const CaptionGroup line = rig.editor().groups()[0];
    QTest::mouseDClick(&rig.tracks, Qt::LeftButton, {}, rig.at((line.start + line.end) / 2, rig.top(K::captions) + 10));
    EXPECT_EQ(rig.editedLine, line.words.front().id);
}

TEST(TimelineTracks, DraggingABlockMovesItLiveAsOneUndoStep)
{
    TimelineRig rig;
    auto& editor = rig.editor();
    const Uuid id = editor.addMotion(MotionEffect::Kind::shake, 1.0);
    editor.setTimelineSelection(std::nullopt);
    editor.seekExactly(0);
    rig.relayout();
    const auto span = *editor.span({TimelineItem::Kind::motion, id});
    const std::size_t depth = editor.undoDepth();

    const double y = rig.top(K::effects) + 13;
    rig.drag(rig.at(span.first + 0.1, y), rig.at(span.first + 0.1, y) + QPoint(137, 0));
    const auto moved = *editor.span({TimelineItem::Kind::motion, id});
    EXPECT_NEAR(moved.first, span.first + 1.37, 1e-6);
    EXPECT_NEAR(moved.second - moved.first, span.second - span.first, 1e-6);
    EXPECT_EQ(editor.undoDepth(), depth + 1);
    EXPECT_EQ(editor.timelineSelection(), (TimelineItem{TimelineItem::Kind::motion, id}));
    editor.undo();
    EXPECT_NEAR(editor.span({TimelineItem::Kind::motion, id})->first, span.first, 1e-6);

    // The trailing edge stretches it; the start stays.
    rig.relayout();
    const double end = span.second;
    rig.drag(rig.at(end, y) - QPoint(2, 0), rig.at(end, y) + QPoint(48, 0));
    const auto stretched = *editor.span({TimelineItem::Kind::motion, id});
    EXPECT_NEAR(stretched.first, span.first, 1e-6);
    EXPECT_NEAR(stretched.second, end + 0.5, 0.03);
}

TEST(TimelineTracks, ClickingABlockSelectsItAndBringsThePlayheadIn)
{
    TimelineRig rig;
    auto& editor = rig.editor();
    const Uuid id = editor.addMotion(MotionEffect::Kind::zoomIn, 2.0);
    editor.setTimelineSelection(std::nullopt);
    rig.relayout();
    const auto span = *editor.span({TimelineItem::Kind::motion, id});
    editor.seekExactly(0.2);
    QTest::mouseClick(&rig.tracks, Qt::LeftButton, {}, rig.at(span.first + 0.3, rig.top(K::effects) + 13));
    EXPECT_EQ(editor.timelineSelection(), (TimelineItem{TimelineItem::Kind::motion, id}));
    EXPECT_DOUBLE_EQ(editor.currentTime(), span.first);
    // A playhead inside the block stays.
    editor.seekExactly(span.first + 0.5);
    QTest::mouseClick(&rig.tracks, Qt::LeftButton, {}, rig.at(span.first + 0.3, rig.top(K::effects) + 13));
    EXPECT_DOUBLE_EQ(editor.currentTime(), span.first + 0.5);
}

TEST(TimelineTracks, BlockMenuChangesAMoveToAnotherKind)
{
    TimelineRig rig;
    auto& editor = rig.editor();
    const Uuid id = editor.addMotion(MotionEffect::Kind::zoomIn, 1.0);
    rig.relayout();
    const auto span = *editor.span({TimelineItem::Kind::motion, id});
    std::unique_ptr<QMenu> menu(rig.tracks.menuAt(rig.at(span.first + 0.2, rig.top(K::effects) + 10), nullptr));
    ASSERT_TRUE(menu);
    QStringList titles;
    for (QAction* a : menu->actions()) titles << a->text();
    EXPECT_EQ(titles, (QStringList{"Move to Playhead", "Duplicate", "Change To", "", "Delete"}));
    QMenu* change = menu->actions()[2]->menu();
    ASSERT_EQ(change->actions().size(), 11);
    // Titled as written: the ampersand is shown, not taken for a mnemonic.
    EXPECT_EQ(change->actions()[9]->text(), QString("Black && White"));
    change->actions()[4]->trigger();  // "Shake"
    EXPECT_EQ(editor.project().motions->front().kind, MotionEffect::Kind::shake);
}

TEST(TimelineTracks, DroppedPayloadsLandAtThePointer)
{
    TimelineRig rig;
    auto& editor = rig.editor();
    QMimeData data;
    data.setText(QString::fromStdString(TimelinePayload::payload(TimelinePayload::motion(MotionEffect::Kind::flash))));
    const QPointF where(150, rig.top(K::video) + 5);
    QDragEnterEvent enter(where.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&rig.tracks, &enter);
    EXPECT_EQ(rig.tracks.dropX(), 150);
    QDropEvent drop(where, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&rig.tracks, &drop);
    EXPECT_EQ(rig.tracks.dropX(), std::nullopt);
    ASSERT_TRUE(editor.project().motions);
    ASSERT_EQ(editor.placedMotions().size(), 1u);
    EXPECT_EQ(editor.placedMotions()[0].effect.kind, MotionEffect::Kind::flash);
    EXPECT_NEAR(editor.placedMotions()[0].start, 1.5, 1e-6);
    EXPECT_EQ(rig.focused, 1);

    // Text that is no payload is accepted and adds nothing.
    data.setText("hello");
    QDropEvent other(where, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&rig.tracks, &other);
    EXPECT_EQ(editor.placedMotions().size(), 1u);
}

TEST(TimelineTracks, TheVideoSoundLineIsEditedOnTheAudioLane)
{
    TimelineRig rig;
    auto& editor = rig.editor();
    const double top = rig.top(K::audio);
    const VolumeGeometry geo{42};
    // A click away from the line scrubs and changes no volume.
    QTest::mouseClick(&rig.tracks, Qt::LeftButton, {}, rig.at(1.0, top + 38));
    EXPECT_NEAR(editor.currentTime(), 1.0, 0.011);
    EXPECT_FALSE(editor.project().videoVolume);

    // Dragging the line down 16 points lowers the level by 16 / 32 × 46 dB, one undo step.
    const std::size_t depth = editor.undoDepth();
    const QPoint onLine = rig.at(2.0, top + geo.y(0));
    rig.drag(onLine, onLine + QPoint(0, 16));
    ASSERT_TRUE(editor.project().videoVolume);
    EXPECT_NEAR(editor.project().videoVolume->db, -23, 0.01);
    EXPECT_EQ(editor.undoDepth(), depth + 1);
    EXPECT_NEAR(editor.currentTime(), 1.0, 0.011);  // a drag on the line never scrubs

    // A double-click on the line adds a point there.
    QTest::mouseDClick(&rig.tracks, Qt::LeftButton, {}, rig.at(3.0, top + geo.y(-23)));
    ASSERT_EQ(editor.project().videoVolume->points.size(), 1u);
    EXPECT_NEAR(editor.placedVideoVolume().points[0].time, 3.0, 0.011);
}

TEST(TimelineTracks, DraggingAClipEdgeTrimsIt)
{
    TimelineRig rig;
    auto& editor = rig.editor();
    const auto span = editor.clipSpans().at(0);
    const std::size_t depth = editor.undoDepth();
    const QPoint edge = rig.at(span.start, rig.top(K::video) + 19) + QPoint(1, 0);
    rig.drag(edge, edge + QPoint(50, 0));
    const VideoClip clip = editor.project().videoClips().at(0);
    EXPECT_NEAR(clip.trimStart, 0.5, 1e-9);
    EXPECT_EQ(editor.undoDepth(), depth + 1);
    EXPECT_EQ(editor.timelineSelection(), (TimelineItem{TimelineItem::Kind::clip, clip.id}));
}

TEST(TimelineTracks, PaintsAProjectWithItemsOnEveryLane)
{
    TimelineRig rig;
    auto& editor = rig.editor();
    editor.addMotion(MotionEffect::Kind::fadeIn, 0.5);
    editor.place(TimelinePayload::matchCut(), 2.0);
    editor.updateProject([](Project& p) { p.captionsVisible = false; });
    rig.relayout();
    const QImage image = rig.tracks.grab().toImage();
    EXPECT_EQ(image.size(), rig.tracks.size() * image.devicePixelRatio());
    // The playhead is drawn in the accent colour over the ruler.
    const QColor head = image.pixelColor(int(editor.currentTime() * 100), 2);
    EXPECT_GT(head.alpha(), 200);
}

}  // namespace
}  // namespace vt

namespace vt {
namespace {

TEST(TimelineTracks, SoundBoxesMoveTrimAndEditTheirVolumeLine)
{
    test::TimelineRig rig;
    auto& editor = rig.editor();
    SoundClip sound;
    sound.path = "/media/whoosh.wav";
    sound.name = "whoosh";
    sound.start = 1;
    sound.duration = 2;
    sound.fileDuration = 4;
    editor.updateProject([&](Project& p) { p.sounds = std::vector{sound}; });
    editor.timelineItemsChanged();
    rig.relayout();
    ASSERT_EQ(editor.placedSounds().size(), 1u);
    const double start = editor.placedSounds()[0].start;
    const double top = rig.top(K::sounds);
    const VolumeGeometry geo{36};
    EXPECT_TRUE(rig.tracks.helpAt(rig.at(start + 1, top + 30)).startsWith("whoosh: drag to move"));

    // The line: down 13 points is 13 / 26 × 46 dB quieter, one undo step.
    const std::size_t depth = editor.undoDepth();
    const QPoint onLine = rig.at(start + 1, top + geo.y(0));
    rig.drag(onLine, onLine + QPoint(0, 13));
    EXPECT_NEAR(editor.project().sounds->front().volume.db, -23, 0.01);
    EXPECT_EQ(editor.undoDepth(), depth + 1);

    // A double-click on the line adds a point there.
    QTest::mouseDClick(&rig.tracks, Qt::LeftButton, {}, rig.at(start + 0.5, top + geo.y(-23)));
    ASSERT_EQ(editor.project().sounds->front().volume.points.size(), 1u);
    EXPECT_NEAR(editor.project().sounds->front().volume.points[0].time, 0.5, 0.011);

    // Below the line the box itself moves; its end trims within the file's length.
    const QPoint body = rig.at(start + 1, top + 33);
    rig.drag(body, body + QPoint(50, 0));
    EXPECT_NEAR(editor.placedSounds()[0].start, start + 0.5, 1e-6);
    rig.relayout();
    const QPoint end = rig.at(start + 0.5 + 2, top + 33) - QPoint(2, 0);
    rig.drag(end, end + QPoint(500, 0));
    EXPECT_NEAR(editor.placedSounds()[0].sound.duration, 4, 1e-6);  // the file's length
}

TEST(TimelineTracks, TooltipsNameWhatAPressWouldDo)
{
    test::TimelineRig rig;
    auto& editor = rig.editor();
    const Uuid id = editor.addMotion(MotionEffect::Kind::shake, 1.0);
    rig.relayout();
    const double start = editor.span({TimelineItem::Kind::motion, id})->first;
    EXPECT_EQ(rig.tracks.helpAt(rig.at(start + 0.2, rig.top(K::effects) + 10)),
              "A camera shake, for impact. Drag to move it, drag an edge to change its length.");
    EXPECT_EQ(rig.tracks.helpAt(rig.at(1, rig.top(K::video) + 10)), "Drag an edge to trim the video");
    EXPECT_TRUE(rig.tracks.helpAt(rig.at(1, rig.top(K::audio) + 40)).startsWith("The video's sound"));
    EXPECT_TRUE(rig.tracks.helpAt(QPoint(5, 5)).isEmpty());
}

}  // namespace
}  // namespace vt

namespace vt {
namespace {

TEST(TimelineTracks, DroppedFilesBecomeOverlaysOrClipsByTypeAndLane)
{
    test::TimelineRig rig;
    auto& editor = rig.editor();
    const auto dropFile = [&](const QString& path, QPointF at) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path), QUrl::fromLocalFile("/media/second.png")});
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&rig.tracks, &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&rig.tracks, &drop);
    };
    // A photo anywhere is put on top at the drop time; only the first file counts.
    dropFile("/media/photo.png", QPointF(120, rig.top(K::video) + 10));
    ASSERT_TRUE(editor.project().brolls) << editor.exportError().value_or("-");
    ASSERT_EQ(editor.project().brolls->size(), 1u);
    const BRoll& photo = editor.project().brolls->front();
    EXPECT_EQ(photo.path, "/media/photo.png");
    EXPECT_NEAR(editor.plan().outputTime(*photo.start), 1.2, 1e-6);
    // A file of no known kind adds nothing.
    dropFile("/media/notes.xyz", QPointF(120, rig.top(K::video) + 10));
    EXPECT_EQ(editor.project().brolls->size(), 1u);
    EXPECT_FALSE(editor.project().clips && editor.project().clips->size() > 1);
}

TEST(TimelineTracks, DraggingAClipPastItsNeighboursCentreReordersThem)
{
    Project project = test::sampleProject(12);
    project.clips = std::vector{test::clip("/media/a.mov", 4), test::clip("/media/b.mov", 6)};
    project.sourceDuration = 10;
    test::TimelineRig rig(project);
    auto& editor = rig.editor();
    const auto spans = editor.clipSpans();
    ASSERT_EQ(spans.size(), 2u);
    const Uuid b = spans[1].id;
    const double y = rig.top(K::video) + 19;
    const QPoint middleOfB = rig.at((spans[1].start + spans[1].end) / 2, y);
    // Released right of A's centre: the order stays.
    const double toA = ((spans[1].start + spans[1].end) / 2 - (spans[0].start + spans[0].end) / 2) * 100;
    rig.drag(middleOfB, middleOfB - QPoint(int(toA) - 2, 0));
    EXPECT_EQ(editor.project().clips->at(1).id, b);
    // Past it: B goes first, as one undo step.
    const std::size_t depth = editor.undoDepth();
    rig.drag(middleOfB, middleOfB - QPoint(int(toA) + 2, 0));
    EXPECT_EQ(editor.project().clips->at(0).id, b);
    EXPECT_EQ(editor.undoDepth(), depth + 1);
    EXPECT_EQ(rig.tracks.helpAt(middleOfB), "Drag to reorder the clips; drag an edge to trim");
}

}  // namespace
}  // namespace vt

namespace vt {
namespace {

TEST(TimelineTracks, TheDropMarkerGoesSoonAfterTheButtonIsUpWithoutAnExit)
{
    test::TimelineRig rig;
    QMimeData data;
    data.setText("vellumtide-timeline:matchcut");
    QDragEnterEvent enter(QPoint(100, 30), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&rig.tracks, &enter);
    EXPECT_EQ(rig.tracks.dropX(), 100);
    // No exit and no drop arrive; the button is up (nothing is pressed offscreen).
    test::waitFor([&] { return !rig.tracks.dropX(); });
    EXPECT_EQ(rig.tracks.dropX(), std::nullopt);
}

TEST(TimelineTracks, ASingleClipsMenuOffersNoMoveOrRemove)
{
    test::TimelineRig rig;
    auto& editor = rig.editor();
    const auto titles = [&] {
        std::unique_ptr<QMenu> menu(rig.tracks.menuAt(rig.at(1, rig.top(K::video) + 19), nullptr));
        QStringList out;
        for (QAction* a : menu->actions()) out << a->text();
        return out;
    };
    EXPECT_EQ(titles(), (QStringList{"Add a Clip After This One…", "Show in the file manager"}));
    editor.setClipTrim(editor.clipSpans()[0].id, 0.5, 0, true);
    EXPECT_EQ(titles(), (QStringList{"Add a Clip After This One…", "Untrim", "Show in the file manager"}));
}

struct RecordingRevealer : FileRevealer {
    std::vector<std::vector<std::filesystem::path>> calls;
    void reveal(const std::vector<std::filesystem::path>& files) override { calls.push_back(files); }
};

TEST(TimelineTracks, AClipsMenuShowsItsFileSelectedInTheFileManager)
{
    test::TimelineRig rig;
    auto revealer = std::make_shared<RecordingRevealer>();
    rig.tracks.setRevealer(revealer);
    std::unique_ptr<QMenu> menu(rig.tracks.menuAt(rig.at(1, rig.top(K::video) + 19), nullptr));
    menu->actions().back()->trigger();
    ASSERT_EQ(revealer->calls.size(), 1u);
    EXPECT_EQ(revealer->calls[0],
              std::vector<std::filesystem::path>{rig.editor().project().videoClips().front().path});
}

}  // namespace
}  // namespace vt

namespace vt {
namespace {

TEST(TimelineTracks, BlocksAreButtonsNamedByTheirTitleForAssistiveTools)
{
    TimelineRig rig;
    auto& editor = rig.editor();
    editor.addMotion(MotionEffect::Kind::zoomIn, 1.0);
    const Uuid shake = editor.addMotion(MotionEffect::Kind::shake, 3.0);
    rig.relayout();
    QAccessibleInterface* tracks = QAccessible::queryAccessibleInterface(&rig.tracks);
    ASSERT_NE(tracks, nullptr);
    ASSERT_EQ(tracks->childCount(), 2);
    QStringList names;
    for (int i = 0; i < tracks->childCount(); ++i) {
        QAccessibleInterface* block = tracks->child(i);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(block->role(), QAccessible::Button);
        EXPECT_EQ(block->parent(), tracks);
        EXPECT_EQ(tracks->indexOfChild(block), i);
        names << block->text(QAccessible::Name);
        // Selected only while it is the timeline's selection.
        EXPECT_EQ(block->state().selected, rig.tracks.blocks()[std::size_t(i)].item.id == shake) << i;
    }
    EXPECT_EQ(names, (QStringList{"Zoom In", "Shake"}));
    editor.setTimelineSelection(std::nullopt);
    EXPECT_FALSE(tracks->child(1)->state().selected);
    // A removed item's element goes with its block.
    editor.remove(TimelineItem{TimelineItem::Kind::motion, shake});
    EXPECT_EQ(tracks->childCount(), 1);
}

}  // namespace
}  // namespace vt
