#pragma once
// The Customize panel's Layout section: position, tilt, words per caption
// and per line, line sizes, layout rotation, free-form placement, chat and
// notification shapes, and text behind the speaker.

#include "ui/inspector/LookSection.h"

namespace vt::ui {

class LayoutSection : public LookSection {
    Q_OBJECT
public:
    LayoutSection(DisclosureGroup& group, StyleEdits& edits, QWidget* parent = nullptr);
    // The header's text while the section is closed.
    static QString summary(const CaptionStyle& look);
};

}  // namespace vt::ui
