#pragma once
// Every menu command of the program, declared once for the one window from
// a table: title, key (Ctrl in place of Command, Alt in place of Option),
// when it is enabled, and what it does. Enabled states follow the
// application model's signals. Commands that act on the open project check
// again when they run and do nothing when it is gone.

#include "editor/EditorModel.h"

#include <QObject>

#include <functional>
#include <map>
#include <string_view>

class QAction;
class QMenu;
class QMenuBar;

namespace vt {

class AppModel;

class AppCommands : public QObject {
    Q_OBJECT

public:
    // Fills the menu bar. `appearanceChanged` is told each choice of the
    // Appearance picker (after it is stored).
    AppCommands(AppModel& app, QMenuBar& bar, std::function<void(const QString&)> appearanceChanged);

    // The action with this menu title as written, ampersands and all (the
    // first, in menu order).
    QAction* action(const QString& title) const;
    // True when the editor screen shows an open project.
    bool editorOpen() const;

private:
    enum class Rule { always, editorOpen, wordsSelected, fillersFound, cutsMade, itemSelected, startScreen };
    struct Entry {
        std::string_view title;
        const char* keys;  // a QKeySequence text, or empty
        Rule enabled;
        std::function<void()> run;
    };
    void add(QMenu& menu, const Entry& entry);
    void addEditorMenus(QMenuBar& bar);
    void refresh();
    bool holds(Rule rule) const;
    void followEditor();
    void undoOrRedo(bool redo);
    void playFullScreen();
    // The open dialog of the window, for the commands that add a file.
    EditorModel::FileChooser chooser() const;
    void addClip(std::optional<int> index);

    AppModel& app_;
    std::map<QAction*, Rule> rules_;
    std::vector<QAction*> actions_;
    QAction* showCaptions_ = nullptr;
    QAction* safeZones_ = nullptr;
    QMetaObject::Connection editorLinks_[4];
};

}  // namespace vt
