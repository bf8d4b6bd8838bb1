#include "ui/inspector/StyleEdits.h"

#include <QAbstractButton>
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

void StyleEdits::holdWhileDown(QSlider* slider)
{
    if (!slider) return;
    connect(slider, &QSlider::sliderPressed, this, [this] { held_ = true, recorded_ = false; });
    connect(slider, &QSlider::sliderReleased, this, [this] { held_ = false, recorded_ = false; });
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
