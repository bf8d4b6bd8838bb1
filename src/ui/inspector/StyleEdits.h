#pragma once
// How the Customize panel's controls reach the video's caption look: every
// write goes through the editor's style binding (the field is stored, the
// save restarts, the captions are redrawn). Look edits are outside the
// editor's undo history, so nothing here records a step.
//
// Main thread only; the owner keeps it alive as long as its controls.

#include "editor/EditorModel.h"
#include "ui/inspector/Binding.h"

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
    // Writes one field of the look.
    template <class T>
    void write(T CaptionStyle::*member, T value)
    {
        editor_.styleBinding(member).set(std::move(value));
    }

private:
    EditorModel& editor_;
};

}  // namespace vt::ui
