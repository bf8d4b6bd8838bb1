#pragma once
// The project-wide transition drawn at every cut of the edit plan. The zoom
// punch alternates the framing per segment and is applied by the render
// pipeline with zoom(); apply() draws the others around each cut.
//
// Geometry is the compositor's (origin bottom-left, y up). Stateless; any
// thread.

#include "model/CutTransition.h"
#include "model/EditPlan.h"

#include <QImage>
#include <QSize>

#include <optional>

namespace vt::Transitions {

// The frame with `transition` drawn at output time `time`; the frame itself
// when nothing applies (none, zoom punch, a plan of one segment, away from
// every cut).
QImage apply(CutTransition transition, const QImage& frame, double time, const EditPlan& plan, QSize size);

// time − (the nearest cut), negative before it; on a tie the earlier cut
// wins. None for a plan of fewer than two segments.
std::optional<double> nearestCut(double time, const EditPlan& plan);

// Scaled about (centre x, 62 % of the height up), edge pixels extended,
// cropped back to the image's size.
QImage zoom(const QImage& image, double scale);

}  // namespace vt::Transitions
