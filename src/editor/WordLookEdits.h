#pragma once
// The edits the editor offers on a word's own look, for
// EditorModel::updateLook. Each changes one look in place.

#include "model/WordLook.h"

#include <functional>

namespace vt::WordLookEdits {

// Scale ÷ 1.15, to two decimals (halves away from zero), at least 0.4.
void smaller(WordLook& look);
// Scale × 1.15, to two decimals (halves away from zero), at most 4.
void larger(WordLook& look);
// The word's text colour; scale and offset kept.
std::function<void(WordLook&)> color(RGBA picked);
void clearColor(WordLook& look);
// Back to the default look (which the editor stores as none).
void reset(WordLook& look);
// A drag: the offset becomes the one at the drag's start plus the drag's
// translation, in pixels of the 1080-pixel render frame.
std::function<void(WordLook&)> dragged(const WordLook& atStart, double dx, double dy);

}  // namespace vt::WordLookEdits
