// The numbers behind the compositor's geometry: item adjustment mapping,
// camera-move curves, cut distances, B-roll presence, emoji and bar sizes.
#include "VideoTestSupport.h"

#include "video/BRollRenderer.h"
#include "video/EmojiImage.h"
#include "video/ItemAdjustGeometry.h"
#include "video/MotionRenderer.h"
#include "video/ProgressBarRenderer.h"
#include "video/Transitions.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vt {
namespace {

using test::placedMotion;

struct MapCase {
    const char* name;
    ItemAdjust adjust;
    Point in;
    Point out;
};

ItemAdjust turned(int turns, bool flipped = false)
{
    ItemAdjust a;
    a.turns = turns;
    a.flipped = flipped;
    return a;
}

ItemAdjust cropped(double left, double right, double top, double bottom)
{
    ItemAdjust a;
    a.cropLeft = left;
    a.cropRight = right;
    a.cropTop = top;
    a.cropBottom = bottom;
    return a;
}

TEST(ItemAdjustGeometry, MapsPointsThroughTurnFlipAndCrop)
{
    const MapCase cases[] = {
        {"quarter turn, top-left", turned(1), {0, 1}, {1, 1}},
        {"quarter turn, bottom-left", turned(1), {0, 0}, {0, 1}},
        {"five turns as one", turned(5), {0, 1}, {1, 1}},
        {"minus one as three", turned(-1), {0, 1}, {0, 0}},
        {"half turn", turned(2), {0.2, 0.3}, {0.8, 0.7}},
        {"flip after turn", turned(1, true), {0, 1}, {0, 1}},
        {"centre stays under turn and flip", turned(3, true), {0.5, 0.5}, {0.5, 0.5}},
        {"crop over 0.45 divides unlimited", cropped(0.6, 0, 0, 0), {0.8, 0.5}, {0.5, 0.5}},
        {"divisor never below 0.1", cropped(0.45, 0.5, 0, 0), {0.5, 0.5}, {0.5, 0.5}},
        {"cropped away lies outside", cropped(0, 0, 0.25, 0.25), {0.5, 0.1}, {0.5, -0.3}},
        {"a crop that is not a number crops nothing", cropped(std::nan(""), 0, 0, 0), {0.3, 0.4}, {0.3, 0.4}},
        {"an infinite crop crops nothing", cropped(0, 0, INFINITY, -INFINITY), {0.3, 0.4}, {0.3, 0.4}},
    };
    for (const auto& c : cases) {
        const Point p = ItemAdjustGeometry::map(c.adjust, c.in);
        EXPECT_NEAR(p.x, c.out.x, 1e-9) << c.name;
        EXPECT_NEAR(p.y, c.out.y, 1e-9) << c.name;
    }
}

TEST(ItemAdjustGeometry, ShapeTreatsCropsThatAreNotFiniteAsNone)
{
    QImage picture(100, 50, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::red);
    // A damaged project: one usable crop beside ones that are not numbers.
    const QImage shaped = ItemAdjustGeometry::shape(cropped(0.2, std::nan(""), INFINITY, -INFINITY), picture);
    EXPECT_EQ(shaped.size(), QSize(80, 50));
    EXPECT_EQ(ItemAdjustGeometry::shape(cropped(std::nan(""), 0, 0, 0), picture).size(), QSize(100, 50));
}

double scaleOf(const QTransform& t) { return std::sqrt(std::abs(t.determinant())); }

TEST(MotionRenderer, CurvesReachTheirScales)
{
    using K = MotionEffect::Kind;
    struct Case {
        const char* name;
        std::vector<PlacedMotion> moves;
        double t;
        double scale;
    };
    const Case cases[] = {
        {"zoom in ends at 1.22", {placedMotion(K::zoomIn, 0, 1)}, 0.99999, 1.22},
        {"zoom out starts at 1.22", {placedMotion(K::zoomOut, 0, 1)}, 0, 1.22},
        {"punch-in at 0.1 s", {placedMotion(K::punchIn, 0, 2)}, 0.1, 1.28},
        {"pop peaks at 0.12 s of a 1 s move", {placedMotion(K::pop, 0, 1)}, 0.12, 1.14},
        {"pop of a 0.3 s move peaks at 0.09 s", {placedMotion(K::pop, 0, 0.3)}, 0.09, 1.14},
        {"pop before its peak", {placedMotion(K::pop, 0, 1)}, 0.06, 1 + 0.14 * (1 - 0.25)},
        {"a 0.02 s move follows a 0.05 s curve", {placedMotion(K::zoomIn, 0, 0.02)}, 0.01, 1 + 0.22 * 0.104},
        {"two zooms multiply", {placedMotion(K::zoomIn, 0, 1), placedMotion(K::punchIn, 0, 1, 0.5)}, 0.99999, 1.22 * 1.14},
        {"shake scales by 1.06 whatever its sines", {placedMotion(K::shake, 0, 1)}, 0.5, 1.06},
        {"strength scales the move", {placedMotion(K::zoomIn, 0, 1, 2)}, 0.99999, 1.44},
    };
    for (const auto& c : cases) {
        const auto t = MotionRenderer::transform(c.moves, c.t, {540, 960}, {1080, 1920});
        ASSERT_TRUE(t) << c.name;
        EXPECT_NEAR(scaleOf(*t), c.scale, 2e-4) << c.name;
    }
}

TEST(MotionRenderer, AbsentWithoutAnActiveGeometricMove)
{
    using K = MotionEffect::Kind;
    EXPECT_FALSE(MotionRenderer::transform({}, 0.5, {0, 0}, {1080, 1920}));
    EXPECT_FALSE(MotionRenderer::transform({placedMotion(K::zoomIn, 0, 0.02)}, 0.03, {0, 0}, {1080, 1920}));
    EXPECT_FALSE(MotionRenderer::transform({placedMotion(K::blurIn, 0, 1), placedMotion(K::fadeIn, 0, 1)}, 0.5, {0, 0}, {1080, 1920}));
    EXPECT_FALSE(MotionRenderer::transform({placedMotion(K::zoomIn, 1, 1)}, 0.99, {0, 0}, {1080, 1920}));
}

TEST(MotionRenderer, ZoomsAboutTheAnchorHeldInsideTheFrame)
{
    const auto t = MotionRenderer::transform({placedMotion(MotionEffect::Kind::zoomIn, 0, 1)}, 0.5, {0, 0}, {1000, 2000});
    ASSERT_TRUE(t);
    const QPointF pivot = t->map(QPointF(150, 300));
    EXPECT_NEAR(pivot.x(), 150, 1e-9);
    EXPECT_NEAR(pivot.y(), 300, 1e-9);
}

EditPlan planWithCutsAt(std::vector<double> starts)
{
    EditPlan plan;
    double source = 0;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const double length = i + 1 < starts.size() ? starts[i + 1] - starts[i] : 1;
        plan.segments.push_back({source, source + length, starts[i]});
        source += length + 0.5;
    }
    return plan;
}

TEST(Transitions, NearestCutIsSignedAndTiesGoToTheEarlierCut)
{
    const EditPlan plan = planWithCutsAt({0, 1, 2});
    EXPECT_DOUBLE_EQ(*Transitions::nearestCut(0.2, plan), -0.8);
    EXPECT_DOUBLE_EQ(*Transitions::nearestCut(1.5, plan), 0.5);
    EXPECT_NEAR(*Transitions::nearestCut(1.9, plan), -0.1, 1e-12);
    EXPECT_FALSE(Transitions::nearestCut(0.2, planWithCutsAt({0})));
    EXPECT_FALSE(Transitions::nearestCut(0.2, EditPlan{}));
}

TEST(BRollRenderer, PresenceRisesAndFallsOverAQuarterSecond)
{
    BRollPlacement p;
    p.start = 1;
    p.end = 3;
    const std::pair<double, double> fade[] = {{0.9, 0}, {1.1, 0.4}, {2, 1}, {3.1, 0.6}, {3.25, 0}, {4, 0}};
    for (auto [t, m] : fade) EXPECT_NEAR(BRollRenderer::presence(p, t), m, 1e-9) << "fade at " << t;

    // An item shorter than the rise stops rising at its end and falls from
    // there, without a jump when the rise would have ended.
    BRollPlacement brief = p;
    brief.end = 1.1;
    const std::pair<double, double> short_[] = {{1.05, 0.2}, {1.1, 0.4}, {1.2, 0.6}, {1.249, 0.404}, {1.25, 0.4}, {1.3, 0.2}};
    for (auto [t, m] : short_) EXPECT_NEAR(BRollRenderer::presence(brief, t), m, 1e-9) << "short item at " << t;

    p.item.entrance = BRollEntrance::cut;
    const std::pair<double, double> cut[] = {{0.99, 0}, {1, 1}, {2.99, 1}, {3, 0}};
    for (auto [t, m] : cut) EXPECT_EQ(BRollRenderer::presence(p, t), m) << "cut at " << t;
}

TEST(ProgressBarRenderer, ThicknessScalesRoundsAndKeepsTwoPixels)
{
    const struct {
        double thickness;
        QSize size;
        int pixels;
    } cases[] = {{1, {1080, 1920}, 2}, {6, {720, 1280}, 4}, {2.5, {1080, 1920}, 3}, {10, {1920, 1080}, 10}};
    for (const auto& c : cases) {
        ProgressBar bar;
        bar.thickness = c.thickness;
        EXPECT_EQ(ProgressBarRenderer::thickness(bar, c.size), c.pixels) << c.thickness;
    }
}

TEST(EmojiImage, SideFollowsTheLineHeightWithinLimits)
{
    EXPECT_EQ(EmojiImage::side(50, {1080, 1920}), 140);
    EXPECT_EQ(EmojiImage::side(100, {1080, 1920}), 180);
    EXPECT_EQ(EmojiImage::side(150, {1080, 1920}), 200);
    EXPECT_EQ(EmojiImage::side(100, {720, 1280}), 120);
}

TEST(EmojiImage, PopsInFromNothingAndHasNoPictureBeforeItsLine)
{
    const QRectF lineRect(300, 900, 480, 100);
    EXPECT_FALSE(EmojiImage::image("🔥", lineRect, -0.1, {1080, 1920}));
    EXPECT_FALSE(EmojiImage::image("🔥", lineRect, 0, {1080, 1920}));
    const auto early = EmojiImage::image("🔥", lineRect, 0.001, {1080, 1920});
    const auto full = EmojiImage::image("🔥", lineRect, 0.5, {1080, 1920});
    ASSERT_TRUE(early && full);
    EXPECT_NEAR(scaleOf(early->transform), 0.3, 0.02);
    EXPECT_NEAR(scaleOf(full->transform), 1, 1e-9);
    // Above the line: centre at top + gap + side / 2, plus the bob.
    const QPointF centre = full->transform.map(QPointF(full->picture.width() / 2.0, full->picture.height() / 2.0));
    EXPECT_NEAR(centre.y(), 1000 + 14 + 90 + 5 * std::sin(1.3), 1e-6);
    EXPECT_NEAR(centre.x(), 540, 1e-6);
    // No room above a line near the top: below it.
    const auto low = EmojiImage::image("🔥", QRectF(300, 1700, 480, 100), 0.5, {1080, 1920});
    ASSERT_TRUE(low);
    EXPECT_LT(low->transform.map(QPointF(low->picture.width() / 2.0, low->picture.height() / 2.0)).y(), 1700);
}

}  // namespace
}  // namespace vt
