#include "ui/inspector/StyleEdits.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSlider>

namespace vt::ui {

// The step is taken at the first write that changes the look, from the look
// before it; writes that change nothing (the same menu entry again) take none.
// A write from another control than the one holding ends the hold: it is a
// finished edit of its own.
void StyleEdits::edit(const std::function<void()>& writes, const QObject* source)
{
    const CaptionStyle before = look();
    writes();
    if (look() == before) return;
    if (held_ && source != holder_) release();
    if (held_ && recorded_) return;
    editor_.recordStyleUndo(before);
    recorded_ = held_;
}

void StyleEdits::hold(const QObject* holder)
{
    held_ = true;
    recorded_ = false;
    holder_ = holder;
}

void StyleEdits::release()
{
    held_ = false;
    recorded_ = false;
    holder_ = nullptr;
}

// The whole press counts, not only a drag of the handle: a press on the track
// pages the value on and on until the button is let go.
void StyleEdits::holdWhileDown(QSlider* slider)
{
    if (!slider) return;
    slider->installEventFilter(this);
    // A handle held down without a mouse press of ours (set by the program).
    connect(slider, &QSlider::sliderPressed, this, [this] {
        if (!held_) hold(nullptr);
    });
    connect(slider, &QSlider::sliderReleased, this, &StyleEdits::release);
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
    case QEvent::MouseButtonDblClick: hold(nullptr); break;
    case QEvent::KeyPress:
        if (!key->isAutoRepeat()) hold(nullptr);
        break;
    case QEvent::KeyRelease:
        if (key->isAutoRepeat()) break;
        [[fallthrough]];
    case QEvent::MouseButtonRelease:
    case QEvent::FocusOut: release(); break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

void StyleEdits::holdWhileDown(QAbstractButton* button)
{
    connect(button, &QAbstractButton::pressed, this, [this] { hold(nullptr); });
    connect(button, &QAbstractButton::released, this, &StyleEdits::release);
}

void StyleEdits::typeInto(QLineEdit* field, std::function<void(const QString&)> write)
{
    connect(field, &QLineEdit::textEdited, this, [this, field, write = std::move(write)](const QString& text) {
        if (!held_ || holder_ != field) hold(field);
        edit([&] { write(text); }, field);
    });
    connect(field, &QLineEdit::editingFinished, this, [this, field] {
        if (holder_ == field) release();
    });
}

}  // namespace vt::ui
