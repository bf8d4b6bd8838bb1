#pragma once
// How the Customize panel's controls reach the video's caption look: every
// write goes through the editor's style binding (the field is stored, the
// save restarts, the captions are redrawn), and every finished edit that
// changes the look is one undo step. A control that writes once per gesture
// (a menu, a switch, a colour, a typed number, an arrow-key nudge) makes a
// step per write; while a slider or a stepper button is held, an arrow key
// held down, or a text field typed into (until another control edits the
// look), its writes share the one step taken at the first of them that
// changes the look.
//
// Main thread only; the owner keeps it alive as long as its controls.

#include "editor/EditorModel.h"
#include "ui/inspector/Binding.h"

#include <functional>

class QAbstractButton;
class QLineEdit;
class QSlider;
class QWidget;

namespace vt::ui {

class StyleEdits : public QObject {
    Q_OBJECT
public:
    explicit StyleEdits(EditorModel& editor, QObject* parent = nullptr) : QObject(parent), editor_(editor) {}

    EditorModel& editor() const { return editor_; }
    const CaptionStyle& look() const { return editor_.project().style; }

    // A binding of one field of the look.
    template <class T>
    Binding<T> field(T CaptionStyle::*member)
    {
        return {[this, member] { return look().*member; },
                [this, member](const T& value) { write(member, value); }};
    }
    // Writes one field as part of the current edit.
    template <class T>
    void write(T CaptionStyle::*member, T value)
    {
        edit([&] { editor_.styleBinding(member).set(std::move(value)); });
    }
    // Runs `writes` (one or more style-binding writes) as one finished edit,
    // or as part of the held gesture's edit when `source` is the control
    // holding (none for a held slider, button or key).
    void edit(const std::function<void()>& writes, const QObject* source = nullptr);

    // Writes made while the slider or button is held (by the mouse or by a
    // key) make one step.
    void holdWhileDown(QSlider* slider);
    void holdWhileDown(QAbstractButton* button);
    // Writes made while a key is held down in the control make one step.
    void holdWhileKeyDown(QWidget* control);
    // What is typed into the field is written by `write`, as one edit until
    // the field's editing finishes or another control edits the look.
    void typeInto(QLineEdit* field, std::function<void(const QString&)> write);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EditorModel& editor_;
    bool held_ = false;
    bool recorded_ = false;            // the held gesture has taken its step
    const QObject* holder_ = nullptr;  // the field typed into; none for a press

    void hold(const QObject* holder);
    void release();
};

}  // namespace vt::ui
