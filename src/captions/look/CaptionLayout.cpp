#include "captions/look/CaptionLayout.h"

#include "captions/look/CaptionStyle.h"

#include <algorithm>
#include <vector>

namespace vt {

namespace {

// What one layout does to a look, as data; `raiseEmphasisTo` 0 leaves the
// emphasis scale alone, `maxWordsPerLine` 0 leaves the words per line alone.
struct LayoutRow {
    CaptionLayout layout;
    bool lockup;
    std::array<double, 2> lineScales;  // both 0: no line scales
    std::int64_t maxWordsPerLine;
    double raiseEmphasisTo;
    bool alignLeft;
};

using L = CaptionLayout;
constexpr std::array<LayoutRow, 12> kLayouts{{
    {L::line, false, {0, 0}, 0, 0, false},
    {L::stack, false, {0, 0}, 1, 0, false},
    {L::bigSmall, false, {1.5, 0.72}, 2, 0, false},
    {L::smallBig, false, {0.72, 1.5}, 2, 0, false},
    {L::hero, true, {0, 0}, 0, 1.8, false},
    {L::heroLeft, true, {0, 0}, 0, 1.8, true},
    {L::leftBlock, false, {0, 0}, 2, 0, true},
    {L::tilt, true, {0, 0}, 0, 1.8, false},
    {L::spotlight, false, {0, 0}, 0, 2.2, false},
    {L::sideLeft, false, {0, 0}, 0, 2.2, false},
    {L::sideRight, false, {0, 0}, 0, 2.2, false},
    {L::stagger, false, {0, 0}, 0, 2.2, false},
}};

std::optional<FreeformLayout> freeformOf(CaptionLayout layout)
{
    switch (layout) {
    case L::spotlight: return FreeformLayout::spotlight;
    case L::sideLeft: return FreeformLayout::sideLeft;
    case L::sideRight: return FreeformLayout::sideRight;
    case L::stagger: return FreeformLayout::stagger;
    default: return std::nullopt;
    }
}

}  // namespace

void apply(CaptionLayout layout, CaptionStyle& look, std::int64_t index)
{
    const LayoutRow* row = &kLayouts.front();
    for (const auto& r : kLayouts)
        if (r.layout == layout) row = &r;

    look.freeform = freeformOf(layout);
    look.lockup = row->lockup;
    if (row->lineScales[0] != 0)
        look.lineScales = std::vector<double>(row->lineScales.begin(), row->lineScales.end());
    else
        look.lineScales.reset();
    if (row->maxWordsPerLine != 0) look.maxWordsPerLine = row->maxWordsPerLine;
    if (row->raiseEmphasisTo != 0) look.emphasisScale = std::max(look.emphasisScale, row->raiseEmphasisTo);
    if (row->alignLeft) look.textAlign = TextAlign::left;
    if (layout == L::stack) look.lineSpacing = std::min(look.lineSpacing, 0.9);
    // The tilt replaces the look's own rotation, alternating from -5 on the first caption.
    if (layout == L::tilt) look.rotation = index % 2 != 0 ? 5.0 : -5.0;
}

}  // namespace vt
