#include "ui/shell/AppCommands.h"

#include "app/AppModel.h"
#include "app/AppSettings.h"
#include "app/MenuCommands.h"
#include "ui/editor/EditorView.h"
#include "ui/editor/FullScreenPlayer.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/RootView.h"
#include "ui/theme/MenuText.h"
#include "ui/theme/Theme.h"
#include "ui/timeline/AddVideoItems.h"

#include <QActionGroup>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace vt {
namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Undo and redo go to a text field being edited before anything else.
bool textUndo(bool redo)
{
    QWidget* focus = QApplication::focusWidget();
    if (auto* line = qobject_cast<QLineEdit*>(focus)) {
        redo ? line->redo() : line->undo();
        return true;
    }
    if (auto* text = qobject_cast<QTextEdit*>(focus)) {
        redo ? text->redo() : text->undo();
        return true;
    }
    if (auto* plain = qobject_cast<QPlainTextEdit*>(focus)) {
        redo ? plain->redo() : plain->undo();
        return true;
    }
    return false;
}

}  // namespace

AppCommands::AppCommands(AppModel& app, QMenuBar& bar, std::function<void(const QString&)> appearanceChanged)
    : QObject(&bar), app_(app)
{
    using namespace MenuCommands;
    QMenu& file = *bar.addMenu(tr("&File"));
    add(file, {"Open Video…", "Ctrl+O", Rule::always, [this] { app_.openPanel(); }});
    file.addSeparator();
    add(file, {"Export…", "Shift+Ctrl+E", Rule::editorOpen, [this] { showExport(app_); }});
    add(file, {"Back to Projects", "Shift+Ctrl+Left", Rule::editorOpen, [this] {
                   if (editorOpen()) app_.closeEditor();
               }});
    file.addSeparator();
    add(file, {"Quit", "Ctrl+Q", Rule::always, [] { QApplication::quit(); }});

    QMenu& edit = *bar.addMenu(tr("&Edit"));
    add(edit, {"Undo", "Ctrl+Z", Rule::always, [this] { undoOrRedo(false); }});
    add(edit, {"Redo", "Shift+Ctrl+Z", Rule::always, [this] { undoOrRedo(true); }});
    // Also the desktop's own Redo keys (Ctrl+Y on many), each once: a key
    // listed twice would be ambiguous, and Qt then runs neither.
    QList<QKeySequence> redoKeys = actions_.back()->shortcuts();
    for (const QKeySequence& key : QKeySequence::keyBindings(QKeySequence::Redo))
        if (!redoKeys.contains(key)) redoKeys.append(key);
    actions_.back()->setShortcuts(redoKeys);
    edit.addSeparator();
    add(edit, {"Cut Selected Words From the Video  (Delete)", "", Rule::wordsSelected, [this] { cutSelectedWords(app_); }});
    add(edit, {"Emphasize Selected Words", "Ctrl+B", Rule::wordsSelected, [this] { emphasizeSelectedWords(app_); }});
    add(edit, {"Remove Filler Words", "", Rule::fillersFound, [this] { removeFillerWords(app_); }});
    add(edit, {"Restore All Cuts", "", Rule::cutsMade, [this] { restoreAllCuts(app_); }});

    QMenu& view = *bar.addMenu(tr("&View"));
    add(view, {"Transcript", "Ctrl+1", Rule::editorOpen, [this] { setTranscriptMode(app_, TranscriptMode::transcription); }});
    add(view, {"Subtitles", "Ctrl+2", Rule::editorOpen, [this] { setTranscriptMode(app_, TranscriptMode::subtitle); }});
    add(view, {"Timeline", "Ctrl+3", Rule::editorOpen, [this] { setTranscriptMode(app_, TranscriptMode::timeline); }});
    QMenu& panel = *view.addMenu(tr("Panel"));
    static const char* const kPanels[] = {"Styles", "Customize", "Voice", "Enhance", "B-roll", "Effects", "Hook", "Thumbnail", "Post", "Export"};
    for (int k = 0; k < 10; ++k) {
        const std::string keys = "Alt+Ctrl+" + std::to_string((k + 1) % 10);
        add(panel, {kPanels[k], "", Rule::editorOpen, [this, k] { showPanel(app_, static_cast<InspectorTab>(k)); }});
        actions_.back()->setShortcut(QKeySequence(QString::fromStdString(keys)));
    }
    rules_[panel.menuAction()] = Rule::editorOpen;
    view.addSeparator();
    add(view, {"Show Captions", "Alt+Ctrl+C", Rule::editorOpen, [this] { setCaptionsVisible(app_, showCaptions_->isChecked()); }});
    showCaptions_ = actions_.back();
    showCaptions_->setCheckable(true);
    add(view, {"Show TikTok / Reels Safe Zones", "", Rule::editorOpen, [this] { setSafeZones(app_, safeZones_->isChecked()); }});
    safeZones_ = actions_.back();
    safeZones_->setCheckable(true);
    add(view, {"Play Full Screen", "Shift+Ctrl+F", Rule::editorOpen, [this] { playFullScreen(); }});
    // The full-screen player's own window takes the key too, to leave it.
    actions_.back()->setShortcutContext(Qt::ApplicationShortcut);
    view.addSeparator();
    QMenu& appearance = *view.addMenu(tr("Appearance"));
    auto* group = new QActionGroup(&appearance);
    const Appearance current = Appearances::fromRaw(AppSettings::string(AppSettings::appearanceKey).value_or("system"));
    for (Appearance choice : Appearances::all) {
        QAction* item = appearance.addAction(menuText(qs(Appearances::label(choice))));
        item->setCheckable(true);
        item->setChecked(choice == current);
        group->addAction(item);
        actions_.push_back(item);
        connect(item, &QAction::triggered, this, [choice, appearanceChanged] {
            const QString raw = qs(Appearances::rawValue(choice));
            AppSettings::set(AppSettings::appearanceKey, raw);
            if (appearanceChanged) appearanceChanged(raw);
        });
    }

    addEditorMenus(bar);

    QMenu& help = *bar.addMenu(tr("&Help"));
    add(help, {"Keyboard Shortcuts", "Ctrl+/", Rule::always, [this] { app_.setShowShortcuts(true); }});
    add(help, {"Show Editor Tips", "", Rule::editorOpen, [this] {
                   if (editorOpen()) app_.setShowEditorTips(true);
               }});
    // Onboarding is reached only from the welcome and home screens.
    add(help, {"Show Welcome Again", "", Rule::startScreen, [this] { app_.showOnboarding(); }});

    connect(&app_, &AppModel::screenChanged, this, &AppCommands::refresh);
    connect(&app_, &AppModel::editorChanged, this, &AppCommands::followEditor);
    followEditor();
}

void AppCommands::addEditorMenus(QMenuBar& bar)
{
    using namespace MenuCommands;
    QMenu& playback = *bar.addMenu(tr("&Playback"));
    add(playback, {"Play or Pause  (Space)", "", Rule::editorOpen, [this] { playOrPause(app_); }});
    add(playback, {"Play Backward  (J)", "", Rule::editorOpen, [this] { shuttle(app_, -1); }});
    add(playback, {"Pause  (K)", "", Rule::editorOpen, [this] { shuttle(app_, 0); }});
    add(playback, {"Play Forward, Faster Each Press  (L)", "", Rule::editorOpen, [this] { shuttle(app_, 1); }});
    playback.addSeparator();
    add(playback, {"Go to Start", "Ctrl+Left", Rule::editorOpen, [this] { goToStart(app_); }});
    add(playback, {"Go to End", "Ctrl+Right", Rule::editorOpen, [this] { goToEnd(app_); }});

    QMenu& timeline = *bar.addMenu(tr("&Timeline"));
    add(timeline, {"Add a Clip at the End…", "", Rule::editorOpen, [this] { addClip(std::nullopt); }});
    add(timeline, {"Add a Clip at the Start…", "", Rule::editorOpen, [this] { addClip(0); }});
    add(timeline, {"Put a Video or Photo On Top…", "", Rule::editorOpen, [this] {
                       if (EditorModel* editor = openEditor(app_)) AddVideoItems::addOverlay(*editor, chooser());
                   }});
    add(timeline, {"Add Audio…", "", Rule::editorOpen, [this] {
                       if (EditorModel* editor = openEditor(app_)) AddVideoItems::addSound(*editor, chooser());
                   }});
    add(timeline, {"Add a Match Cut", "", Rule::editorOpen, [this] {
                       // Naming no style, seed or word: the editor picks them.
                       EditorModel::TimelineDrop drop;
                       drop.kind = EditorModel::TimelineDrop::Kind::matchCut;
                       placeAtPlayhead(app_, drop);
                   }});
    QMenu& effects = *timeline.addMenu(tr("Add an Effect"));
    rules_[effects.menuAction()] = Rule::editorOpen;
    for (const auto& [kind, title] : enumCases(MotionEffect::Kind{})) {
        add(effects, {title, "", Rule::editorOpen, [this, kind = kind] {
                          EditorModel::TimelineDrop drop;
                          drop.motion = kind;
                          placeAtPlayhead(app_, drop);
                      }});
    }
    timeline.addSeparator();
    add(timeline, {"Delete Selected Item  (Delete)", "", Rule::itemSelected, [this] { removeSelectedItem(app_); }});
    // The one owner of Ctrl+D, wherever the keyboard focus is.
    add(timeline, {"Duplicate Selected Item", "Ctrl+D", Rule::itemSelected, [this] { duplicateSelectedItem(app_); }});
    add(timeline, {"Move Selected Item to the Playhead", "", Rule::itemSelected, [this] { moveSelectedItemToPlayhead(app_); }});
    timeline.addSeparator();
    add(timeline, {"Zoom In", "Ctrl+=", Rule::editorOpen, [this] { zoomIn(app_); }});
    add(timeline, {"Zoom Out", "Ctrl+-", Rule::editorOpen, [this] { zoomOut(app_); }});
    add(timeline, {"Show the Whole Video", "Ctrl+0", Rule::editorOpen, [this] { showWholeVideo(app_); }});
}

EditorModel::FileChooser AppCommands::chooser() const
{
    return AddVideoItems::fileChooser(static_cast<QWidget*>(parent())->window());
}

void AppCommands::addClip(std::optional<int> index)
{
    if (EditorModel* editor = MenuCommands::openEditor(app_)) AddVideoItems::add(*editor, chooser(), index);
}

void AppCommands::add(QMenu& menu, const Entry& entry)
{
    QAction* action = menu.addAction(menuText(qs(entry.title)));
    if (*entry.keys) action->setShortcut(QKeySequence(QString::fromUtf8(entry.keys)));
    if (entry.run) connect(action, &QAction::triggered, this, entry.run);
    rules_[action] = entry.enabled;
    actions_.push_back(action);
}

QAction* AppCommands::action(const QString& title) const
{
    const QString shown = menuText(title);
    for (QAction* a : actions_)
        if (a->text() == shown) return a;
    return nullptr;
}

bool AppCommands::editorOpen() const { return MenuCommands::openEditor(app_) != nullptr; }

bool AppCommands::holds(Rule rule) const
{
    const EditorModel* editor = MenuCommands::openEditor(app_);
    switch (rule) {
    case Rule::always: return true;
    case Rule::editorOpen: return editor;
    case Rule::wordsSelected: return editor && !editor->selection().empty();
    case Rule::fillersFound: return editor && editor->fillerCount() > 0;
    case Rule::cutsMade: return editor && editor->cutCount() > 0;
    case Rule::itemSelected: return editor && editor->timelineSelection().has_value();
    case Rule::startScreen: return app_.screen() == Screen::welcome || app_.screen() == Screen::home;
    }
    return false;
}

void AppCommands::followEditor()
{
    for (auto& link : editorLinks_) disconnect(link);
    if (EditorModel* editor = app_.editor()) {
        editorLinks_[0] = connect(editor, &EditorModel::projectChanged, this, &AppCommands::refresh);
        editorLinks_[1] = connect(editor, &EditorModel::selectionChanged, this, &AppCommands::refresh);
        editorLinks_[2] = connect(editor, &EditorModel::timelineSelectionChanged, this, &AppCommands::refresh);
        editorLinks_[3] = connect(editor, &EditorModel::showSafeAreaChanged, this, &AppCommands::refresh);
    }
    refresh();
}

void AppCommands::refresh()
{
    for (auto& [action, rule] : rules_) action->setEnabled(holds(rule));
    const EditorModel* editor = MenuCommands::openEditor(app_);
    // Shown as on and off while no project is open.
    showCaptions_->setChecked(editor ? editor->project().captionsVisible : true);
    safeZones_->setChecked(editor && editor->showSafeArea());
}

void AppCommands::playFullScreen()
{
    EditorModel* editor = MenuCommands::openEditor(app_);
    const auto* window = qobject_cast<const MainWindow*>(static_cast<QWidget*>(parent())->window());
    ui::EditorView* screen = window ? window->rootView()->editorScreen() : nullptr;
    if (!editor || !screen) return;
    // No preview frame: the player grows from the whole window.
    ui::FullScreenPlayer::show(*editor, screen->playerFrames(), std::nullopt);
}

void AppCommands::undoOrRedo(bool redo)
{
    if (textUndo(redo)) return;
    redo ? MenuCommands::redo(app_) : MenuCommands::undo(app_);
}

}  // namespace vt
