#pragma once
// The field in which one word is retyped in place. Its text is the editor
// model's draft (both ways); Return commits, Tab commits and moves on to
// the next word, Escape ends the edit leaving the word as it was, and
// losing the focus commits unless the edit already ended. It takes the
// focus once it is shown; an edit begun by typing leaves the caret after
// the typed character.

#include "platform/Uuid.h"

#include <QLineEdit>

namespace vt {
class EditorModel;
}

namespace vt::ui {

class InlineWordField : public QLineEdit {
    Q_OBJECT
public:
    InlineWordField(EditorModel& editor, Uuid wordID, QWidget* parent = nullptr);
    const Uuid& wordID() const { return wordID_; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    EditorModel& editor_;
    Uuid wordID_;
};

}  // namespace vt::ui
