#pragma once
// The Customize panel's "Stickers & Paper" section: sticker border and rim,
// torn paper, ransom-note letters (optionally re-cut live), neon frame and
// wipe-in block. Its switches store true or leave the field unset.

#include "ui/inspector/LookSection.h"

namespace vt::ui {

class FinishesSection : public LookSection {
    Q_OBJECT
public:
    FinishesSection(DisclosureGroup& group, StyleEdits& edits, QWidget* parent = nullptr);
    // The header's text while the section is closed.
    static QString summary(const CaptionStyle& look);
};

}  // namespace vt::ui
