#include "ui/editor/EditorUiRig.h"
#include "ui/inspector/LineStyleMenu.h"
#include "ui/timeline/AddVideoItems.h"
#include "ui/timeline/EffectsPalette.h"
#include "ui/timeline/LaneHeaders.h"
#include "ui/timeline/PaletteChip.h"
#include "ui/timeline/TimelineBars.h"
#include "ui/timeline/TimelineIcons.h"
#include "ui/timeline/TimelineMetrics.h"
#include "ui/timeline/TimelinePanel.h"
#include "ui/timeline/TimelinePayload.h"
#include "ui/timeline/TimelineTracks.h"
#include "support/Waits.h"

#include <QLineEdit>
#include <QMenu>
#include <QNativeGestureEvent>
#include <QPointingDevice>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

#include <gtest/gtest.h>

namespace vt {
namespace {

using K = TimelineLane::Kind;

struct PanelRig {
    test::EditorUiRig ui;
    int focused = 0;
    TimelinePanel panel{ui.editor(), [this] { ++focused; }};
    explicit PanelRig(int width = 1000)
    {
        panel.resize(width, 500);
        panel.show();
        QApplication::processEvents();
    }
    EditorModel& editor() { return ui.editor(); }
};

TEST(TimelinePanel, SummaryText)
{
    EXPECT_EQ(TimelinePanel::stats(42, 1, std::nullopt, 0), "0:42 \u00B7 add clips, sound and effects");
    EXPECT_EQ(TimelinePanel::stats(65, 3, std::nullopt, 4), "1:05 \u00B7 3 clips \u00B7 4 items");
    EXPECT_EQ(TimelinePanel::stats(0, 2, QString("Reading"), 1), "0:00 \u00B7 2 clips \u00B7 new clip: Reading \u00B7 1 item");
    EXPECT_EQ(TimelinePanel::stats(5, 2, std::nullopt, 0), "0:05 \u00B7 2 clips");
    EXPECT_DOUBLE_EQ(TimelinePanel::pinchZoom(2, 0.1), 1);
    EXPECT_DOUBLE_EQ(TimelinePanel::pinchZoom(20, 3), 40);
    EXPECT_DOUBLE_EQ(TimelinePanel::pinchZoom(2, 1.5), 3);
}

TEST(TimelinePanel, LanesFollowTheProjectAndTheZoomScales)
{
    PanelRig rig;
    EXPECT_EQ(rig.panel.lanes().size(), 7u);
    const double fit = rig.panel.scale().pps;
    rig.editor().setTimelineZoom(2);
    EXPECT_NEAR(rig.panel.scale().pps, std::min(fit * 2, std::max(fit, 400.0)), 1e-9);
    EXPECT_EQ(rig.panel.tracks()->pps(), rig.panel.scale().pps);
    rig.editor().updateProject([](Project& p) { p.hookOverlay = HookOverlay{}; });
    EXPECT_EQ(rig.panel.lanes().size(), 8u);
}

TEST(TimelinePanel, LaneButtonsHideAndMuteWithoutUndo)
{
    PanelRig rig;
    auto& editor = rig.editor();
    const std::size_t depth = editor.undoDepth();
    auto overlay = rig.panel.headers()->buttons(TimelineLane::of(K::overlay));
    ASSERT_EQ(overlay.size(), 2u);
    EXPECT_EQ(overlay[1]->toolTip(), "Hide overlays");
    QTest::mouseClick(overlay[1], Qt::LeftButton);
    ASSERT_TRUE(editor.project().tracks);
    EXPECT_TRUE(editor.project().tracks->overlaysHidden);
    overlay = rig.panel.headers()->buttons(TimelineLane::of(K::overlay));
    EXPECT_EQ(overlay[1]->toolTip(), "Show overlays");
    EXPECT_FALSE(overlay[1]->isOn());

    const auto audio = rig.panel.headers()->buttons(TimelineLane::of(K::audio));
    ASSERT_EQ(audio.size(), 1u);
    QTest::mouseClick(audio[0], Qt::LeftButton);
    EXPECT_TRUE(editor.project().tracks->videoMuted);
    EXPECT_TRUE(editor.project().tracks->overlaysHidden);  // the other flags stay

    const auto captions = rig.panel.headers()->buttons(TimelineLane::of(K::captions));
    ASSERT_EQ(captions.size(), 2u);
    QTest::mouseClick(captions[1], Qt::LeftButton);
    EXPECT_FALSE(editor.project().captionsVisible);
    EXPECT_EQ(editor.undoDepth(), depth);

    const auto dimmed = LaneContent::dimmedLanes(editor.project(), rig.panel.lanes());
    EXPECT_NE(std::find(dimmed.begin(), dimmed.end(), TimelineLane::of(K::captions)), dimmed.end());
    EXPECT_NE(std::find(dimmed.begin(), dimmed.end(), TimelineLane::of(K::audio)), dimmed.end());
    EXPECT_EQ(std::find(dimmed.begin(), dimmed.end(), TimelineLane::of(K::video)), dimmed.end());

    // The match cut's plus adds one at the playhead.
    const auto matchCut = rig.panel.headers()->buttons(TimelineLane::of(K::matchCut));
    ASSERT_EQ(matchCut.size(), 3u);
    QTest::mouseClick(matchCut[0], Qt::LeftButton);
    EXPECT_EQ(editor.placedMatchCuts().size(), 1u);
}

TEST(TimelinePanel, CaptionLineBarEditsTheLineAtThePlayhead)
{
    PanelRig rig;
    auto& editor = rig.editor();
    const auto groups = editor.groups();
    ASSERT_GE(groups.size(), 2u);
    // In the gap before the second line: that line opens, the playhead moves in.
    editor.seekExactly(groups[0].end + 0.001);
    rig.panel.editLineAtPlayhead();
    auto* bar = qobject_cast<CaptionLineBar*>(rig.panel.contextBar());
    ASSERT_TRUE(bar);
    EXPECT_EQ(rig.panel.editingLine(), groups[1].words.front().id);
    EXPECT_NEAR(editor.currentTime(), groups[1].start + 0.01, 1e-9);

    // Return saves the retyped line and closes the bar.
    bar->field()->setText("hello there");
    QTest::keyClick(bar->field(), Qt::Key_Return);
    EXPECT_EQ(rig.panel.editingLine(), std::nullopt);
    QApplication::processEvents();
    bool found = false;
    for (const auto& w : editor.transcript()) found = found || (w.text == "hello" && !w.deleted);
    EXPECT_TRUE(found);

    // Selecting an item closes an open bar.
    rig.panel.editLineAtPlayhead();
    ASSERT_TRUE(qobject_cast<CaptionLineBar*>(rig.panel.contextBar()));
    editor.selectTimelineItem(TimelineItem{TimelineItem::Kind::clip, editor.project().videoClips()[0].id});
    EXPECT_EQ(rig.panel.editingLine(), std::nullopt);
    EXPECT_TRUE(qobject_cast<ClipBar*>(rig.panel.contextBar()));
}

TEST(TimelinePanel, CaptionLineBarStylesTheWordsOfItsLine)
{
    PanelRig rig;
    auto& editor = rig.editor();
    const auto groups = editor.groups();
    ASSERT_GE(groups.size(), 2u);
    editor.seekExactly(groups[1].start + 0.01);
    rig.panel.editLineAtPlayhead();
    auto* bar = qobject_cast<CaptionLineBar*>(rig.panel.contextBar());
    ASSERT_TRUE(bar);
    ASSERT_TRUE(bar->styleMenu());
    EXPECT_TRUE(bar->styleMenu()->isVisibleTo(bar));
    EXPECT_EQ(bar->styleMenu()->label(), QString("Style"));

    // A popular look goes to exactly the words of the shown line.
    QAction* look = nullptr;
    for (QAction* a : bar->styleMenu()->menu()->actions().mid(2))
        if (!look && !a->isSeparator() && a->text() != QString::fromStdString(editor.project().style.name)) look = a;
    ASSERT_TRUE(look);
    look->trigger();
    EXPECT_EQ(bar->styleMenu()->label(), look->text());
    std::set<Uuid> line;
    for (const TimedWord& w : groups[1].words) line.insert(*w.id);
    for (const Word& w : editor.project().words)
        EXPECT_EQ(w.styleID.has_value(), line.count(w.id) == 1) << w.text;

    // Once the line's words are gone there is no line and no menu.
    editor.toggleDelete(line);
    QApplication::processEvents();
    bar = qobject_cast<CaptionLineBar*>(rig.panel.contextBar());
    ASSERT_TRUE(bar);
    EXPECT_FALSE(bar->styleMenu()->isVisibleTo(bar));
}

TEST(TimelinePanel, NarrowHeaderDropsTheToolbarTitles)
{
    PanelRig wide(1200);
    EXPECT_GT(wide.panel.toolbarChips()[0]->sizeHint().width(), 40);
    PanelRig narrow(300);
    for (PaletteChip* chip : narrow.panel.toolbarChips()) EXPECT_EQ(chip->sizeHint().width(), 30);
    // The match-cut chip adds at the playhead when clicked.
    QTest::mouseClick(narrow.panel.toolbarChips()[2], Qt::LeftButton);
    EXPECT_EQ(narrow.editor().placedMatchCuts().size(), 1u);
}

TEST(TimelinePanel, ThePlayheadIsFollowedWhenItLeavesTheView)
{
    PanelRig rig(400);
    auto& editor = rig.editor();
    editor.setTimelineZoom(40);
    QApplication::processEvents();
    const auto& s = rig.panel.scale();
    ASSERT_GT(s.contentWidth, 3 * s.viewport);
    editor.seekExactly(editor.plan().outputLength() * 0.6);
    const double x = editor.currentTime() * s.pps;
    EXPECT_GE(x, rig.panel.scrollX() + 2);
    EXPECT_LE(x, rig.panel.scrollX() + s.viewport - 30);
    editor.seekExactly(0);
    EXPECT_EQ(rig.panel.scrollX(), 0);
}

TEST(SoundBar, TextsAndLevelSteps)
{
    EXPECT_EQ(SoundBar::levelText(-40), "off");
    EXPECT_EQ(SoundBar::levelText(0), "+0 dB");
    EXPECT_EQ(SoundBar::levelText(-0.4), "+0 dB");  // no "-0"
    EXPECT_EQ(SoundBar::levelText(-0.6), "-1 dB");
    EXPECT_EQ(SoundBar::fadeTitle("Fade in", 0), "Fade in \u2013");
    EXPECT_EQ(SoundBar::fadeTitle("Fade in", 1), "Fade in 1.0 s");

    test::EditorUiRig ui;
    auto& editor = ui.editor();
    SoundClip sound;
    sound.name = "Ding";
    sound.duration = 2;
    sound.fileDuration = 2;
    VolumeEnvelope::Point high, low;
    high.time = 0.5;
    high.db = 3;
    low.time = 1;
    low.db = -38;
    sound.volume.points = {high, low};
    editor.updateProject([&](Project& p) { p.sounds = std::vector{sound}; });
    SoundBar::setLevel(editor, sound.id, -6);
    EXPECT_DOUBLE_EQ(editor.project().sounds->front().volume.points[0].db, -3);
    EXPECT_DOUBLE_EQ(editor.project().sounds->front().volume.points[1].db, -40);
    SoundBar::setLevel(editor, sound.id, 0);
    EXPECT_DOUBLE_EQ(editor.project().sounds->front().volume.points[1].db, -34);
    SoundBar::setFade(editor, sound.id, true, 3);
    EXPECT_DOUBLE_EQ(editor.project().sounds->front().volume.fadeIn, 1);
    SoundBar::setFade(editor, sound.id, true, 0);
    EXPECT_DOUBLE_EQ(editor.project().sounds->front().volume.fadeIn, 0);
}

}  // namespace
}  // namespace vt

namespace vt {
namespace {

TEST(TimelinePanel, PinchZoomsFromTheZoomAtItsStartWithinBounds)
{
    PanelRig rig;
    auto& editor = rig.editor();
    editor.setTimelineZoom(2);
    QWidget* viewport = rig.panel.headers()->parentWidget()->parentWidget();
    const auto pinch = [&](Qt::NativeGestureType type, double value) {
        QNativeGestureEvent event(type, QPointingDevice::primaryPointingDevice(), 2, QPointF(10, 10), QPointF(10, 10),
                                  QPointF(10, 10), value, QPointF(), 1);
        QApplication::sendEvent(viewport, &event);
    };
    pinch(Qt::ZoomNativeGesture, 0.5);  // × 1.5
    EXPECT_DOUBLE_EQ(editor.timelineZoom(), 3);
    pinch(Qt::ZoomNativeGesture, 1.0);  // × 2 more: 6 from the start's 2
    EXPECT_DOUBLE_EQ(editor.timelineZoom(), 6);
    pinch(Qt::ZoomNativeGesture, 20);
    EXPECT_DOUBLE_EQ(editor.timelineZoom(), 40);
    pinch(Qt::EndNativeGesture, 0);
    pinch(Qt::ZoomNativeGesture, -0.99);
    EXPECT_DOUBLE_EQ(editor.timelineZoom(), 1);
    pinch(Qt::EndNativeGesture, 0);

    // Fingers that rest on the pad change nothing until the pinch has
    // scaled by 1 %; then it zooms by all it has gathered.
    editor.setTimelineZoom(4);
    pinch(Qt::ZoomNativeGesture, 0.005);
    pinch(Qt::ZoomNativeGesture, 0.004);
    EXPECT_DOUBLE_EQ(editor.timelineZoom(), 4);
    pinch(Qt::ZoomNativeGesture, 0.002);
    EXPECT_DOUBLE_EQ(editor.timelineZoom(), 4 * 1.005 * 1.004 * 1.002);
    pinch(Qt::EndNativeGesture, 0);
    pinch(Qt::ZoomNativeGesture, -0.009);
    EXPECT_DOUBLE_EQ(editor.timelineZoom(), 4 * 1.005 * 1.004 * 1.002);
}

}  // namespace
}  // namespace vt

namespace vt {
namespace {

TEST(EffectsPalette, AChipAddsItsMoveAtThePlayheadAndCloses)
{
    test::EditorUiRig ui;
    auto& editor = ui.editor();
    int done = 0;
    EffectsPalette palette(editor, [&] { ++done; });
    palette.show();
    const auto chips = palette.findChildren<PaletteChip*>();
    QStringList titles;
    for (PaletteChip* chip : chips) titles << chip->text();
    EXPECT_EQ(titles, (QStringList{"Zoom In", "Zoom Out", "Punch In", "Pop", "Shake", "Fade In", "Fade Out", "Flash",
                                   "Blur In", "Black & White", "Glitch"}));
    EXPECT_EQ(chips[9]->toolTip(), "Black and white for a moment");
    EXPECT_EQ(TimelinePayload::payload(*chips[9]->drop()), "vellumtide-timeline:motion:Black & White");
    // The ampersand is text, not the mark of an Alt+Space mnemonic that
    // would press "Black & White".
    palette.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&palette));
    QTest::keyClick(&palette, Qt::Key_Space, Qt::AltModifier);
    EXPECT_FALSE(chips[9]->isDown());
    editor.seekExactly(1.25);
    // A click in the empty right part of the chip counts.
    QTest::mouseClick(chips[7], Qt::LeftButton, {}, QPoint(chips[7]->width() - 3, chips[7]->height() / 2));
    EXPECT_EQ(done, 1);
    ASSERT_EQ(editor.placedMotions().size(), 1u);
    EXPECT_EQ(editor.placedMotions()[0].effect.kind, MotionEffect::Kind::flash);
    EXPECT_NEAR(editor.placedMotions()[0].start, 1.25, 1e-6);
}

}  // namespace
}  // namespace vt

namespace vt {
namespace {

TEST(ClipBar, MovesAndRemovesTheSelectedClip)
{
    Project project = test::sampleProject(12);
    project.clips = std::vector{test::clip("/media/a.mov", 4), test::clip("/media/b.mov", 6)};
    project.sourceDuration = 10;
    test::EditorUiRig ui(project);
    auto& editor = ui.editor();
    const Uuid a = editor.project().clips->at(0).id;
    ClipBar bar(editor, editor.project().clips->at(0));
    const auto buttons = bar.findChildren<TrackButton*>();
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_EQ(buttons[0]->toolTip(), "Move earlier");
    EXPECT_FALSE(buttons[0]->isEnabled());  // the first clip
    EXPECT_TRUE(buttons[1]->isEnabled());
    QTest::mouseClick(buttons[1], Qt::LeftButton);
    EXPECT_EQ(editor.project().clips->at(1).id, a);
    // With the playhead in the second clip, the menu offers adding after it.
    editor.seekExactly(editor.clipSpans()[1].start + 0.5);
    EXPECT_EQ(AddVideoItems::currentClip(editor), 1);
    QMenu menu;
    AddVideoItems::fill(menu, editor, {});
    QStringList titles;
    for (QAction* action : menu.actions()) titles << action->text();
    EXPECT_EQ(titles, (QStringList{"Add a Clip at the End…", "Add a Clip at the Start…", "Add a Clip After This One…", "",
                                   "Put a Video or Photo On Top…"}));
    QTest::mouseClick(buttons[2], Qt::LeftButton);
    EXPECT_EQ(editor.project().clips->size(), 1u);
}

}  // namespace
}  // namespace vt

namespace vt {
namespace {

// A click through the window, as the pointer gives it: with a popup open,
// the press goes to the popup first.
void clickThroughWindow(QWidget* target)
{
    QWidget* window = target->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, target->mapTo(window, target->rect().center()));
    QApplication::processEvents();
}

TEST(EffectsPalette, TheButtonThatOpensItClosesItOnASecondClick)
{
    PanelRig rig;
    QWidget* toolbarEffects = rig.panel.toolbarChips()[3];
    QWidget* laneEffects = rig.panel.headers()->buttons(TimelineLane::of(K::effects))[0];
    for (QWidget* button : {toolbarEffects, laneEffects}) {
        SCOPED_TRACE(button->toolTip().toStdString());
        clickThroughWindow(button);
        ASSERT_NE(QApplication::activePopupWidget(), nullptr);
        EXPECT_NE(QApplication::activePopupWidget()->findChild<EffectsPalette*>(), nullptr);
        clickThroughWindow(button);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
    EXPECT_TRUE(rig.editor().placedMotions().empty());
}

}  // namespace
}  // namespace vt

namespace vt {
namespace {

TEST(TimelineIcons, EverySymbolTheTimelineShowsHasADrawing)
{
    QStringList missing;
    for (const auto& [kind, text] : enumCases(MotionEffect::Kind{}))
        if (!TimelineIcons::has(QString::fromUtf8(icon(kind)))) missing << QString::fromUtf8(icon(kind));
    for (int k = 0; k <= int(TimelineLane::Kind::music); ++k) {
        const QString symbol = QString::fromUtf8(TimelineLane::of(TimelineLane::Kind(k)).icon());
        if (!TimelineIcons::has(symbol)) missing << symbol;
    }
    EXPECT_EQ(missing.join(", ").toStdString(), "");
}

}  // namespace
}  // namespace vt

namespace vt {
namespace {

TEST(EffectsPalette, MotionChipsKeepTheirShadeUnderThePointer)
{
    PaletteChip chip(QStringLiteral("Flash"), QStringLiteral("bolt"), TimelineTint::motion(), PaletteChip::Look::palette,
                     TimelinePayload::motion(MotionEffect::Kind::flash));
    chip.resize(100, 30);
    chip.show();
    const QPoint empty(chip.width() - 4, chip.height() / 2);
    const QRgb still = chip.grab().toImage().pixel(empty);
    QEnterEvent enter(QPointF(empty.x(), empty.y()), QPointF(empty.x(), empty.y()), chip.mapToGlobal(QPointF(empty.x(), empty.y())));
    QApplication::sendEvent(&chip, &enter);
    EXPECT_EQ(chip.grab().toImage().pixel(empty), still);
}

}  // namespace
}  // namespace vt

namespace vt {
namespace {

// Presses the slider's handle, moves it `dx` points in steps and lets go.
void dragHandle(QSlider* slider, int dx)
{
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = option.sliderValue = slider->value();
    const QPoint from =
        slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider).center();
    QTest::mousePress(slider, Qt::LeftButton, {}, from);
    for (int i = 1; i <= 4; ++i) {
        const QPoint p = from + QPoint(dx * i / 4, 0);
        QMouseEvent move(QEvent::MouseMove, p, slider->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(slider, &move);
        QApplication::processEvents();
    }
    QTest::mouseRelease(slider, Qt::LeftButton, {}, from + QPoint(dx, 0));
    QApplication::processEvents();
}

TEST(SoundBar, EachSliderGestureMovesTheWholeLineAsOneUndoStep)
{
    PanelRig rig;
    auto& editor = rig.editor();
    SoundClip sound;
    sound.name = "Ding";
    sound.duration = 2;
    sound.fileDuration = 2;
    VolumeEnvelope::Point point;
    point.time = 1;
    point.db = -3;
    sound.volume.points = {point};
    editor.updateProject([&](Project& p) { p.sounds = std::vector{sound}; });
    editor.timelineItemsChanged();
    editor.selectTimelineItem(TimelineItem{TimelineItem::Kind::sound, sound.id});
    QApplication::processEvents();
    auto* bar = qobject_cast<SoundBar*>(rig.panel.contextBar());
    ASSERT_NE(bar, nullptr);
    QSlider* slider = bar->findChild<QSlider*>();
    ASSERT_NE(slider, nullptr);
    const std::size_t depth = editor.undoDepth();
    dragHandle(slider, -40);
    const VolumeEnvelope& moved = editor.project().sounds->front().volume;
    ASSERT_LT(moved.db, -1);
    EXPECT_NEAR(moved.points[0].db, -3 + moved.db, 1e-9);
    EXPECT_EQ(editor.undoDepth(), depth + 1);
    // The bar catches up with the stored level once the button is up.
    const auto barShows = [&](int value) {
        return test::waitFor([&] {
            auto* shown = qobject_cast<SoundBar*>(rig.panel.contextBar());
            return shown && shown->findChild<QSlider*>()->value() == value;
        });
    };
    EXPECT_TRUE(barShows(int(std::lround(moved.db * 10))));
    editor.undo();
    EXPECT_DOUBLE_EQ(editor.project().sounds->front().volume.db, 0);
    EXPECT_DOUBLE_EQ(editor.project().sounds->front().volume.points[0].db, -3);

    // A click on the groove away from the handle moves the level too, and
    // that is undone as well.
    ASSERT_TRUE(barShows(0));
    slider = qobject_cast<SoundBar*>(rig.panel.contextBar())->findChild<QSlider*>();
    QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(3, slider->height() / 2));
    QApplication::processEvents();
    ASSERT_LT(editor.project().sounds->front().volume.db, 0);
    editor.undo();
    EXPECT_DOUBLE_EQ(editor.project().sounds->front().volume.db, 0);
}

}  // namespace
}  // namespace vt
