#include "ui/shell/AppCommands.h"

#include "app/AppModel.h"
#include "app/AppSettings.h"
#include "ui/theme/Theme.h"

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
    // Does nothing unless the editor screen shows an open project.
    auto onEditor = [this](std::function<void()> run) {
        return [this, run = std::move(run)] {
            if (editorOpen() && run) run();
        };
    };

    QMenu& file = *bar.addMenu(tr("&File"));
    add(file, {"Open Video…", "Ctrl+O", Rule::always, [this] { app_.openPanel(); }});
    file.addSeparator();
    add(file, {"Export…", "Shift+Ctrl+E", Rule::editorOpen, onEditor({})});
    add(file, {"Back to Projects", "Shift+Ctrl+Left", Rule::editorOpen, onEditor([this] { app_.closeEditor(); })});
    file.addSeparator();
    add(file, {"Quit", "Ctrl+Q", Rule::always, [] { QApplication::quit(); }});

    QMenu& edit = *bar.addMenu(tr("&Edit"));
    add(edit, {"Undo", "Ctrl+Z", Rule::always, [this] { undoOrRedo(false); }});
    add(edit, {"Redo", "Shift+Ctrl+Z", Rule::always, [this] { undoOrRedo(true); }});
    edit.addSeparator();
    add(edit, {"Cut Selected Words From the Video  (Delete)", "", Rule::editorOpen, onEditor({})});
    add(edit, {"Emphasize Selected Words", "Ctrl+B", Rule::editorOpen, onEditor({})});
    add(edit, {"Remove Filler Words", "", Rule::editorOpen, onEditor({})});
    add(edit, {"Restore All Cuts", "", Rule::editorOpen, onEditor({})});

    QMenu& view = *bar.addMenu(tr("&View"));
    add(view, {"Transcript", "Ctrl+1", Rule::editorOpen, onEditor({})});
    add(view, {"Subtitles", "Ctrl+2", Rule::editorOpen, onEditor({})});
    add(view, {"Timeline", "Ctrl+3", Rule::editorOpen, onEditor({})});
    QMenu& panel = *view.addMenu(tr("Panel"));
    static const char* const kPanels[] = {"Styles", "Customize", "Voice", "Enhance", "B-roll", "Effects", "Hook", "Thumbnail", "Post", "Export"};
    for (int k = 0; k < 10; ++k) {
        const std::string keys = "Alt+Ctrl+" + std::to_string((k + 1) % 10);
        add(panel, {kPanels[k], "", Rule::editorOpen, onEditor({})});
        actions_.back()->setShortcut(QKeySequence(QString::fromStdString(keys)));
    }
    rules_[panel.menuAction()] = Rule::editorOpen;
    view.addSeparator();
    add(view, {"Show Captions", "Alt+Ctrl+C", Rule::editorOpen, onEditor({})});
    showCaptions_ = actions_.back();
    showCaptions_->setCheckable(true);
    add(view, {"Show TikTok / Reels Safe Zones", "", Rule::editorOpen, onEditor({})});
    safeZones_ = actions_.back();
    safeZones_->setCheckable(true);
    add(view, {"Play Full Screen", "Shift+Ctrl+F", Rule::editorOpen, onEditor({})});
    view.addSeparator();
    QMenu& appearance = *view.addMenu(tr("Appearance"));
    auto* group = new QActionGroup(&appearance);
    const Appearance current = Appearances::fromRaw(AppSettings::string(AppSettings::appearanceKey).value_or("system"));
    for (Appearance choice : Appearances::all) {
        QAction* item = appearance.addAction(qs(Appearances::label(choice)));
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
    add(help, {"Show Editor Tips", "", Rule::editorOpen, onEditor([this] { app_.setShowEditorTips(true); })});
    add(help, {"Show Welcome Again", "", Rule::always, [this] { app_.showOnboarding(); }});

    connect(&app_, &AppModel::screenChanged, this, &AppCommands::refresh);
    connect(&app_, &AppModel::editorChanged, this, &AppCommands::refresh);
    refresh();
}

void AppCommands::addEditorMenus(QMenuBar& bar)
{
    auto nothing = std::function<void()>();
    QMenu& playback = *bar.addMenu(tr("&Playback"));
    for (const char* title : {"Play or Pause  (Space)", "Play Backward  (J)", "Pause  (K)", "Play Forward, Faster Each Press  (L)"})
        add(playback, {title, "", Rule::editorOpen, nothing});
    playback.addSeparator();
    add(playback, {"Go to Start", "Ctrl+Left", Rule::editorOpen, nothing});
    add(playback, {"Go to End", "Ctrl+Right", Rule::editorOpen, nothing});

    QMenu& timeline = *bar.addMenu(tr("&Timeline"));
    for (const char* title : {"Add a Clip at the End…", "Add a Clip at the Start…", "Put a Video or Photo On Top…", "Add Audio…", "Add a Match Cut"})
        add(timeline, {title, "", Rule::editorOpen, nothing});
    QMenu& effects = *timeline.addMenu(tr("Add an Effect"));
    rules_[effects.menuAction()] = Rule::editorOpen;
    for (const char* kind : {"Zoom In", "Zoom Out", "Punch In", "Pop", "Shake", "Fade In", "Fade Out", "Flash", "Blur In", "Black & White", "Glitch"})
        add(effects, {kind, "", Rule::editorOpen, nothing});
    timeline.addSeparator();
    add(timeline, {"Delete Selected Item  (Delete)", "", Rule::editorOpen, nothing});
    add(timeline, {"Duplicate Selected Item", "Ctrl+D", Rule::editorOpen, nothing});
    add(timeline, {"Move Selected Item to the Playhead", "", Rule::editorOpen, nothing});
    timeline.addSeparator();
    add(timeline, {"Zoom In", "Ctrl+=", Rule::editorOpen, nothing});
    add(timeline, {"Zoom Out", "Ctrl+-", Rule::editorOpen, nothing});
    add(timeline, {"Show the Whole Video", "Ctrl+0", Rule::editorOpen, nothing});
}

void AppCommands::add(QMenu& menu, const Entry& entry)
{
    QAction* action = menu.addAction(QString::fromUtf8(entry.title));
    if (*entry.keys) action->setShortcut(QKeySequence(QString::fromUtf8(entry.keys)));
    if (entry.run) connect(action, &QAction::triggered, this, entry.run);
    rules_[action] = entry.enabled;
    actions_.push_back(action);
}

QAction* AppCommands::action(const QString& title) const
{
    for (QAction* a : actions_)
        if (a->text() == title) return a;
    return nullptr;
}

bool AppCommands::editorOpen() const { return app_.screen() == Screen::editor && app_.editor().has_value(); }

void AppCommands::refresh()
{
    const bool open = editorOpen();
    for (auto& [action, rule] : rules_) action->setEnabled(rule == Rule::always || open);
    showCaptions_->setChecked(open ? app_.editor()->project.captionsVisible : true);
    safeZones_->setChecked(false);
}

void AppCommands::undoOrRedo(bool redo)
{
    if (textUndo(redo)) return;
    // The open project's undo belongs to the editor model.
}

}  // namespace vt
