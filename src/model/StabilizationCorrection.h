#pragma once
// Per-time correction offsets that steady a shaky take, and the zoom that
// hides the shifted edges. Offsets are fractions of the frame's width and
// height, sampled at source times `t`.

#include <vector>

namespace vt {

struct StabilizationCorrection {
    std::vector<double> t;
    std::vector<double> dx;
    std::vector<double> dy;
    double zoom = 1;

    friend bool operator==(const StabilizationCorrection&, const StabilizationCorrection&) = default;
};

}  // namespace vt
