#pragma once
// Where a stabilization correction moves the picture at a source time.
// The compositor shifts the frame by this offset and zooms it by the
// correction's `zoom` to hide the edges.

#include "model/Geometry.h"
#include "model/StabilizationCorrection.h"

#include <QImage>

namespace vt {

// The correction's (dx, dy) at source `time`, fractions of the frame's width
// and height: linear between the two samples around the time, the first or
// last sample's value outside their span, (0, 0) without samples. Arrays of
// unequal length count only as far as all three reach.
Point stabilizationOffset(const StabilizationCorrection& correction, double time);

// The upright source frame at source `time` corrected: shifted by the offset,
// zoomed by `zoom` about its centre, edges extended; the same size.
QImage stabilized(const QImage& image, const StabilizationCorrection& correction, double time);

// Where the correction takes a point of the frame (fractions, y up):
// (p + offset − 0.5) × zoom + 0.5.
Point stabilizedPoint(Point p, const StabilizationCorrection& correction, double time);

}  // namespace vt
