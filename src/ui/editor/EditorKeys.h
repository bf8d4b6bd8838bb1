#pragma once
// The editor window's transport and selection keys, whatever has the
// keyboard focus: J, K and L shuttle and pause, Space plays and pauses,
// Escape clears the selection, Delete cuts the selected words. An
// application-wide event filter, installed while the editor is shown, that
// sees each key press before its widget and swallows the presses it acts
// on. It leaves alone every press while a text field has the focus, a
// sheet or another window is in front, a word is being retyped, or Ctrl,
// Alt or Meta is held.

#include <QObject>
#include <QPointer>
#include <QWidget>

class QKeyEvent;

namespace vt {
class EditorModel;
}

namespace vt::ui {

class EditorKeys : public QObject {
    Q_OBJECT
public:
    // Installs itself on the application; removed when destroyed. `window`
    // is the editor's own content: presses for other windows pass on.
    EditorKeys(EditorModel& editor, QWidget* window);
    ~EditorKeys() override;

    // Whether the press was acted on and must not reach the focused widget.
    bool handle(const QKeyEvent& event, QWidget* target);
    // The key a press stands for here: J, K and L by where the key sits.
    static int keyOf(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EditorModel& editor_;
    QPointer<QWidget> window_;
    bool passesOn(const QKeyEvent& event, QWidget* target) const;
};

}  // namespace vt::ui
