#pragma once
// The sizes and colours every timeline view shares: lane heights, the height
// of a stack of lanes, and the ten timeline tints.

#include "model/Timeline.h"

#include <QColor>
#include <QFont>

#include <vector>

namespace vt {

namespace TimelineMetrics {
inline constexpr double rulerBand = 18;  // the time ruler across the top
inline constexpr double spacing = 4;     // between lanes and below the last
inline constexpr double headerWidth = 164;
// Content height of one lane (without the spacing under it).
double laneHeight(const TimelineLane& lane);
// Ruler band, bottom padding and every lane with its spacing; 22 for none.
double height(const std::vector<TimelineLane>& lanes);
// The system font at a point size and weight.
QFont font(double points, QFont::Weight weight);
}  // namespace TimelineMetrics

namespace TimelineTint {
QColor matchCut();
QColor motion();
QColor caption();
QColor hook();
QColor broll();
QColor sound();
QColor voice();
QColor music();
QColor clip();
QColor volume();
}  // namespace TimelineTint

}  // namespace vt
