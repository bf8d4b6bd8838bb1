// Where a stabilization correction moves the picture at a source time.
#include "video/effects/StabilizationOffset.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

TEST(StabilizationOffset, InterpolatesBetweenSamplesAndHoldsOutside)
{
    StabilizationCorrection c;
    EXPECT_EQ(stabilizationOffset(c, 1), (Point{0, 0}));
    c.t = {1, 2};
    c.dx = {0.1, 0.3};
    c.dy = {-0.2, 0};
    EXPECT_EQ(stabilizationOffset(c, 0), (Point{0.1, -0.2}));
    EXPECT_EQ(stabilizationOffset(c, 5), (Point{0.3, 0}));
    const Point mid = stabilizationOffset(c, 1.5);
    EXPECT_NEAR(mid.x, 0.2, 1e-12);
    EXPECT_NEAR(mid.y, -0.1, 1e-12);
}

TEST(StabilizationOffset, CountsOnlyAsFarAsAllThreeArraysReach)
{
    StabilizationCorrection c;
    c.t = {0, 1, 2};
    c.dx = {0.1, 0.2};
    c.dy = {0.3, 0.4, 0.5};
    EXPECT_EQ(stabilizationOffset(c, 5), (Point{0.2, 0.4}));
}

}  // namespace
}  // namespace vt
