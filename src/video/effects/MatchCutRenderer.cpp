#include "video/effects/MatchCutRenderer.h"

namespace vt::MatchCutRenderer {

std::optional<QImage> image(const PlacedMatchCut&, double, QSize) { return std::nullopt; }

}  // namespace vt::MatchCutRenderer
