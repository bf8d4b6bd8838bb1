#pragma once
// The geometric camera moves (zoom in, zoom out, punch-in, pop, shake) active
// at an output time, combined into one affine transform of the frame. The
// look kinds are LookRenderer's. The timeline samples the same transform to
// draw each move's curve.
//
// Geometry is the compositor's: output pixels, origin bottom-left, y up.
// Stateless; any thread.

#include "model/Placements.h"

#include <QPointF>
#include <QSizeF>
#include <QTransform>

#include <optional>
#include <vector>

namespace vt::MotionRenderer {

// x² (3 − 2x) for x clamped to 0…1.
double smoothstep(double x);

// Whether the kind moves the frame (the first five kinds).
bool isGeometric(MotionEffect::Kind kind);

// The moves active at `time` (placed start ≤ time < start + duration), in
// list order, each applied after the ones before; none when no geometric move
// is active. Zooms scale about `anchor`, held into the middle 70 % of the
// frame; the shake turns and scales about the frame centre.
std::optional<QTransform> transform(const std::vector<PlacedMotion>& motions, double time, QPointF anchor,
                                    QSizeF size);

}  // namespace vt::MotionRenderer
