#include "ui/timeline/TimelineSnap.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

namespace S = TimelineSnap;

TEST(TimelineSnap, SnapsTheClosestEdgeWithinEightPoints)
{
    struct Case {
        const char* name;
        double start, length;
        std::vector<double> targets;
        double want;
    };
    // At 100 pt/s the reach is 0.08 s.
    const Case cases[] = {
        {"start 0.05 s after the playhead", 2.05, 0, {0, 2}, 2},
        {"start 0.09 s after: no snap", 2.09, 0, {0, 2}, 2.09},
        {"end onto a cut point", 1, 2, {0, 3.05}, 1.05},
        {"end closer than start wins", 1.03, 1, {1, 2.05}, 1.05},
        {"equal distances: the earlier target", 1.0625, 1, {1, 2.125}, 1},
        {"a later end match at equal distance does not replace", 1.0625, 1, {1.125, 2.0}, 1.125},
    };
    for (const auto& c : cases) EXPECT_NEAR(S::snapped(c.start, c.length, c.targets, 100), c.want, 1e-9) << c.name;
}

TEST(TimelineSnap, DragSpansClampToLimitsAndTheTimeline)
{
    using E = TimelineBlock::Edge;
    const auto none = [](double t, double) { return t; };
    const TimelineBlock::Limits motion{0.2, 10};
    // Moving keeps the length and stays inside 0…L.
    EXPECT_EQ(S::dragSpan(std::nullopt, 2, 4, 100, motion, 12, none), (std::pair<double, double>{10, 2}));
    EXPECT_EQ(S::dragSpan(std::nullopt, 2, 4, -100, motion, 12, none), (std::pair<double, double>{0, 2}));
    // The leading edge stops at the shortest length.
    EXPECT_NEAR(S::dragSpan(E::leading, 2, 4, 5, motion, 12, none).second, 0.2, 1e-9);
    // The trailing edge stops at the longest length or the end, whichever first.
    EXPECT_NEAR(S::dragSpan(E::trailing, 2, 4, 50, motion, 20, none).second, 10, 1e-9);
    EXPECT_NEAR(S::dragSpan(E::trailing, 2, 4, 50, motion, 9, none).second, 7, 1e-9);
    // A match cut stays within 0.5…6 s.
    EXPECT_NEAR(S::dragSpan(E::trailing, 0, 1, -5, {0.5, 6}, 30, none).second, 0.5, 1e-9);
    // A block longer than the timeline is cut to it.
    EXPECT_EQ(S::dragSpan(std::nullopt, 0, 20, 0, {0.3, 600}, 8, none), (std::pair<double, double>{0, 8}));
}

}  // namespace
}  // namespace vt
