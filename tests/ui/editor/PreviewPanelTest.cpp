// The preview panel on real widgets: fitting, the pickers and toggles, the
// player surface, caption words dragged on the picture, the word look bar
// and the safe zones.

#include "EditorUiRig.h"

#include "editor/ClipMediaService.h"
#include "editor/PlayerService.h"
#include "ui/editor/BusySpinner.h"
#include "ui/editor/PlayerLayerView.h"
#include "ui/editor/PreviewPanel.h"
#include "ui/editor/SafeAreaOverlay.h"
#include "ui/editor/SymbolButton.h"
#include "ui/editor/WordDragLayer.h"
#include "ui/editor/WordLookBar.h"
#include "ui/inspector/CompactButton.h"
#include "ui/inspector/LineStyleMenu.h"
#include "ui/theme/LookColor.h"
#include "support/Waits.h"

#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace vt;
using namespace vt::ui;

namespace {

TEST(PreviewPanel, FittingCornersAndPillText)
{
    const struct {
        QSizeF area;
        OutputAspect aspect;
        QSizeF surface;
        double radius;
    } cases[] = {
        {{308, 1000}, OutputAspect::vertical, {300, 300 * 1920 / 1080.0}, 24},
        {{508, 2000}, OutputAspect::vertical, {500, 500 * 1920 / 1080.0}, 34},
        {{808, 458}, OutputAspect::landscape, {800, 450}, 20},
        {{5, 3}, OutputAspect::square, {1, 1}, 20},  // never below a point
    };
    for (const auto& c : cases) {
        const QSizeF s = PreviewPanel::fittedSize(c.area, c.aspect);
        EXPECT_NEAR(s.width(), c.surface.width(), 1e-9);
        EXPECT_NEAR(s.height(), c.surface.height(), 1e-9);
        EXPECT_DOUBLE_EQ(PreviewPanel::cornerRadius(c.aspect, s.width()), c.radius);
    }
    EXPECT_EQ(PreviewPanel::pillText({"Cleaning up audio", 0.42}), QString::fromUtf8("Cleaning up audio \u00b7 42%"));
    EXPECT_EQ(PreviewPanel::pillText({"Cleaning up audio", 0.999}), QString::fromUtf8("Cleaning up audio \u00b7 99%"));
    EXPECT_EQ(PreviewPanel::pillText({"Updating preview", std::nullopt}), "Updating preview");
}

struct PanelRig : test::EditorUiRig {
    PreviewPanel panel{editor(), nullptr};
    PanelRig()
    {
        panel.resize(400, 760);
        panel.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&panel, test::kHangCapMs));
    }
};

TEST(PreviewPanel, PickersTogglesSpinnerPillAndLookBar)
{
    PanelRig r;
    EditorModel& e = r.editor();
    EXPECT_TRUE(r.panel.formatButton(OutputAspect::vertical)->isChecked());
    r.panel.formatButton(OutputAspect::landscape)->click();
    EXPECT_EQ(e.project().aspect, OutputAspect::landscape);
    const QSize wide = r.panel.surface()->size();
    EXPECT_NEAR(double(wide.width()) / wide.height(), 16.0 / 9, 0.02);
    r.panel.framing()->activated(2);
    EXPECT_EQ(e.project().reframe, ReframeMode::fit);
    EXPECT_EQ(r.panel.framing()->toolTip(), "No face found; Follow face will center the frame.");

    const std::size_t steps = e.undoDepth();
    r.panel.captionsToggle()->click();
    EXPECT_FALSE(e.project().captionsVisible);
    EXPECT_FALSE(r.panel.captionsToggle()->isChecked());
    EXPECT_EQ(e.undoDepth(), steps);  // not an edit of the transcript
    r.panel.captionsToggle()->click();
    EXPECT_TRUE(r.panel.captionsToggle()->isChecked());

    EXPECT_FALSE(r.panel.safeArea()->isVisible());
    r.panel.safeAreaToggle()->click();
    EXPECT_TRUE(e.showSafeArea());
    EXPECT_TRUE(r.panel.safeArea()->isVisible());
    EXPECT_EQ(r.panel.safeArea()->size(), r.panel.surface()->size());
    r.panel.safeAreaToggle()->click();
    EXPECT_FALSE(r.panel.safeArea()->isVisible());

    r.rig.clock->advance(1);  // the refreshes the clicks asked for have run
    EXPECT_FALSE(e.isLoading());
    EXPECT_FALSE(r.panel.spinner()->isVisible());
    EXPECT_TRUE(test::waitFor([&] { return !r.panel.pill()->isVisible(); }));  // "Updating preview" has faded
    e.setAudioProgress(0.42);
    e.setMusicBusy(true);
    EXPECT_TRUE(r.panel.pill()->isVisible());
    EXPECT_EQ(r.panel.pillLabel()->text(), QString::fromUtf8("Cleaning up audio \u00b7 42%"));
    e.setAudioProgress(std::nullopt);
    EXPECT_EQ(r.panel.pillLabel()->text(), "Composing music");
    e.setMusicBusy(false);
    EXPECT_TRUE(test::waitFor([&] { return !r.panel.pill()->isVisible(); }));  // after its fade

    EXPECT_FALSE(r.panel.lookBar()->isVisible());
    e.setSelection({r.word(2).id});
    EXPECT_TRUE(r.panel.lookBar()->isVisible());
    e.setSelection({});
    EXPECT_FALSE(r.panel.lookBar()->isVisible());
}

TEST(SafeAreaOverlay, ZonesAreFractionsOfTheSurface)
{
    const auto zones = SafeAreaOverlay::zones({360, 640});
    ASSERT_EQ(zones.size(), 3u);
    EXPECT_EQ(zones[0].label, "Top bar");
    EXPECT_EQ(zones[0].rect, QRectF(0, 0, 360, 64));
    EXPECT_EQ(zones[1].label, "Caption & audio");
    EXPECT_EQ(zones[1].rect, QRectF(0, 512, 360, 128));
    EXPECT_EQ(zones[2].label, "Buttons");
    EXPECT_NEAR(zones[2].rect.x(), 306, 1e-9);
    EXPECT_NEAR(zones[2].rect.y(), 268.8, 1e-9);
    EXPECT_NEAR(zones[2].rect.width(), 54, 1e-9);
    EXPECT_NEAR(zones[2].rect.height(), 243.2, 1e-9);
    // The overlay lets presses through to the caption words.
    SafeAreaOverlay overlay;
    EXPECT_TRUE(overlay.testAttribute(Qt::WA_TransparentForMouseEvents));
}

TEST(PlayerLayerView, BothViewsShowTheOnePlayersPictureWithoutACopy)
{
    QImage picture(1080, 1920, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::blue);
    QImage shown = picture;
    PlayerFrames frames([&] { return shown; });
    PlayerLayerView preview(&frames), full(&frames);
    preview.resize(400, 400);
    frames.poll();
    EXPECT_EQ(frames.frame().cacheKey(), picture.cacheKey());
    EXPECT_EQ(preview.pictureRect(), QRectF(87.5, 0, 225, 400));  // aspect fit
    full.resize(1000, 500);
    EXPECT_EQ(full.pictureRect().size(), QSizeF(500 * 1080 / 1920.0, 500));
    // A seek leaves the player without a picture for a moment: the last stays up.
    shown = QImage();
    frames.poll();
    EXPECT_EQ(frames.frame().cacheKey(), picture.cacheKey());
    // Attaching the same player again is no new attachment.
    preview.setFrames(&frames);
    EXPECT_EQ(preview.attachments(), 1);
}

// A paused editor on a word of its first caption line, with the layer 360
// points wide at 9:16 (three output pixels per point).
struct DragRig : test::EditorUiRig {
    WordDragLayer layer{editor()};
    DragRig()
    {
        layer.resize(360, 640);
        layer.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&layer, test::kHangCapMs));
        speak(1);
    }
    QPointF centre(const Uuid& id)
    {
        for (const auto& f : layer.wordFrames())
            if (f.id == id) return QPointF(f.rect.center().x() / 3, (1920 - f.rect.center().y()) / 3).toPoint();
        ADD_FAILURE() << "word not on screen";
        return {};
    }
    void drag(QPointF from, QPointF by)
    {
        QTest::mousePress(&layer, Qt::LeftButton, {}, from.toPoint());
        for (int step = 1; step <= 3; ++step) {
            const QPointF at = from + by * step / 3;
            QMouseEvent move(QEvent::MouseMove, at, layer.mapToGlobal(at), Qt::NoButton, Qt::LeftButton, {});
            QApplication::sendEvent(&layer, &move);
        }
        QTest::mouseRelease(&layer, Qt::LeftButton, {}, (from + by).toPoint());
    }
};

TEST(WordDragLayer, DraggingAWordStoresItsOffsetAsOneUndoStep)
{
    DragRig r;
    EditorModel& e = r.editor();
    ASSERT_FALSE(r.layer.wordFrames().empty());
    const Uuid id = r.layer.wordFrames().front().id;
    const std::size_t steps = e.undoDepth();
    r.drag(r.centre(id), {0, 30});  // downwards, clear of the other words of the line
    EXPECT_EQ(e.selection(), std::set<Uuid>{id});
    EXPECT_DOUBLE_EQ(e.look(id).dx, 0);
    EXPECT_DOUBLE_EQ(e.look(id).dy, 90);
    EXPECT_EQ(e.undoDepth(), steps + 1);
    EXPECT_FALSE(e.isPlaying());
    ASSERT_EQ(r.layer.marks().size(), 1u);

    // The next drag starts from the stored offset; back to the start leaves no look.
    r.drag(r.centre(id), {0, -30});  // the word is drawn where it was moved to
    EXPECT_FALSE(std::find_if(e.transcript().begin(), e.transcript().end(), [&](const Word& w) {
                     return w.id == id;
                 })->look);
    e.undo();
    EXPECT_DOUBLE_EQ(e.look(id).dy, 90);
    e.undo();
    EXPECT_DOUBLE_EQ(e.look(id).dy, 0);
}

TEST(WordDragLayer, ClicksSelectWithoutAStepOrToggleThePlayback)
{
    DragRig r;
    EditorModel& e = r.editor();
    const auto frames = r.layer.wordFrames();
    ASSERT_GE(frames.size(), 2u);
    e.toggleDelete({r.word(0).id});
    e.undo();
    ASSERT_TRUE(e.canRedo());
    const std::size_t steps = e.undoDepth();
    // Within 12 output pixels (4 points) of a word still hits it.
    const QPointF edge(frames[0].rect.left() / 3 - 3.5, (1920 - frames[0].rect.center().y()) / 3);
    QTest::mouseClick(&r.layer, Qt::LeftButton, {}, edge.toPoint());
    EXPECT_EQ(e.selection(), std::set<Uuid>{frames[0].id});
    EXPECT_EQ(e.undoDepth(), steps);
    EXPECT_TRUE(e.canRedo());  // a click that only selects keeps the redo history
    EXPECT_FALSE(e.isPlaying());

    QTest::mouseClick(&r.layer, Qt::LeftButton, {}, QPoint(20, 20));  // no word there
    EXPECT_TRUE(e.isPlaying());
    EXPECT_TRUE(r.layer.wordFrames().empty());  // nothing is measured while playing
    QTest::mouseClick(&r.layer, Qt::LeftButton, {}, edge.toPoint());
    EXPECT_FALSE(e.isPlaying());  // the click pauses and selects nothing new
    EXPECT_EQ(e.selection(), std::set<Uuid>{frames[0].id});

    r.drag({20, 20}, {0, 40});  // a drag from no word: nothing moves or plays
    EXPECT_FALSE(e.isPlaying());
    EXPECT_EQ(e.undoDepth(), steps);

    e.updateProject([](Project& p) { p.captionsVisible = false; });
    e.visualChanged();
    EXPECT_TRUE(r.layer.wordFrames().empty());
    EXPECT_TRUE(r.layer.marks().empty());
}

TEST(WordLookBar, SizeResetAndCountFollowTheSelection)
{
    test::EditorUiRig r;
    EditorModel& e = r.editor();
    WordLookBar bar(e);
    bar.resize(900, 40);
    bar.show();
    e.setSelection({r.word(1).id});
    EXPECT_EQ(bar.count()->text(), "This word");
    EXPECT_FALSE(bar.reset()->isEnabled());
    bar.bigger()->click();
    EXPECT_EQ(bar.readout()->text(), "115%");
    EXPECT_TRUE(bar.reset()->isEnabled());
    bar.smaller()->click();
    EXPECT_EQ(bar.readout()->text(), "100%");
    EXPECT_FALSE(r.word(1).look);
    EXPECT_FALSE(bar.reset()->isEnabled());
    for (int i = 0; i < 11; ++i) bar.bigger()->click();
    EXPECT_EQ(bar.readout()->text(), "400%");

    e.updateLook({r.word(3).id}, false, [](WordLook& l) { l.scale = 2; });
    e.setSelection({r.word(2).id, r.word(3).id, r.word(4).id});
    EXPECT_EQ(bar.count()->text(), "3 words");
    bar.bigger()->click();
    EXPECT_DOUBLE_EQ(e.look(r.word(3).id).scale, 2.3);
    EXPECT_DOUBLE_EQ(e.look(r.word(4).id).scale, 1.15);
    bar.reset()->click();
    EXPECT_FALSE(r.word(3).look);
    EXPECT_FALSE(bar.reset()->isEnabled());  // word 1 keeps its look, but it is not selected
}

TEST(WordLookBar, TheLineStyleMenuGivesTheSelectedWordsALookOfTheirOwn)
{
    test::EditorUiRig r;
    EditorModel& e = r.editor();
    WordLookBar bar(e);
    bar.show();
    const std::set<Uuid> picked{r.word(2).id, r.word(3).id};
    e.setSelection(picked);
    LineStyleMenu* menu = bar.styleMenu();
    ASSERT_TRUE(menu);
    EXPECT_TRUE(menu->isVisible());
    // It stands between the colour and Reset.
    EXPECT_LT(bar.colorWell()->x(), menu->x());
    EXPECT_LT(menu->x(), bar.reset()->x());
    QAction* look = nullptr;
    for (QAction* a : menu->menu()->actions())
        if (!a->isSeparator() && a->text() != "Same as the Video" && a->text() != QString::fromUtf8("More Styles…")) {
            look = a;
            break;
        }
    ASSERT_TRUE(look);
    look->trigger();
    ASSERT_TRUE(e.sharedStyle(picked));
    EXPECT_EQ(QString::fromStdString(e.sharedStyle(picked)->name), look->text());
    EXPECT_EQ(menu->label(), look->text());

    // A new selection is what the menu acts on next.
    e.setSelection({r.word(5).id});
    EXPECT_EQ(menu->label(), "Style");
    menu->menu()->actions().front()->trigger();  // "Same as the Video" for word 5 alone
    EXPECT_TRUE(e.sharedStyle(picked));
}

TEST(WordLookBar, AColourChoiceIsOneUndoStepAndCancellingPutsTheOldColourBack)
{
    test::EditorUiRig r;
    EditorModel& e = r.editor();
    WordLookBar bar(e);
    bar.show();
    const Uuid id = r.word(2).id;
    e.setSelection({id});
    EXPECT_FALSE(bar.clearColor()->isVisible());
    const std::size_t steps = e.undoDepth();

    bar.colorWell()->click();
    QColorDialog* dialog = bar.colorDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->currentColor(), toQColor(e.project().style.textColor));  // the look's own colour
    // What the dialog reports while the user drags through its colours.
    for (QColor c : {QColor(200, 10, 10), QColor(10, 200, 10), QColor(10, 10, 200)}) {
        dialog->setCurrentColor(c);
        emit dialog->currentColorChanged(c);
    }
    EXPECT_EQ(e.look(id).color, toRGBA(QColor(10, 10, 200)));  // the picture follows live
    dialog->accept();
    EXPECT_EQ(e.undoDepth(), steps + 1);
    EXPECT_EQ(e.look(id).color, toRGBA(QColor(10, 10, 200)));
    EXPECT_TRUE(bar.clearColor()->isVisible());

    bar.colorWell()->click();
    bar.colorDialog()->setCurrentColor(QColor(250, 250, 0));
    emit bar.colorDialog()->currentColorChanged(QColor(250, 250, 0));
    EXPECT_EQ(e.look(id).color, toRGBA(QColor(250, 250, 0)));
    bar.colorDialog()->reject();
    EXPECT_EQ(e.look(id).color, toRGBA(QColor(10, 10, 200)));
    EXPECT_EQ(e.undoDepth(), steps + 1);

    e.updateLook({id}, true, [](WordLook& l) { l.dx = 40; });
    bar.clearColor()->click();
    EXPECT_FALSE(e.look(id).color);
    EXPECT_DOUBLE_EQ(e.look(id).dx, 40);  // size and place stay
    EXPECT_FALSE(bar.clearColor()->isVisible());
    e.undo();
    e.undo();
    e.undo();
    EXPECT_FALSE(e.look(id).color);  // one undo per choice took it back to the start
    EXPECT_EQ(e.undoDepth(), steps);
}

}  // namespace

namespace {

TEST(PreviewPanel, ShowsThePlayersComposedPicturesInTheChosenFormat)
{
    test::EditorUiRig sandbox;
    vt::test::TempDir dir;
    const auto video = dir / "clip.mp4";
    ASSERT_EQ(test::run("ffmpeg -v error -y -f lavfi -i testsrc2=s=96x64:r=10:d=2 -c:v libx264 -preset ultrafast "
                        "-pix_fmt yuv420p " + test::shellQuote(video.string())),
              0);
    Project p = test::sampleProject(2);
    p.videoPath = video.string();
    p.sourceDuration = 2;
    auto player = std::make_shared<PlayerService>(QSize(), false);
    EditorModel editor(p, nullptr, EditorServices{player, std::make_shared<ClipMediaService>(), nullptr, nullptr, nullptr});
    PlayerFrames frames([player] { return player->player().currentFrame(); });
    PreviewPanel panel(editor, &frames);
    panel.resize(400, 700);
    panel.show();
    // The pictures are the compositor's output frames, not the 96 × 64 source.
    ASSERT_TRUE(test::waitFor([&] { return !frames.frame().isNull(); }));
    EXPECT_EQ(frames.frame().size(), QSize(1080, 1920));
    EXPECT_EQ(panel.playerView()->frames(), &frames);
    panel.formatButton(OutputAspect::square)->click();
    EXPECT_TRUE(test::waitFor([&] { return frames.frame().size() == QSize(1080, 1080); }));
    EXPECT_EQ(panel.surface()->width(), panel.surface()->height());
    editor.teardown();
}

}  // namespace
