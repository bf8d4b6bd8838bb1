// The full-screen player: one toggle in and out, playback started on the
// way in, the keys and the pill's skipping and scrubbing.

#include "EditorUiRig.h"

#include "ui/editor/EditorView.h"
#include "ui/editor/FullScreenPlayer.h"
#include "ui/editor/PlayerLayerView.h"
#include "ui/editor/PreviewPanel.h"
#include "ui/editor/SymbolButton.h"
#include "ui/inspector/TimeFormat.h"
#include "support/Waits.h"

#include <QLabel>

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::ui;

namespace {

TEST(Scrubber, FractionsAndThumbStayOnTheBar)
{
    const struct {
        double x, width, want;
    } fractions[] = {{-5, 200, 0}, {50, 200, 0.25}, {400, 200, 1}, {0.5, 0.5, 0.5}};
    for (const auto& c : fractions) EXPECT_DOUBLE_EQ(Scrubber::fractionAt(c.x, c.width), c.want) << c.x;
    EXPECT_DOUBLE_EQ(Scrubber::thumbX(0, 200, 10), 0);
    EXPECT_DOUBLE_EQ(Scrubber::thumbX(1, 200, 13), 187);
    EXPECT_DOUBLE_EQ(Scrubber::thumbX(0.5, 200, 10), 95);

    double asked = -1;
    Scrubber bar([&](double f) { asked = f; });
    bar.resize(200, 20);
    bar.show();
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(150, 10));  // a click without a drag seeks
    EXPECT_DOUBLE_EQ(asked, 0.75);

    // Under the mouse the thumb grows, not in one jump, and shrinks again after.
    EXPECT_DOUBLE_EQ(bar.thumbDiameter(), 10);
    QEnterEvent enter(QPointF(20, 10), bar.mapToGlobal(QPointF(20, 10)), bar.mapToGlobal(QPointF(20, 10)));
    QApplication::sendEvent(&bar, &enter);
    EXPECT_LT(bar.thumbDiameter(), 13);
    EXPECT_TRUE(test::waitFor([&] { return bar.thumbDiameter() == 13; }));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&bar, &leave);
    EXPECT_TRUE(test::waitFor([&] { return bar.thumbDiameter() == 10; }));
}

TEST(FullScreenPlayer, OpensPlayingFromThePreviewAndClosesBackToTheEditor)
{
    test::EditorUiRig rig;
    EditorModel& e = rig.editor();
    EditorView view(e, nullptr);
    view.resize(1300, 800);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view, test::kHangCapMs));
    view.activateWindow();
    const auto previewFrame = view.preview()->videoFrame();
    ASSERT_TRUE(previewFrame);
    EXPECT_EQ(FullScreenPlayer::startRect(previewFrame, &view).topLeft(), view.mapToGlobal(previewFrame->topLeft()));
    EXPECT_EQ(FullScreenPlayer::startRect(std::nullopt, &view), view.frameGeometry());

    ASSERT_FALSE(e.isPlaying());
    view.preview()->fullScreenButton()->click();
    FullScreenPlayer* player = FullScreenPlayer::current();
    ASSERT_TRUE(player);
    EXPECT_TRUE(e.isPlaying());  // opening always plays
    EXPECT_TRUE(test::waitFor([&] { return player->isFullScreen(); }));
    // The same player surface as the preview.
    EXPECT_EQ(player->view()->playerView()->frames(), view.playerFrames());
    EXPECT_TRUE(player->view()->controlsVisible());

    // Skipping stays within the output and shows the controls.
    FullScreenPlayerView* fs = player->view();
    const double length = e.plan().outputLength();
    QTest::keyClick(fs, Qt::Key_Right);
    QTest::keyClick(fs, Qt::Key_Right);
    EXPECT_DOUBLE_EQ(e.currentTime(), length);
    QTest::keyClick(fs, Qt::Key_Left);
    EXPECT_DOUBLE_EQ(e.currentTime(), length - 5);
    for (int i = 0; i < 3; ++i) QTest::keyClick(fs, Qt::Key_Left);
    EXPECT_DOUBLE_EQ(e.currentTime(), 0);
    EXPECT_EQ(rig.rig.player->playheadSeeks.back(), 0);
    QTest::keyClick(fs, Qt::Key_Space);
    EXPECT_FALSE(e.isPlaying());
    EXPECT_EQ(fs->playButton()->symbol(), "play.fill");
    fs->scrubber()->resize(200, 20);
    QTest::mouseClick(fs->scrubber(), Qt::LeftButton, {}, QPoint(100, 10));
    EXPECT_NEAR(e.currentTime(), length / 2, 1e-9);
    EXPECT_EQ(fs->currentLabel()->text(), formatTime(e.currentTime()));
    EXPECT_EQ(fs->totalLabel()->text(), formatTime(length));
    QTest::keyClick(fs, Qt::Key_Space);

    // While playing, the controls hide after their wait and come back with the mouse.
    EXPECT_TRUE(e.isPlaying());
    ASSERT_TRUE(fs->hideTimer()->isActive());
    EXPECT_EQ(fs->hideTimer()->interval(), 2500);
    fs->hideTimer()->setInterval(10);  // no need to wait the full 2.5 s here
    fs->reveal();
    EXPECT_TRUE(test::waitFor([&] { return !fs->controlsVisible(); }));
    EXPECT_EQ(fs->cursor().shape(), Qt::BlankCursor);
    // The pill fades out rather than vanishing, then takes no clicks.
    EXPECT_TRUE(fs->controls()->isVisible());
    EXPECT_TRUE(test::waitFor([&] { return !fs->controls()->isVisible(); }));
    QMouseEvent move(QEvent::MouseMove, QPointF(50, 50), fs->mapToGlobal(QPointF(50, 50)), Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(fs->playerView(), &move);
    EXPECT_TRUE(fs->controlsVisible());
    EXPECT_TRUE(fs->controls()->isVisible());
    EXPECT_EQ(fs->cursor().shape(), Qt::ArrowCursor);
    QTest::keyClick(fs, Qt::Key_Space);  // paused: they stay up
    EXPECT_FALSE(fs->hideTimer()->isActive());
    QTest::keyClick(fs, Qt::Key_Space);

    // The toggle again closes it; the editor keeps its play state, and the
    // pending hide goes with the window.
    ASSERT_TRUE(fs->hideTimer()->isActive());
    view.preview()->fullScreenButton()->click();
    EXPECT_FALSE(fs->hideTimer()->isActive());
    EXPECT_TRUE(test::waitFor([] { return FullScreenPlayer::current() == nullptr; }));
    EXPECT_TRUE(e.isPlaying());

    // Escape leaves, too.
    view.preview()->fullScreenButton()->click();
    ASSERT_TRUE(FullScreenPlayer::current());
    QTest::keyClick(FullScreenPlayer::current()->view(), Qt::Key_Escape);
    EXPECT_TRUE(test::waitFor([] { return FullScreenPlayer::current() == nullptr; }));
}

TEST(FullScreenPlayer, TheEditorScreenTakesItAlongWhenItGoes)
{
    test::EditorUiRig rig;
    {
        EditorView view(rig.editor(), nullptr);
        view.show();
        FullScreenPlayer::show(rig.editor(), view.playerFrames(), std::nullopt);
        ASSERT_TRUE(FullScreenPlayer::current());
    }
    EXPECT_TRUE(test::waitFor([] { return FullScreenPlayer::current() == nullptr; }));
}

}  // namespace
