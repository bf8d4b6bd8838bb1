#pragma once
// The Customize panel's "Word Timing" section: the spoken-word highlight and
// its colours, the exit, unspoken words dimmed or outlined, and captions
// ending at pauses.

#include "ui/inspector/LookSection.h"

namespace vt::ui {

class TimingSection : public LookSection {
    Q_OBJECT
public:
    TimingSection(DisclosureGroup& group, StyleEdits& edits, QWidget* parent = nullptr);
    // The header's text while the section is closed.
    static QString summary(const CaptionStyle& look);
};

}  // namespace vt::ui
