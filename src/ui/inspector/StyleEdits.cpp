#include "ui/inspector/StyleEdits.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSlider>

namespace vt::ui {

// The step is taken at the first write that changes the look, from the look
// before it; writes that change nothing (the same menu entry again) take none.
void StyleEdits::edit(const std::function<void()>& writes)
{
    const CaptionStyle before = look();
    writes();
    if (look() == before || (held_ && recorded_)) return;
    editor_.recordStyleUndo(before);
    recorded_ = held_;
}

// The whole press counts, not only a drag of the handle: a press on the track
// pages the value on and on until the button is let go.
void StyleEdits::holdWhileDown(QSlider* slider)
{
    if (!slider) return;
    slider->installEventFilter(this);
    // A handle held down without a mouse press of ours (set by the program).
    connect(slider, &QSlider::sliderPressed, this, [this] {
        if (!held_) held_ = true, recorded_ = false;
    });
    connect(slider, &QSlider::sliderReleased, this, [this] { held_ = false, recorded_ = false; });
}

void StyleEdits::holdWhileKeyDown(QWidget* control) { control->installEventFilter(this); }

// A press opens the edit and its release, or the control losing the
// keyboard, ends it; the repeats of a held key belong to it.
bool StyleEdits::eventFilter(QObject* watched, QEvent* event)
{
    const auto* key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease
                          ? static_cast<QKeyEvent*>(event)
                          : nullptr;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: held_ = true, recorded_ = false; break;
    case QEvent::KeyPress:
        if (!key->isAutoRepeat()) held_ = true, recorded_ = false;
        break;
    case QEvent::KeyRelease:
        if (key->isAutoRepeat()) break;
        [[fallthrough]];
    case QEvent::MouseButtonRelease:
    case QEvent::FocusOut: held_ = false, recorded_ = false; break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

void StyleEdits::holdWhileDown(QAbstractButton* button)
{
    connect(button, &QAbstractButton::pressed, this, [this] { held_ = true, recorded_ = false; });
    connect(button, &QAbstractButton::released, this, [this] { held_ = false, recorded_ = false; });
}

void StyleEdits::holdWhileTyping(QLineEdit* field)
{
    // Connected first, so the hold is in place before the field's own writes.
    connect(field, &QLineEdit::textEdited, this, [this] {
        if (!held_) held_ = true, recorded_ = false;
    });
    connect(field, &QLineEdit::editingFinished, this, [this] { held_ = false, recorded_ = false; });
}

}  // namespace vt::ui
