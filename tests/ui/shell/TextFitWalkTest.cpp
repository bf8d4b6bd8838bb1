#include "TextFit.h"

#include "app/AppTestSupport.h"
#include "app/AppSettings.h"
#include "captions/presets/StylePresets.h"
#include "editor/EditorModel.h"
#include "model/ProjectStore.h"
#include "support/TimedWords.h"
#include "support/Waits.h"
#include "ui/editor/EditorView.h"
#include "ui/editor/FullScreenPlayer.h"
#include "ui/editor/ScriptPicker.h"
#include "ui/editor/TranscribeAgainSheet.h"
#include "ui/editor/TranscriptDock.h"
#include "ui/editor/TranscriptDockHeader.h"
#include "ui/editor/TranscriptLegend.h"
#include "ui/home/AIStatusButton.h"
#include "ui/home/FormChooser.h"
#include "ui/home/HomeView.h"
#include "ui/home/NewProjectCard.h"
#include "ui/home/OnboardingView.h"
#include "ui/home/ProjectActions.h"
#include "ui/home/ScriptSheet.h"
#include "ui/inspector/ExportView.h"
#include "ui/inspector/InspectorPanel.h"
#include "ui/inspector/PressableButton.h"
#include "ui/inspector/StyleBrowserView.h"
#include "ui/inspector/StyleEditorView.h"
#include "ui/shell/AppCommands.h"
#include "ui/timeline/EffectsPalette.h"
#include "ui/shell/EditorTips.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/RootView.h"
#include "ui/shell/ShortcutsSheet.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace vt {
namespace {

using test::IsolatedHome;

// A speech-model download that never ends until the model goes away, so an
// import waits on its second step for as long as the test looks at it.
AppModel::Services heldDownload()
{
    AppModel::Services services;
    services.downloadModel = [](const std::function<void(double)>& progress, const CancelToken& cancel) {
        progress(0.427);
        while (!cancel.isCancelled()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    };
    return services;
}

// The font scale the process runs at (the test runs once at the desktop's
// usual 96 dpi and once with text made half again as large).
int fontScalePercent() { return int(std::lround(QWidget().logicalDpiY() * 100.0 / 96)); }

// The long names a user gives things.
const char* const kProjectName = "Morning routine vlog with the new camera rig and a long title";
const char* const kExportName = "morning-routine-vlog-with-the-new-camera-rig-final-cut-captioned-for-every-feed.mp4";

// The built-in look with the longest name: the Customize header must show
// it with the "Edited" badge.
const CaptionStyle& longestNamedLook()
{
    const auto& all = StylePresets::all();
    return *std::max_element(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.name.size() < b.name.size(); });
}

struct Walk {
    IsolatedHome home;
    std::string appearance;
    std::unique_ptr<AppModel> app;
    std::unique_ptr<MainWindow> window;
    std::map<std::string, QStringList> found;  // screen → texts that do not fit

    explicit Walk(std::string look) : appearance(std::move(look))
    {
        AppSettings::set(AppSettings::appearanceKey, QString::fromStdString(appearance));
        AppSettings::set("editorTipsSeen", true);  // the walk shows them on its own
        app = std::make_unique<AppModel>(heldDownload());
        window = std::make_unique<MainWindow>(*app);
        window->rootView()->setReduceMotion(true);
        window->show();
    }
    RootView& root() { return *window->rootView(); }

    Project project()
    {
        Project project;
        project.name = kProjectName;
        project.videoPath = test::makeClip(home.dir / "talk.mp4", std::nullopt, 4).string();
        project.sourceDuration = 4;
        project.style = longestNamedLook();
        project.baseStyleID = project.style.id;
        project.hookOverlay = HookOverlay{"The one morning habit that changed how I start every single day", 3};
        double t = 0.2;
        for (const char* text : {"Coffee", "um", "at", "home", "is", "the", "best"}) {
            project.words.push_back(test::timedWord(text, t, t + 0.3));
            t += 0.5;
        }
        ProjectStore::save(project);
        return project;
    }

    // Lets pending layouts and repaints run, then notes what does not fit.
    void look(const std::string& screen)
    {
        for (int i = 0; i < 3; ++i) {
            // A replaced panel goes at the next turn of the event loop, before it is ever seen.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            QCoreApplication::processEvents();
        }
        found[screen] = test::textMisfits();
        if (const char* shots = std::getenv("VT_TEXT_FIT_SHOTS")) save(shots, screen);
    }

    // With VT_TEXT_FIT_SHOTS=<prefix>, every window of each screen is saved as
    // <prefix>-<screen>-<appearance>-<scale>.png for a person to look at.
    void save(const std::string& prefix, std::string screen)
    {
        std::replace(screen.begin(), screen.end(), ' ', '-');
        QTest::qWait(800);  // entrances have played
        int n = 0;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (!top->isVisible() || top->windowType() == Qt::ToolTip) continue;
            const std::string part = top == window.get() ? "" : "-" + std::to_string(++n);
            top->grab().save(QString::fromStdString(prefix + "-" + screen + part + "-" + appearance + "-" + std::to_string(fontScalePercent()) +
                                                    ".png"));
        }
    }
};

void closeDialogs()
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(top); dialog && dialog->isVisible()) dialog->reject();
    QCoreApplication::processEvents();
}

// Answers the next save panel with `file`.
struct SavePanelAnswer {
    QTimer watch;
    explicit SavePanelAnswer(const std::filesystem::path& file)
    {
        QObject::connect(&watch, &QTimer::timeout, [file] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QFileDialog*>(w); dialog && dialog->isVisible()) {
                    dialog->selectFile(QString::fromStdString(file.string()));
                    static_cast<QDialog*>(dialog)->accept();  // as the Save button does
                }
        });
        watch.start(20);
    }
};

void walkStart(Walk& w)
{
    auto* onboarding = qobject_cast<OnboardingView*>(w.root().startScreen());
    ASSERT_TRUE(onboarding);
    for (int step : {0, 1, 2}) {
        onboarding->go(step);
        ASSERT_TRUE(test::waitFor([&] { return !onboarding->stepView()->graphicsEffect(); }));
        if (step == 1) {
            // The answer with the most below it: the caption script and the model's download.
            for (QPushButton* row : onboarding->stepView()->findChildren<QPushButton*>())
                if (row->accessibleName().startsWith("Hinglish")) row->click();
            // The download starts at 0 and then reports the 42.7% it holds at.
            ASSERT_TRUE(test::waitFor([&] { return w.app->modelDownloadProgress().value_or(0) > 0.4; }));
        }
        w.look("onboarding step " + std::to_string(step));
    }
    w.app->finishOnboarding();
    w.look("home");
    w.app->setScreen(Screen::welcome);
    w.look("welcome back");
    w.app->enterProjects();
    HomeView* home = w.root().homeView();
    ASSERT_TRUE(home);
    home->newProjectCard()->showScripts();
    ASSERT_TRUE(test::waitFor([&] { return home->newProjectCard()->scriptSheet() && home->newProjectCard()->scriptSheet()->isVisible(); }));
    w.look("home script sheet");
    closeDialogs();
}

// Runs the named item of a project's actions menu on the home screen.
void chooseAction(HomeView& home, const Project& project, const QString& title)
{
    QMenu menu;
    home.actions(project).addTo(menu);
    for (QAction* action : menu.actions())
        if (action->text() == title) return action->trigger();
    ADD_FAILURE() << "no item " << title.toStdString();
}

// The home screen's popovers and the dialogs of a project's menu.
void walkHomeDialogs(Walk& w, const Project& project)
{
    HomeView* home = w.root().homeView();
    ASSERT_TRUE(home);
    for (FormChooser* chooser : {home->newProjectCard()->languageChooser(), home->newProjectCard()->styleChooser()}) {
        chooser->click();
        ASSERT_TRUE(test::waitFor([&] { return chooser->popup()->isVisible(); }));
        w.look("home " + chooser->accessibleName().toStdString() + " chooser");
        chooser->popup()->hide();
    }
    home->aiButton()->click();
    ASSERT_TRUE(test::waitFor([&] { return home->aiButton()->infoShown(); }));
    w.look("home AI status");
    home->aiButton()->info()->hide();
    chooseAction(*home, project, QString::fromUtf8("Rename\u2026"));
    ASSERT_TRUE(test::waitFor([&] { return home->renameDialog() && home->renameDialog()->isVisible(); }));
    w.look("home rename dialog");
    closeDialogs();
    chooseAction(*home, project, QString::fromUtf8("Delete\u2026"));
    ASSERT_TRUE(test::waitFor([&] { return home->deleteDialog() && home->deleteDialog()->isVisible(); }));
    w.look("home delete dialog");
    closeDialogs();
}

void walkImport(Walk& w)
{
    w.app->setEngine(TranscriptionEngine::whisper);
    w.app->importVideo(test::makeClip(w.home.dir / kExportName, std::nullopt, 1));
    ASSERT_TRUE(test::waitFor([&] { return w.app->processing() && w.app->processing()->step >= 1; }));
    w.look("import progress");
}

void walkEditor(Walk& w, const Project& project)
{
    w.app->open(project);
    ui::EditorView* editor = w.root().editorScreen();
    ASSERT_TRUE(editor);
    EditorModel& model = editor->model();
    ASSERT_TRUE(test::waitFor([&] { return model.source().has_value(); }));
    // An edited look shows the "Edited" badge beside the name.
    model.styleBinding(&CaptionStyle::fontSize).set(model.project().style.fontSize + 8);
    auto* inspector = editor->findChild<ui::InspectorPanel*>();
    ASSERT_TRUE(inspector);
    for (const auto& [tab, name] : enumCases(InspectorTab{})) {
        model.setInspectorTab(tab);
        w.look("editor " + std::string(name));
        // At the usual text size every panel fits the inspector's ideal
        // width; only large text may widen it.
        if (fontScalePercent() <= 100) {
            EXPECT_LE(inspector->minimumSizeHint().width(), 390) << name;
        }
    }
    // After an export to a long file name the panel shows it with its button.
    auto* exportView = editor->findChild<ui::ExportView*>();
    ASSERT_TRUE(exportView);
    {
        SavePanelAnswer answer(w.home.dir / kExportName);
        exportView->parts().exportButton->click();
        ASSERT_TRUE(test::waitFor([&] { return exportView->parts().fileRow->isVisible(); }));
    }
    w.look("editor export done");

    model.setInspectorTab(InspectorTab::styles);
    editor->findChild<ui::StyleBrowserView*>()->parts().writing->click();
    ASSERT_TRUE(test::waitFor([&] { return editor->findChild<ui::ScriptPicker*>() && editor->findChild<ui::ScriptPicker*>()->isVisible(); }));
    w.look("editor caption writing sheet");
    closeDialogs();

    editor->dock()->transcribeAgain();
    ASSERT_TRUE(test::waitFor([&] { return editor->dock()->transcribeAgainSheet() && editor->dock()->transcribeAgainSheet()->isVisible(); }));
    w.look("editor transcribe again sheet");
    closeDialogs();

    model.setInspectorTab(InspectorTab::customize);
    auto* customize = editor->findChild<ui::StyleEditorView*>();
    ASSERT_TRUE(customize);
    customize->openSaveDialog();
    w.look("editor save as style dialog");
    closeDialogs();

    editor->dock()->header()->legend()->click();
    w.look("editor transcript legend");
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : editor, Qt::Key_Escape);

    // The dock's other views, and the timeline's effects palette.
    for (TranscriptMode mode : {TranscriptMode::subtitle, TranscriptMode::timeline}) {
        model.setTranscriptMode(mode);
        w.look("editor dock " + std::string(json::enumText(mode)));
    }
    EffectsPalette::popup(model, editor, [editor](QSize size) { return editor->mapToGlobal(QPoint(200, editor->height() - size.height())); });
    ASSERT_TRUE(test::waitFor([] { return QApplication::activePopupWidget() && QApplication::activePopupWidget()->isVisible(); }));
    w.look("editor effects palette");
    QApplication::activePopupWidget()->close();
    model.setTranscriptMode(TranscriptMode::transcription);

    w.window->commands()->action("Play Full Screen")->trigger();
    ASSERT_TRUE(test::waitFor([] { return ui::FullScreenPlayer::current() && ui::FullScreenPlayer::current()->isVisible(); }));
    w.look("full-screen player");
    ui::FullScreenPlayer::current()->close();

    model.setRetranscribeError(std::string("The on-device speech engine couldn't transcribe this audio (no details from the system)."));
    ASSERT_TRUE(test::waitFor([&] { return editor->dock()->findChild<QMessageBox*>() && editor->dock()->findChild<QMessageBox*>()->isVisible(); }));
    w.look("editor transcribe again error");
    closeDialogs();

    w.window->commands()->action("Keyboard Shortcuts")->trigger();
    ASSERT_TRUE(test::waitFor([&] { return w.root().shortcutsSheet() && w.root().shortcutsSheet()->isVisible(); }));
    w.look("shortcuts sheet");
    closeDialogs();

    w.app->setShowEditorTips(true);
    ASSERT_TRUE(test::waitFor([&] { return w.root().editorTips() && w.root().editorTips()->isVisible(); }));
    for (int step = 0; step < 3; ++step) {
        w.look("editor tips " + std::to_string(step));
        w.root().editorTips()->forwardButton()->click();
    }

    w.app->setErrorMessage(std::string("The file could not be read because it is not a video this computer can open."));
    ASSERT_TRUE(test::waitFor([&] { return w.root().alert() && w.root().alert()->isVisible(); }));
    w.look("alert");
    closeDialogs();
}

void walkShorts(Walk& w, const Project& project)
{
    w.app->closeEditor();
    w.app->findShorts(project);
    ASSERT_TRUE(test::waitFor([&] { return w.root().clipsScreen() && w.root().clipsScreen()->isVisible(); }));
    w.look("Shorts picker");
}

// Every screen, sheet and dialog, in light and dark, shows each label's and
// button's text whole: nothing cut at a side, clipped at the descenders or
// drawn over the next row. The ctest entry "TextFit.LargeText" runs it
// again with text half again as large.
TEST(TextFit, EveryScreenShowsItsTextWhole)
{
    for (const char* appearance : {"light", "dark"}) {
        SCOPED_TRACE(std::string(appearance) + " at " + std::to_string(fontScalePercent()) + "%");
        Walk w(appearance);
        const Project project = w.project();
        walkStart(w);
        walkHomeDialogs(w, project);
        walkEditor(w, project);
        walkShorts(w, project);
        w.app->closeClips(std::nullopt);
        walkImport(w);
        for (const auto& [screen, misfits] : w.found) EXPECT_TRUE(misfits.isEmpty()) << screen << ":\n  " << misfits.join("\n  ").toStdString();
    }
}

}  // namespace
}  // namespace vt
