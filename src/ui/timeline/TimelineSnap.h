#pragma once
// Moving and resizing timeline items: the snap targets near a dragged span,
// the snap itself (8 points on screen), and the new span a drag gives.

#include "model/Timeline.h"
#include "ui/timeline/TimelineBlock.h"

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace vt {

class EditorModel;

namespace TimelineSnap {

inline constexpr double reach = 8;  // points

// Targets for a span from `start` lasting `length`, in the order they are
// tried: 0, the playhead, caption line starts within 2 s of either end, the
// cut points, then the starts and ends of every other placed item.
std::vector<double> targets(const EditorModel& editor, const TimelineItem& excluding, double start, double length);

// The snapped start: whichever of the span's ends lies strictly closest to
// a target within reach; on equal distances the earlier target wins.
double snapped(double start, double length, const std::vector<double>& targets, double pps);

using Limits = TimelineBlock::Limits;
using Edge = TimelineBlock::Edge;
// The span (start, duration) for a drag of `seconds` from the span (s0, e0)
// it began with, on a timeline `length` long; `snap(time, length)` snaps.
std::pair<double, double> dragSpan(std::optional<Edge> edge, double s0, double e0, double seconds, Limits limits,
                                   double length, const std::function<double(double, double)>& snap);

}  // namespace TimelineSnap

}  // namespace vt
