#include "ui/timeline/TimelineGeometry.h"
#include "ui/timeline/TimelineMetrics.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

namespace G = TimelineGeometry;
using K = TimelineLane::Kind;

TEST(TimelineGeometry, ScaleFollowsTheZoomWithinItsBounds)
{
    struct Case {
        const char* name;
        double width, length, zoom, pps;
    };
    const Case cases[] = {
        // viewport 836, fit (836 − 48) / 0.5 = 1576: the fitted scale wins over 400.
        {"empty plan draws half a second", 1000, 0, 1, 1576},
        {"short cut in a wide window ignores the zoom", 1000, 1, 10, 788},
        {"very long cut never below 1 pt/s", 1000, 36000, 1, 1},
        {"zoom 40 on a fit of 20 stops at 400", 164 + 248, 10, 40, 400},
        {"zoom 2 doubles the fit", 164 + 248, 10, 2, 40},
        {"narrow window keeps a 120 pt viewport", 100, 3, 1, 24},
    };
    for (const auto& c : cases) EXPECT_NEAR(G::scale(c.width, c.length, c.zoom).pps, c.pps, 1e-9) << c.name;
    const auto empty = G::scale(1000, 0, 1);
    EXPECT_DOUBLE_EQ(empty.contentWidth, 0.5 * empty.pps + 48);
    const auto longCut = G::scale(1000, 36000, 40);
    EXPECT_LE(longCut.markerCount, 401);
    EXPECT_GE(longCut.markerSpacing, 40);
}

TEST(TimelineGeometry, LaneListHasEveryRowFamilyAndOptionalLanes)
{
    const auto bare = G::lanes({});
    ASSERT_EQ(bare.size(), 7u);
    EXPECT_EQ(bare.front(), TimelineLane::of(K::video));
    EXPECT_EQ(bare[1], TimelineLane::of(K::overlay, 0));
    EXPECT_EQ(bare.back(), TimelineLane::of(K::sounds, 0));

    G::LaneInputs in;
    in.overlays = {{0, 2}, {1, 3}, {3, 4}};  // overlap gives a second row; 3…4 reuses row 0
    in.lastSoundRow = 2;
    in.hook = in.voice = in.music = true;
    const auto all = G::lanes(in);
    const std::vector<TimelineLane> want{
        TimelineLane::of(K::video),     TimelineLane::of(K::overlay, 0), TimelineLane::of(K::overlay, 1),
        TimelineLane::of(K::captions),  TimelineLane::of(K::hook),       TimelineLane::of(K::matchCut),
        TimelineLane::of(K::effects, 0), TimelineLane::of(K::audio),      TimelineLane::of(K::sounds, 0),
        TimelineLane::of(K::sounds, 1), TimelineLane::of(K::sounds, 2),  TimelineLane::of(K::voice),
        TimelineLane::of(K::music)};
    EXPECT_EQ(all, want);
    EXPECT_DOUBLE_EQ(TimelineMetrics::height({}), 22);
    EXPECT_DOUBLE_EQ(TimelineMetrics::height(bare), 22 + 42 + 30 + 26 + 30 + 30 + 46 + 40);
}

TEST(TimelineGeometry, LaneTopsAndHitsIncludeBothContentEdgesOnly)
{
    const auto lanes = G::lanes({});
    const double captions = G::laneTop(lanes, TimelineLane::of(K::captions));
    EXPECT_DOUBLE_EQ(captions, 22 + 42 + 30);
    EXPECT_EQ(G::laneAt(lanes, captions), TimelineLane::of(K::captions));
    EXPECT_EQ(G::laneAt(lanes, captions + 22), TimelineLane::of(K::captions));
    EXPECT_EQ(G::laneAt(lanes, captions + 23), std::nullopt);  // the spacing below
    EXPECT_EQ(G::laneAt(lanes, 10), std::nullopt);             // the ruler
    // A lane not in the list sits below all of them.
    EXPECT_DOUBLE_EQ(G::laneTop(lanes, TimelineLane::of(K::music)), TimelineMetrics::height(lanes) - 4 + 4);
}

TEST(TimelineGeometry, SeekStaysWithinTheTimeline)
{
    EXPECT_DOUBLE_EQ(G::seekTime(-50, 100, 10), 0);
    EXPECT_DOUBLE_EQ(G::seekTime(250, 100, 10), 2.5);
    EXPECT_DOUBLE_EQ(G::seekTime(5000, 100, 10), 9.98);
    // Shorter than 0.02 s (or empty): the start, never a negative time.
    EXPECT_DOUBLE_EQ(G::seekTime(5, 100, 0.01), 0);
    EXPECT_DOUBLE_EQ(G::seekTime(5, 100, 0), 0);
}

TEST(TimelineGeometry, CanvasWindowFollowsTheScroll)
{
    EXPECT_EQ(G::canvasWindow(5000, 500, 0), (std::pair<double, double>{0, 1000}));
    EXPECT_EQ(G::canvasWindow(5000, 500, 2000), (std::pair<double, double>{1750, 1000}));
    const auto end = G::canvasWindow(5000, 500, 4500);
    EXPECT_DOUBLE_EQ(end.first + end.second, 5000);
    EXPECT_EQ(G::canvasWindow(600, 500, 100), (std::pair<double, double>{0, 600}));
}

TEST(TimelineGeometry, RulerStepsAndLabels)
{
    struct Case {
        double pps, major;
        int subdivisions;
    };
    const Case cases[] = {{200, 0.5, 5}, {40, 2, 5}, {5, 15, 3}, {4.27, 15, 3}, {0.2, 600, 5}, {64, 1, 5}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(G::rulerStep(c.pps).major, c.major) << c.pps;
        EXPECT_EQ(G::rulerStep(c.pps).subdivisions, c.subdivisions) << c.pps;
    }
    EXPECT_EQ(G::rulerLabel(1.5, G::rulerStep(200)), "0:01.5");
    EXPECT_EQ(G::rulerLabel(0, G::rulerStep(200)), "0:00.0");
    EXPECT_EQ(G::rulerLabel(62, G::rulerStep(40)), "1:02");
}

TEST(TimelineGeometry, BlockSizesHandlesAndMarks)
{
    EXPECT_DOUBLE_EQ(G::blockWidth(2, 2, 10, 100), 5);     // zero length: 0.05 s
    EXPECT_DOUBLE_EQ(G::blockWidth(8, 12, 10, 100), 200);  // cut off at the end
    EXPECT_DOUBLE_EQ(G::handleWidth(40), 8);
    EXPECT_DOUBLE_EQ(G::handleWidth(20), 5);
    EXPECT_DOUBLE_EQ(G::handleWidth(6), 3);
    const auto marks = G::matchCutMarks(1, 3, 100);  // rounds to 3, raised to 4
    EXPECT_EQ(marks, (std::vector<double>{25, 50, 75}));
    EXPECT_EQ(G::matchCutMarks(1, 12, 100).size(), 11u);
    EXPECT_EQ(G::matchCutMarks(10, 12, 100).size(), 79u);  // at most 80 cuts marked
}

TEST(TimelineGeometry, PlayheadFollowerScrollsOnlyWhenOutOfView)
{
    // Viewport 500 scrolled to 1000: in view from 1002 to 1470.
    EXPECT_EQ(G::followMarker(1002, 1000, 500, 40), std::nullopt);
    EXPECT_EQ(G::followMarker(1470, 1000, 500, 40), std::nullopt);
    EXPECT_EQ(G::followMarker(1001, 1000, 500, 40), std::optional(23));  // (1001 − 75) / 40
    EXPECT_EQ(G::followMarker(1471, 1000, 500, 40), std::optional(34));
    EXPECT_EQ(G::followMarker(50, 1000, 500, 40), std::optional(0));
    EXPECT_EQ(G::centreMarker(2000, 500, 40), 43);
    EXPECT_EQ(G::centreMarker(100, 500, 40), 0);
}

TEST(TimelineGeometry, ClipTrimsKeepHalfASecondAndNeverGoNegative)
{
    struct Case {
        const char* name;
        bool leading;
        double trimStart, trimEnd, seconds, duration, start, end;
    };
    const Case cases[] = {
        {"leading edge right trims the start", true, 0, 0, 0.5, 10, 0.5, 0},
        {"back to the start point", true, 0, 0, 0, 10, 0, 0},
        {"trailing edge far left keeps 0.5 s", false, 0, 0, -20, 10, 0, 9.5},
        {"trailing edge past the end", false, 0, 0, 5, 10, 0, 0},
        {"leading edge lowers the other trim", true, 0, 3, 9, 10, 9, 0.5},
        {"a clip shorter than 0.5 s gets no trim", true, 0, 0, 0.2, 0.3, 0, 0},
        {"shorter clip, trailing edge", false, 0, 0, -0.2, 0.3, 0, 0},
    };
    for (const auto& c : cases) {
        const auto [start, end] = G::clipTrim(c.leading, c.trimStart, c.trimEnd, c.seconds, c.duration);
        EXPECT_NEAR(start, c.start, 1e-9) << c.name;
        EXPECT_NEAR(end, c.end, 1e-9) << c.name;
    }
}

TEST(TimelineGeometry, ClipMovesAndDropsCountCentresStrictlyBefore)
{
    const std::vector<std::pair<double, double>> spans{{0, 4}, {4, 10}};
    EXPECT_EQ(G::clipMoveTarget(spans, 1, -49, 10), 1);
    EXPECT_EQ(G::clipMoveTarget(spans, 1, -50, 10), 0);
    EXPECT_EQ(G::clipMoveTarget(spans, 0, 60, 10), 1);
    EXPECT_EQ(G::dropClipIndex(spans, 2), 0);  // at A's midpoint: before A
    EXPECT_EQ(G::dropClipIndex(spans, 2.01), 1);
    EXPECT_EQ(G::dropClipIndex(spans, 9), 2);
    EXPECT_DOUBLE_EQ(G::dropTime(-30, 100, 10), 0);
    EXPECT_DOUBLE_EQ(G::dropTime(99999, 100, 10), 9.9);
    EXPECT_DOUBLE_EQ(G::dropTime(99999, 100, 0.5), 0.4);
}

}  // namespace
}  // namespace vt
