#pragma once
// The match-cut title cards laid over the finished frame. The card engine is
// not written yet: until it is, no card picture exists and the compositor
// leaves the frame as it is at a card's moments.
//
// Thread-safe; any number of render threads at once.

#include "model/Placements.h"

#include <QImage>
#include <QSize>

#include <optional>

namespace vt::MatchCutRenderer {

// The card of `placed` `elapsed` seconds after its start, frame-sized with
// transparency around it; none when there is nothing to draw.
std::optional<QImage> image(const PlacedMatchCut& placed, double elapsed, QSize size);

}  // namespace vt::MatchCutRenderer
