// Interpolation of a stabilization correction between samples very close in time.
#include "video/effects/StabilizationOffset.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

TEST(StabilizationOffsetSpan, SamplesMicrosecondsApartStillInterpolate)
{
    // Samples 50 µs apart: halfway between them is the mean of the two, not
    // a point pulled towards the first by a guard wider than the gap.
    StabilizationCorrection c;
    c.t = {1, 1.00005};
    c.dx = {0, 0.04};
    c.dy = {0.02, -0.02};
    const Point mid = stabilizationOffset(c, 1.000025);
    EXPECT_NEAR(mid.x, 0.02, 1e-6);
    EXPECT_NEAR(mid.y, 0, 1e-6);
}

}  // namespace
}  // namespace vt
