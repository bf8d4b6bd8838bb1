#pragma once
// Turns a gain curve over time into straight volume ramps, the only shape an
// audio mix can follow: one ramp across each stretch that is straight or
// flat, short pieces where the curve bends.

#include <functional>
#include <vector>

namespace vt {

struct VolumeRamp {
    double start = 0;  // seconds on the composition's timeline, start < end
    double end = 0;
    double from = 0;   // linear gains at start and end
    double to = 0;

    friend bool operator==(const VolumeRamp&, const VolumeRamp&) = default;
};

namespace AudioRamps {

// Ramps in time order following `gain` over [lower, upper]. `knots` are the
// times where the gain may bend or jump (any order; duplicates and times
// outside the range are ignored); `step` (positive) is the longest piece of
// a curved stretch. Each stretch is sampled a millionth of a second inside
// its ends, so a jump at a knot is taken from the side it belongs to.
std::vector<VolumeRamp> ramps(const std::function<double(double)>& gain, std::vector<double> knots, double lower, double upper,
                              double step);

}  // namespace AudioRamps

}  // namespace vt
