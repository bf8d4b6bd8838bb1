#include "EditorUiRig.h"

#include "app/AppModel.h"
#include "app/AppSettings.h"
#include "ui/editor/DockHandle.h"
#include "ui/editor/EditorKeys.h"
#include "ui/editor/EditorView.h"
#include "ui/editor/IconRail.h"
#include "ui/editor/SymbolButton.h"
#include "ui/editor/SymbolTextButton.h"
#include "ui/editor/TimelineZoomBar.h"
#include "ui/editor/TranscriptDock.h"
#include "ui/editor/WaveformScrubber.h"
#include "ui/inspector/TimeFormat.h"
#include "support/Waits.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::ui;

namespace {

TEST(WaveformScrubber, BarsTimesAndSeeking)
{
    EXPECT_EQ(WaveformScrubber::barCount(40), 20);
    EXPECT_EQ(WaveformScrubber::barCount(400), 100);
    const struct {
        double x, width, duration, want;
    } cases[] = {{-30, 200, 10, 0}, {250, 200, 10, 10}, {50, 200, 10, 2.5}, {0.5, 0.5, 0.1, 0.05}};
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(WaveformScrubber::timeAt(c.x, c.width, c.duration), c.want);

    test::EditorUiRig rig;
    // The editor's own clip loads land first; the peaks set here replace them.
    ASSERT_TRUE(test::waitFor([&] { return !rig.editor().filmstrip().empty() && rig.editor().waveformPeaks()[0] > 0; }));
    rig.editor().setWaveformPeaks(std::vector<float>(400, 0.5f));
    WaveformScrubber scrubber(rig.editor());
    scrubber.resize(300, 30);
    scrubber.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&scrubber, test::kHangCapMs));
    WaveformArea* area = scrubber.area();
    QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(area->width() / 2, 10));
    const double d = WaveformScrubber::duration(rig.editor());
    EXPECT_NEAR(rig.editor().currentTime(), d * (area->width() / 2) / area->width(), 1e-9);
    EXPECT_EQ(rig.rig.player->playheadSeeks.back(), rig.editor().currentTime());
    area->repaint();
    EXPECT_EQ(area->bars().size(), 75u);
    EXPECT_FLOAT_EQ(area->bars()[10], 0.5f);
    EXPECT_EQ(scrubber.currentText(), formatTime(rig.editor().currentTime()));
}

TEST(TimelineZoomBar, StepsSliderAndFit)
{
    test::EditorUiRig rig;
    EditorModel& e = rig.editor();
    TimelineZoomBar bar(e);
    EXPECT_FALSE(bar.zoomOut()->isEnabled());
    EXPECT_FALSE(bar.fit()->isEnabled());
    EXPECT_TRUE(bar.zoomIn()->isEnabled());
    for (int i = 0; i < 8; ++i) bar.zoomIn()->click();
    EXPECT_EQ(e.timelineZoom(), 40);
    EXPECT_FALSE(bar.zoomIn()->isEnabled());
    for (int i = 0; i < 8; ++i) bar.zoomOut()->click();
    EXPECT_EQ(e.timelineZoom(), 1);
    e.setTimelineZoom(1.0000001);
    EXPECT_TRUE(bar.fit()->isEnabled());
    bar.zoomOut()->click();
    EXPECT_EQ(e.timelineZoom(), 1);
    bar.slider()->setValue(bar.slider()->maximum());
    EXPECT_EQ(e.timelineZoom(), 40);
    bar.slider()->setValue(0);
    EXPECT_EQ(e.timelineZoom(), 1);
    EXPECT_TRUE(bar.readout()->text().contains(" / "));
}

TEST(DockHandle, DragsResizeWithinTheRange)
{
    double height = 200;
    DockHandle handle([&] { return height; }, [&](double h) { height = h; }, [] { return std::pair{160.0, 500.0}; });
    handle.resize(300, 8);
    handle.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&handle, test::kHangCapMs));
    const auto drag = [&](int dy) {
        QTest::mousePress(&handle, Qt::LeftButton, {}, QPoint(150, 4));
        QMouseEvent move(QEvent::MouseMove, QPointF(150, 4 + dy), handle.mapToGlobal(QPointF(150, 4 + dy)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(&handle, &move);
        QTest::mouseRelease(&handle, Qt::LeftButton, {}, QPoint(150, 4 + dy));
    };
    const struct {
        int dy;
        double want;
    } cases[] = {{-50, 250}, {-400, 500}, {5, 500}, {-9, 500}, {400, 160}};
    for (const auto& c : cases) {
        drag(c.dy);
        EXPECT_EQ(height, c.want) << c.dy;
    }
}

TEST(IconRail, NineTabsAndTheKeysItem)
{
    test::EditorUiRig rig;
    AppModel app{AppModel::Services{}};
    IconRail rail(rig.editor(), &app);
    ASSERT_EQ(rail.tabItems().size(), 9u);
    EXPECT_EQ(rail.tabItems().front()->text(), "Styles");
    EXPECT_EQ(rail.tabItems().back()->text(), "Post");
    EXPECT_TRUE(rail.tabItems()[0]->selected());
    rig.editor().setItemInspectorOpen(true);
    EXPECT_FALSE(rail.tabItems()[0]->selected());
    rail.tabItems()[0]->click();
    EXPECT_FALSE(rig.editor().itemInspectorOpen());
    EXPECT_TRUE(rail.tabItems()[0]->selected());
    rail.tabItems()[3]->click();
    EXPECT_EQ(rig.editor().inspectorTab(), InspectorTab::color);
    rig.editor().setInspectorTab(InspectorTab::exportTab);
    for (RailItem* item : rail.tabItems()) EXPECT_FALSE(item->selected());
    rail.keysItem()->click();
    EXPECT_TRUE(app.showShortcuts());
    EXPECT_FALSE(rail.keysItem()->selected());
}

struct WindowRig : test::EditorUiRig {
    EditorView view{editor(), nullptr};
    WindowRig()
    {
        view.resize(1300, 800);
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view, test::kHangCapMs));
    }
};

TEST(EditorKeys, TransportAndSelectionKeysUnlessSomethingElseOwnsThem)
{
    WindowRig r;
    QWidget* target = r.view.undoButton();
    target->setFocus();
    const auto key = [&](int k, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(target, static_cast<Qt::Key>(k), mods); };
    key(Qt::Key_Space);
    EXPECT_TRUE(r.editor().isPlaying());
    key(Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_FALSE(r.editor().isPlaying());
    key(Qt::Key_L);
    key(Qt::Key_L);
    EXPECT_EQ(r.editor().shuttleRate(), 2);
    key(Qt::Key_K);
    EXPECT_FALSE(r.editor().isPlaying());
    r.editor().select(r.word(3).id, {});
    key(Qt::Key_L);  // words picked: L is left to the dock
    EXPECT_FALSE(r.editor().isPlaying());
    key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_FALSE(r.word(3).deleted);
    key(Qt::Key_Backspace);
    EXPECT_TRUE(r.word(3).deleted);
    key(Qt::Key_Delete);  // all cut: restores
    EXPECT_FALSE(r.word(3).deleted);
    key(Qt::Key_Escape);
    EXPECT_TRUE(r.editor().selection().empty());

    // A text field keeps its keys.
    QLineEdit field(&r.view);
    field.show();
    field.setFocus();
    QTest::keyClicks(&field, "j l ");
    EXPECT_EQ(field.text(), "j l ");
    EXPECT_FALSE(r.editor().isPlaying());
}

// J, K and L act by where the key sits, whatever letter the layout types
// there (X11 keycodes; 0 when the press carries none).
TEST(EditorKeys, ShuttleKeysGoByPlaceNotLetter)
{
    WindowRig r;
    QWidget* target = r.view.undoButton();
    target->setFocus();
    const auto press = [&](Qt::Key key, quint32 scanCode) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, scanCode, 0, 0);
        QApplication::sendEvent(target, &event);
    };
    press(Qt::Key_N, 46);  // a Dvorak layout types n where L sits
    EXPECT_EQ(r.editor().shuttleRate(), 1);
    press(Qt::Key_T, 45);  // ... and t where K sits
    EXPECT_FALSE(r.editor().isPlaying());
    press(Qt::Key_L, 33);  // ... and l where P sits
    EXPECT_FALSE(r.editor().isPlaying());
    press(Qt::Key_L, 0);  // no scan code: the letter decides
    EXPECT_EQ(r.editor().shuttleRate(), 1);
}

TEST(EditorView, HeaderUndoRedoExportAndDockHeights)
{
    WindowRig r;
    EXPECT_EQ(r.view.nameLabel()->text(), "Sample");
    r.editor().updateProject([](Project& p) { p.name = "A" + std::string(200, 'n') + "Z"; });
    EXPECT_TRUE(r.view.nameLabel()->text().startsWith("An") && r.view.nameLabel()->text().endsWith("nZ"));
    EXPECT_TRUE(r.view.nameLabel()->text().contains(QChar(0x2026)));
    EXPECT_EQ(r.view.nameLabel()->toolTip().size(), 202);
    EXPECT_TRUE(r.view.statsLabel()->text().contains("12 words"));
    EXPECT_FALSE(r.view.undoButton()->isEnabled());
    r.editor().toggleDelete({r.word(0).id});
    EXPECT_TRUE(r.view.statsLabel()->text().contains("11 words"));
    EXPECT_TRUE(r.view.undoButton()->isEnabled());
    r.view.undoButton()->click();
    EXPECT_FALSE(r.view.undoButton()->isEnabled());
    EXPECT_TRUE(r.view.redoButton()->isEnabled());
    r.editor().setItemInspectorOpen(true);
    r.view.exportButton()->click();
    EXPECT_FALSE(r.editor().itemInspectorOpen());
    EXPECT_EQ(r.editor().inspectorTab(), InspectorTab::exportTab);

    EXPECT_DOUBLE_EQ(EditorView::dockLimit(300), 200);
    EXPECT_DOUBLE_EQ(EditorView::dockLimit(1000), 620);
    EXPECT_EQ(r.view.dock()->height(), 200);
    r.editor().setTranscriptMode(TranscriptMode::timeline);
    EXPECT_EQ(r.view.dock()->height(), std::min(400, static_cast<int>(EditorView::dockLimit(r.view.column()->height()))));
    r.view.setActiveDockHeight(300);
    EXPECT_EQ(AppSettings::string("timelineDockHeight2"), "300");
    r.editor().setTranscriptMode(TranscriptMode::transcription);
    EXPECT_EQ(r.view.dock()->height(), 200);
}

}  // namespace
