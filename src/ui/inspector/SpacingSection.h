#pragma once
// The Customize panel's Spacing section: letter and line spacing.

#include "ui/inspector/LookSection.h"

namespace vt::ui {

class SpacingSection : public LookSection {
    Q_OBJECT
public:
    SpacingSection(DisclosureGroup& group, StyleEdits& edits, QWidget* parent = nullptr);
    // The header's text while the section is closed.
    static QString summary(const CaptionStyle& look);
};

}  // namespace vt::ui
