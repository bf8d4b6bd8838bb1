#pragma once
// The recipes of the six match-cut looks other than the editorial one: flat
// colour pairs, a newsprint page, neon on brick, a road sign, notes on four
// papers and chrome on a sunset. Each draws from the frame's generator in a
// fixed order, so a frame always looks the same.

#include "video/effects/MatchCutRenderer.h"

namespace vt::MatchCutLooks {

// Draws frame `index` of `style` into `context` (of `size` pixels); `unit`
// is min(width, height) / 1080.
void draw(CaptionContext& context, MatchCut::Style style, const MatchCutRenderer::Layout& layout,
          const std::string& font, std::int64_t index, SeededRandom& rng, QSizeF size, double unit);

}  // namespace vt::MatchCutLooks
