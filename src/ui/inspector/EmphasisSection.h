#pragma once
// The Customize panel's Emphasis section: the automatic hero word and the
// font, size and colour of emphasised words.

#include "ui/inspector/LookSection.h"

namespace vt::ui {

class EmphasisSection : public LookSection {
    Q_OBJECT
public:
    EmphasisSection(DisclosureGroup& group, StyleEdits& edits, QWidget* parent = nullptr);
    // The header's text while the section is closed.
    static QString summary(const CaptionStyle& look);
};

}  // namespace vt::ui
