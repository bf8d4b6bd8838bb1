#pragma once
// The Customize panel's "Color & Effects" section: glow, the text fill with
// its second colour and angle, shine sweep, multicolour words, word boxes,
// the background bar and its corners, knockout and blend over bright video.
// Where the look leaves `fill` unset, the shown fill is gradient when it has
// a gradient colour, else solid.

#include "ui/inspector/LookSection.h"

namespace vt::ui {

class ColorSection : public LookSection {
    Q_OBJECT
public:
    ColorSection(DisclosureGroup& group, StyleEdits& edits, QWidget* parent = nullptr);
    // The header's text while the section is closed.
    static QString summary(const CaptionStyle& look);
};

}  // namespace vt::ui
