#include "ShellRig.h"

#include "app/AppSettings.h"
#include "model/ProjectStore.h"
#include "ui/home/HomeView.h"
#include "ui/home/NewProjectCard.h"
#include "ui/home/ProcessingView.h"
#include "ui/editor/EditorView.h"
#include "ui/editor/FullScreenPlayer.h"
#include "ui/editor/PlayerLayerView.h"
#include "ui/inspector/ExportView.h"
#include "ui/inspector/RowNote.h"
#include "ui/inspector/SwitchRow.h"
#include "ui/shell/AppCommands.h"
#include "ui/shell/EditorTips.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/RootView.h"
#include "ui/shell/ShortcutsSheet.h"
#include "ui/theme/Theme.h"
#include "ui/theme/VideoDropZone.h"
#include "support/Waits.h"

#include <QAction>
#include <QGraphicsDropShadowEffect>
#include <QPointer>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <gtest/gtest.h>

namespace vt {
namespace {

using test::Shell;

TEST(Shell, WindowSizeAndScreens)
{
    Shell shell;
    EXPECT_EQ(shell.window.windowTitle(), "Vellumtide");
    EXPECT_EQ(shell.root.size(), QSize(1480, 920));
    EXPECT_EQ(shell.root.minimumSize(), QSize(1220, 760));
    EXPECT_EQ(shell.root.currentScreen(), shell.root.homeView());
    ASSERT_TRUE(shell.root.homeView());

    // The editor and Shorts screens without their project show the home screen.
    shell.app.setScreen(Screen::editor);
    EXPECT_EQ(shell.root.currentScreen(), shell.root.homeView());
    shell.app.setScreen(Screen::clips);
    EXPECT_EQ(shell.root.currentScreen(), shell.root.homeView());
    shell.app.setScreen(Screen::home);
    shell.openProject();
    EXPECT_EQ(shell.root.currentScreen(), shell.root.editorScreen());
    EXPECT_EQ(shell.root.editorScreen()->nameLabel()->text(), "Trip");
}

TEST(Shell, HomeFadesInUnlessMotionIsReduced)
{
    Shell shell;
    shell.openProject();
    EXPECT_FALSE(shell.root.isFading());  // the editor appears at once
    shell.root.setReduceMotion(false);
    shell.app.closeEditor();
    EXPECT_TRUE(shell.root.isFading());
    ASSERT_TRUE(test::waitFor([&] { return !shell.root.isFading(); }));

    shell.root.setReduceMotion(true);
    shell.openProject();
    shell.app.closeEditor();
    EXPECT_EQ(shell.root.currentScreen(), shell.root.homeView());
    EXPECT_FALSE(shell.root.isFading());
}

TEST(Shell, TheAlertShowsEachErrorAndOkClearsIt)
{
    Shell shell;
    const std::pair<const char*, const char*> errors[] = {{"First failure", "the library's words"}, {"Second failure", ""}};
    for (const auto& [message, detail] : errors) {
        shell.app.setErrorMessage(std::string(message), detail);
        QMessageBox* alert = shell.root.alert();
        ASSERT_TRUE(alert);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(alert, test::kHangCapMs));
        EXPECT_EQ(alert->text(), "Something went wrong");
        EXPECT_EQ(alert->informativeText(), message);
        EXPECT_EQ(alert->detailedText(), detail);
        alert->buttons().front()->click();
        EXPECT_FALSE(shell.app.errorMessage());
    }
}

TEST(Shell, ShortcutsSheetOpensFromTheFlagAndReturnClosesIt)
{
    Shell shell;
    shell.commands.action("Keyboard Shortcuts")->trigger();
    EXPECT_TRUE(shell.app.showShortcuts());
    ShortcutsSheet* sheet = shell.root.shortcutsSheet();
    ASSERT_TRUE(sheet);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet, test::kHangCapMs));
    EXPECT_EQ(sheet->width(), 680);
    QStringList titles;
    for (QLabel* label : sheet->findChildren<QLabel*>("groupTitle")) titles << label->text();
    EXPECT_EQ(titles, (QStringList{"PLAY", "EDIT", "TIMELINE", "WINDOWS"}));
    EXPECT_EQ(sheet->findChildren<QLabel*>("keyCap").size(), 21);
    QTest::keyClick(sheet, Qt::Key_Return);
    EXPECT_FALSE(shell.app.showShortcuts());
    EXPECT_FALSE(shell.root.shortcutsSheet());
}

TEST(Shell, MenusFollowWhetherAProjectIsOpen)
{
    Shell shell;
    for (const char* always : {"Open Video…", "Undo", "Redo", "Keyboard Shortcuts", "Show Welcome Again", "Dark"})
        EXPECT_TRUE(shell.enabled(always)) << always;
    for (const char* editor : {"Export…", "Back to Projects", "Show Editor Tips", "Transcript", "Go to End", "Zoom In", "Black & White"})
        EXPECT_FALSE(shell.enabled(editor)) << editor;
    EXPECT_TRUE(shell.commands.action("Show Captions")->isChecked());
    EXPECT_FALSE(shell.commands.action("Show TikTok / Reels Safe Zones")->isChecked());
    EXPECT_EQ(shell.commands.action("Export")->shortcut(), QKeySequence("Alt+Ctrl+0"));
    EXPECT_EQ(shell.commands.action("Post")->shortcut(), QKeySequence("Alt+Ctrl+9"));
    EXPECT_EQ(shell.commands.action("Back to Projects")->shortcut(), QKeySequence("Shift+Ctrl+Left"));

    shell.openProject();
    EXPECT_TRUE(shell.enabled("Back to Projects"));
    EXPECT_TRUE(shell.enabled("Zoom In"));
    EXPECT_FALSE(shell.enabled("Restore All Cuts"));  // nothing is cut
    EXPECT_FALSE(shell.enabled("Emphasize Selected Words"));  // nothing is selected
    shell.commands.action("Show TikTok / Reels Safe Zones")->trigger();
    EXPECT_TRUE(shell.app.editor()->showSafeArea());
    EXPECT_TRUE(shell.commands.action("Show TikTok / Reels Safe Zones")->isChecked());
    EXPECT_FALSE(shell.enabled("Show Welcome Again"));  // it cannot leave the editor
    shell.commands.action("Show Welcome Again")->trigger();
    EXPECT_EQ(shell.app.screen(), Screen::editor);
    shell.commands.action("Back to Projects")->trigger();
    EXPECT_EQ(shell.app.screen(), Screen::home);
    EXPECT_FALSE(shell.enabled("Back to Projects"));
    EXPECT_TRUE(shell.enabled("Show Welcome Again"));
    shell.commands.action("Show Welcome Again")->trigger();
    EXPECT_EQ(shell.app.screen(), Screen::onboarding);
}

TEST(Shell, PlayFullScreenTogglesThePlayerFromTheMenuAndFromItsWindow)
{
    Shell shell;
    shell.openProject();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&shell.window, test::kHangCapMs));
    shell.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&shell.window, test::kHangCapMs));
    QAction* command = shell.commands.action("Play Full Screen");
    EXPECT_EQ(command->shortcut(), QKeySequence("Shift+Ctrl+F"));
    const QRect windowFrame = shell.window.frameGeometry();
    command->trigger();
    ui::FullScreenPlayer* player = ui::FullScreenPlayer::current();
    ASSERT_TRUE(player);
    // The editor's one player surface; without a preview frame it grows from the window.
    EXPECT_EQ(player->view()->playerView()->frames(), shell.root.editorScreen()->playerFrames());
    EXPECT_EQ(ui::FullScreenPlayer::startRect(std::nullopt, &shell.window), windowFrame);
    EXPECT_TRUE(shell.app.editor()->isPlaying());

    // The key leaves it again from the player's own window.
    ASSERT_TRUE(QTest::qWaitForWindowActive(player, test::kHangCapMs));
    QTest::keyClick(player->view(), Qt::Key_F, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_TRUE(test::waitFor([] { return ui::FullScreenPlayer::current() == nullptr; }));
    EXPECT_TRUE(QTest::qWaitForWindowActive(&shell.window, test::kHangCapMs));
}

// The look previews are drawn from the poster, and with the waveform and
// the filmstrip they keep a busy machine's cores; the preview's first
// picture must not wait behind them.
TEST(Shell, TheEditorShowsItsFirstPictureBeforeTheRestOfTheVideoIsRead)
{
    Shell shell;
    shell.openProject();
    EditorModel& editor = *shell.app.editor();
    ui::PlayerFrames* frames = shell.root.editorScreen()->playerFrames();
    std::optional<bool> posterAtFirstPicture;
    QObject::connect(frames, &ui::PlayerFrames::frameChanged, frames, [&] {
        if (!posterAtFirstPicture) posterAtFirstPicture = editor.posterFrame().has_value();
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !editor.isLoading(); }, 60000));
    ASSERT_TRUE(posterAtFirstPicture.has_value()) << "the picture shows before loading ends";
    EXPECT_FALSE(*posterAtFirstPicture);
    EXPECT_TRUE(editor.posterFrame());
}

TEST(Shell, UndoGoesToTheTextFieldBeingEdited)
{
    Shell shell;
    auto* field = new QLineEdit(&shell.root);
    field->show();
    field->setFocus();
    ASSERT_TRUE(test::waitFor([&] { return field->hasFocus(); }));
    QTest::keyClicks(field, "hello");
    shell.commands.action("Undo")->trigger();
    EXPECT_EQ(field->text(), "");
    shell.commands.action("Redo")->trigger();
    EXPECT_EQ(field->text(), "hello");
}

TEST(Shell, AppearanceChoiceIsStoredAndApplied)
{
    Shell shell;
    shell.commands.action("Dark")->trigger();
    EXPECT_EQ(AppSettings::string(AppSettings::appearanceKey), "dark");
    EXPECT_TRUE(Appearances::isDark());
    shell.commands.action("Light")->trigger();
    EXPECT_EQ(AppSettings::string(AppSettings::appearanceKey), "light");
    EXPECT_FALSE(Appearances::isDark());
}

TEST(Shell, EditorTipsStepThroughAndFinish)
{
    Shell shell;
    shell.openProject();
    shell.commands.action("Show Editor Tips")->trigger();
    EditorTips* tips = shell.root.editorTips();
    ASSERT_TRUE(tips);
    EXPECT_EQ(tips->counterText(), "Tip 1 of 3");
    QTest::keyClick(tips, Qt::Key_Return);
    EXPECT_EQ(tips->counterText(), "Tip 2 of 3");
    QTest::mouseClick(tips, Qt::LeftButton, {}, QPoint(5, 5));  // the backdrop swallows clicks
    EXPECT_EQ(tips->step(), 1);
    QTest::keyClick(tips, Qt::Key_Return);
    EXPECT_EQ(tips->forwardButton()->text(), "Start Editing");
    QTest::keyClick(tips, Qt::Key_Return);
    EXPECT_FALSE(shell.app.showEditorTips());
    EXPECT_FALSE(shell.root.editorTips());

    shell.app.setShowEditorTips(true);
    ASSERT_TRUE(shell.root.editorTips());
    shell.root.editorTips()->skipButton()->click();
    EXPECT_FALSE(shell.app.showEditorTips());
}

// Each card carries its tip's symbol on an accent tile and a soft shadow;
// a step change replaces the card, the old one fading out while the new one
// fades in, growing from 96 % unless motion is reduced.
TEST(Shell, EditorTipCardsChangeWithAFadeAndAScale)
{
    Shell shell;
    shell.openProject();
    for (bool reduced : {false, true}) {
        SCOPED_TRACE(reduced ? "reduced motion" : "full motion");
        shell.root.setReduceMotion(reduced);
        shell.app.setShowEditorTips(true);
        EditorTips* tips = shell.root.editorTips();
        ASSERT_TRUE(tips);
        QWidget* first = tips->card();
        auto* shadow = qobject_cast<QGraphicsDropShadowEffect*>(first->graphicsEffect());
        ASSERT_TRUE(shadow);
        EXPECT_EQ(shadow->offset(), QPointF(0, 8));
        EXPECT_EQ(shadow->blurRadius(), 20);
        int tiles = 0;
        for (QWidget* child : first->findChildren<QWidget*>()) tiles += child->size() == QSize(32, 32);
        EXPECT_EQ(tiles, 1);

        QTest::keyClick(tips, Qt::Key_Return);
        QPointer<QWidget> leaving = tips->leavingCard();
        EXPECT_EQ(leaving, first);
        EXPECT_NE(tips->card(), first);
        EXPECT_TRUE(tips->isChanging());
        EXPECT_EQ(EditorTips::drawnOpacity(tips->card()), 0);
        EXPECT_EQ(EditorTips::drawnScale(tips->card()), reduced ? 1 : 0.96);
        EXPECT_EQ(EditorTips::drawnOpacity(first), 1);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !tips->isChanging() && !leaving; }, 30000));
        EXPECT_EQ(EditorTips::drawnOpacity(tips->card()), 1);
        EXPECT_EQ(EditorTips::drawnScale(tips->card()), 1);
        tips->skipButton()->click();
    }
}

TEST(Shell, DroppedAndOpenedFilesAreImported)
{
    Shell shell;
    const auto corrupt = shell.home.dir / "broken.mp4";
    test::writeFile(corrupt, "not a video");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(corrupt.string()))});
    QDragEnterEvent enter(QPoint(700, 400), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    HomeView* home = shell.root.homeView();
    ASSERT_TRUE(home);
    QApplication::sendEvent(home, &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(home->newProjectCard()->dropZone()->shownText(), "Release to open");
    QDropEvent drop(QPointF(700, 400), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(home, &drop);
    EXPECT_EQ(shell.app.screen(), Screen::processing);
    EXPECT_EQ(shell.root.currentScreen(), shell.root.processingScreen());
    ASSERT_TRUE(test::waitForImport(shell.app));
    EXPECT_TRUE(shell.app.errorMessage());

    shell.app.setErrorMessage(std::nullopt);
    shell.window.openArgument("https://example.com/video.mp4");  // not a file: ignored
    EXPECT_EQ(shell.app.screen(), Screen::home);
    shell.window.openArgument(QString::fromStdString(corrupt.string()));
    EXPECT_EQ(shell.app.screen(), Screen::processing);
    ASSERT_TRUE(test::waitForImport(shell.app));
}

// "Also save thumbnail .png" cannot be turned on before frames were found:
// it looks disabled and says why, and the reason goes once frames are found.
TEST(Shell, TheThumbnailSwitchShowsWhyItCannotBeTurnedOnYet)
{
    Shell shell;
    shell.openProject();
    EditorModel& editor = *shell.app.editor();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !editor.isLoading(); }, 60000));
    shell.commands.action("Export")->trigger();
    auto* panel = shell.window.findChild<ui::ExportView*>();
    ASSERT_TRUE(panel);
    const auto& p = panel->parts();
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.alsoThumbnail->isVisible(); }, 30000));
    const auto titleColour = [](ui::InspectorRow* row) { return row->titleLabel()->palette().color(QPalette::WindowText); };

    EXPECT_FALSE(p.alsoThumbnail->isEnabled());
    EXPECT_TRUE(p.thumbnailNote->isVisible());
    EXPECT_EQ(p.thumbnailNote->text(), "Find frames in the Thumbnail tab first");
    EXPECT_NE(titleColour(p.alsoThumbnail), titleColour(p.alsoSRT)) << "dimmed, not drawn as a live row";
    QTest::mouseClick(p.alsoThumbnail->toggle(), Qt::LeftButton);
    EXPECT_FALSE(shell.app.exportAction()->alsoThumbnail());

    editor.findThumbnails();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !editor.thumbCandidates().empty(); }, 60000));
    EXPECT_TRUE(p.alsoThumbnail->isEnabled());
    EXPECT_FALSE(p.thumbnailNote->isVisible());
    EXPECT_EQ(titleColour(p.alsoThumbnail), titleColour(p.alsoSRT));
    QTest::mouseClick(p.alsoThumbnail->toggle(), Qt::LeftButton);
    EXPECT_TRUE(shell.app.exportAction()->alsoThumbnail());
}

// Redo answers the desktop's own Redo keys as well as Shift+Ctrl+Z, and no
// key of the menus belongs to two commands (Qt then runs neither).
TEST(Shell, RedoAnswersEveryStandardRedoKey)
{
    Shell shell;
    Project project;
    project.videoPath = test::makeClip(shell.home.dir / "talk.mp4", std::nullopt, 1).string();
    project.sourceDuration = 1;
    Word word;
    word.id = Uuid::random();
    word.text = "hello";
    word.end = 0.5;
    project.words.push_back(word);
    ProjectStore::save(project);
    shell.app.open(project);
    EditorModel& editor = *shell.app.editor();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&shell.window));
    shell.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&shell.window));

    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Redo);
    keys.prepend(QKeySequence("Shift+Ctrl+Z"));
    for (const QKeySequence& key : keys) {
        editor.setSelection({word.id});
        shell.commands.action("Emphasize Selected Words")->trigger();
        ASSERT_TRUE(editor.project().words[0].emphasized);
        QTest::keySequence(&shell.window, QKeySequence("Ctrl+Z"));
        ASSERT_FALSE(editor.project().words[0].emphasized) << "undone";
        QTest::keySequence(&shell.window, key);
        EXPECT_TRUE(editor.project().words[0].emphasized) << key.toString().toStdString();
        if (editor.project().words[0].emphasized) {  // back to plain
            editor.setSelection({word.id});
            shell.commands.action("Emphasize Selected Words")->trigger();
        }
    }

    std::map<QString, QString> owner;
    for (QAction* action : shell.window.findChildren<QAction*>())
        for (const QKeySequence& key : action->shortcuts()) {
            const auto [at, added] = owner.emplace(key.toString(), action->text());
            EXPECT_TRUE(added) << key.toString().toStdString() << ": " << at->second.toStdString() << " and "
                               << action->text().toStdString();
        }
}

}  // namespace
}  // namespace vt
