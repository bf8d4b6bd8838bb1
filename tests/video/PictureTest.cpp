// Pixel properties of the picture stages on generated frames: shaping and
// placing, reframing, cut transitions, B-roll layouts and entrances, picture
// and overlay looks, the progress bar.
#include "VideoTestSupport.h"

#include "video/BRollRenderer.h"
#include "video/Compositor.h"
#include "video/ItemAdjustGeometry.h"
#include "video/Kernels.h"
#include "video/LookRenderer.h"
#include "video/ProgressBarRenderer.h"
#include "video/Transitions.h"

#include "support/TestSupport.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>

namespace vt {
namespace {

using test::at;
using test::quadrants;
using test::solidFrame;

TEST(ItemAdjustGeometry, ShapeTurnsFlipsAndCropsOutwardToWholePixels)
{
    const QImage source = quadrants(100, 50);
    ItemAdjust turn;
    turn.turns = 1;
    const QImage turned = ItemAdjustGeometry::shape(turn, source);
    ASSERT_EQ(turned.size(), QSize(50, 100));
    EXPECT_EQ(at(turned, 45, 95), QColor(Qt::blue));  // the top-left quadrant is now top-right
    EXPECT_EQ(at(turned, 5, 5), QColor(Qt::green));   // bottom-right is now bottom-left

    ItemAdjust flip;
    flip.flipped = true;
    EXPECT_EQ(at(ItemAdjustGeometry::shape(flip, source), 5, 5), QColor(Qt::green));

    ItemAdjust crop;
    crop.cropLeft = 1.0 / 3;
    crop.cropTop = 0.6;  // limited to 0.45
    const QImage cropped = ItemAdjustGeometry::shape(crop, source);
    EXPECT_EQ(cropped.size(), QSize(67, 28));  // 66.7 grows to 67; 50 × 0.55 = 27.5 grows to 28
    EXPECT_EQ(at(cropped, 0, 0), QColor(Qt::red));

    // A negative crop (a damaged file) cannot widen the picture past its edge.
    ItemAdjust outward;
    outward.cropLeft = -0.2;
    outward.cropTop = 0.1;
    const QImage widened = ItemAdjustGeometry::shape(outward, source);
    EXPECT_EQ(widened.size(), QSize(100, 45));
    EXPECT_EQ(at(widened, 0, 0), QColor(Qt::red));

    EXPECT_EQ(ItemAdjustGeometry::shape(ItemAdjust{}, source), source);
}

TEST(ItemAdjustGeometry, PlaceZoomsAboutTheCentreAndPansToTheEdge)
{
    QImage picture = solidFrame(1080, 200, Qt::black);
    for (int y = 0; y < 200; ++y) picture.setPixelColor(1079, y, Qt::white);
    ItemAdjust a;
    a.zoom = 1.0005;
    a.panX = 1;
    EXPECT_EQ(ItemAdjustGeometry::place(a, picture, {1080, 200}), picture);
    a.zoom = 2;
    const QImage placed = ItemAdjustGeometry::place(a, picture, {1080, 200});
    ASSERT_EQ(placed.size(), QSize(1080, 200));
    EXPECT_GT(at(placed, 1079, 100).red(), 200);  // the right edge meets the frame's
    EXPECT_EQ(at(placed, 1075, 100), QColor(Qt::black));
    a.panX = 3;  // beyond the edge: repeated edge pixels, never transparent
    EXPECT_EQ(at(ItemAdjustGeometry::place(a, picture, {1080, 200}), 700, 100).alpha(), 255);
}

TEST(Compositor, ReframeCropsAroundTheFocusAsFarAsThePictureAllows)
{
    QImage source = solidFrame(1920, 1080, Qt::gray);
    const QRect marker(1536 - 10, 540 - 10, 20, 20);  // centred at (0.8, 0.5)
    QImage marked = source;
    QPainter(&marked).fillRect(marker, Qt::red);
    const QImage framed = Compositor::reframe(marked, {1080, 1920}, ReframeMode::smart, {0.8, 0.5});
    ASSERT_EQ(framed.size(), QSize(1080, 1920));
    EXPECT_EQ(at(framed, 540, 960), QColor(Qt::red));

    // A focus at the edge: the crop stops at the picture's right edge.
    QImage edge = source;
    QPainter(&edge).fillRect(QRect(1910, 0, 10, 1080), Qt::green);
    const QImage atEdge = Compositor::reframe(edge, {1080, 1920}, ReframeMode::smart, {0.99, 0.5});
    EXPECT_EQ(at(atEdge, 1079, 960), QColor(Qt::green));
    EXPECT_EQ(at(atEdge, 1000, 960), QColor(Qt::gray));
}

TEST(Compositor, FitShowsTheWholePictureOverADarkenedBlur)
{
    const QImage framed = Compositor::reframe(quadrants(1920, 1080), {1080, 1920}, ReframeMode::fit, {0.9, 0.9});
    ASSERT_EQ(framed.size(), QSize(1080, 1920));
    // The picture is 1080 × 607.5, centred: its corners keep their colours.
    EXPECT_EQ(at(framed, 5, 665), QColor(Qt::red));
    EXPECT_EQ(at(framed, 1075, 1255), QColor(Qt::white));
    // Above it, the blurred white quadrant darkened by 0.12.
    const QColor above = at(framed, 1075, 1900);
    EXPECT_NEAR(above.red(), 255 - 31, 2);
    EXPECT_EQ(above.alpha(), 255);
}

TEST(Transitions, DrawAroundTheCutOnly)
{
    EditPlan plan;
    plan.segments = {{0, 1, 0}, {2, 3, 1}};
    const QImage black = solidFrame(108, 192, Qt::black);
    const QImage white = solidFrame(108, 192, Qt::white);
    const QSize size(108, 192);
    EXPECT_NEAR(at(Transitions::apply(CutTransition::flash, black, 0.95, plan, size), 50, 50).red(), 108, 1);
    EXPECT_NEAR(at(Transitions::apply(CutTransition::flash, black, 1.11, plan, size), 50, 50).red(), 108, 1);
    EXPECT_EQ(at(Transitions::apply(CutTransition::dipBlack, white, 1.0, plan, size), 50, 50), QColor(Qt::black));
    EXPECT_EQ(Transitions::apply(CutTransition::dipBlack, white, 1.3, plan, size), white);

    const QImage q = quadrants(108, 192);
    EXPECT_EQ(Transitions::apply(CutTransition::zoomIn, q, 1.0, plan, size), Transitions::zoom(q, 1.16));
    EXPECT_EQ(Transitions::apply(CutTransition::zoomIn, q, 1.35, plan, size), q);
    EXPECT_EQ(Transitions::apply(CutTransition::zoomIn, q, 0.9, plan, size), q);
    EXPECT_EQ(Transitions::apply(CutTransition::zoomPunch, q, 1.0, plan, size), q);
    EditPlan single;
    single.segments = {{0, 3, 0}};
    for (auto kind : {CutTransition::flash, CutTransition::dipBlack, CutTransition::whip, CutTransition::glitch})
        EXPECT_EQ(Transitions::apply(kind, q, 0, single, size), q);
}

TEST(Transitions, ZoomKeepsItsPivotAt62PercentOfTheHeight)
{
    QImage image = solidFrame(200, 100, Qt::black);
    QPainter(&image).fillRect(QRect(98, 100 - 63, 4, 2), Qt::white);  // around (100, 62) y-up
    const QImage zoomed = Transitions::zoom(image, 2);
    EXPECT_GT(at(zoomed, 100, 62).red(), 200);
    EXPECT_EQ(at(zoomed, 100, 20), QColor(Qt::black));
}

TEST(Transitions, GlitchSplitsChannelsAndWhipSlidesWithBlur)
{
    EditPlan plan;
    plan.segments = {{0, 1, 0}, {2, 3, 1}};
    QImage line = solidFrame(1080, 40, Qt::black);
    QPainter(&line).fillRect(QRect(500, 0, 1, 40), Qt::white);
    const QImage split = Transitions::apply(CutTransition::glitch, line, 1.0, plan, {1080, 1920});
    EXPECT_EQ(at(split, 516, 20), QColor(255, 0, 0));  // shift 16 at a 1080 short side
    EXPECT_EQ(at(split, 484, 20), QColor(0, 0, 255));
    EXPECT_EQ(at(split, 500, 20), QColor(0, 255, 0));

    QImage stripe = solidFrame(1080, 40, Qt::black);
    QPainter(&stripe).fillRect(QRect(600, 0, 20, 40), Qt::white);
    const QImage whipped = Transitions::apply(CutTransition::whip, stripe, 0.94, plan, {1080, 1920});
    double sum = 0, weighted = 0;
    int lit = 0;
    for (int x = 0; x < 1080; ++x) {
        const int v = at(whipped, x, 20).red();
        sum += v;
        weighted += v * (x + 0.5);
        lit += v > 0;
    }
    EXPECT_NEAR(weighted / sum, 610 - 0.25 * 0.45 * 1080, 1.5);  // a quarter of 0.45 widths to the left
    EXPECT_GT(lit, 20 + 30);                                     // and smeared along x
}

BRollPlacement placement(BRollLayout layout, BRollEntrance entrance)
{
    BRollPlacement p;
    p.item.layout = layout;
    p.item.entrance = entrance;
    p.start = 0;
    p.end = 2;
    return p;
}

TEST(BRollRenderer, PictureInPictureWindowSitsBelowTheTopAndNeverCoversTheSpeaker)
{
    const QImage speaker = solidFrame(1080, 1920, Qt::blue);
    const QImage portrait = solidFrame(1080, 1920, Qt::red);
    const auto [out, covers] = BRollRenderer::compose(placement(BRollLayout::pip, BRollEntrance::cut), portrait, speaker,
                                                      {}, 1, {1080, 1920}, std::nullopt);
    EXPECT_FALSE(covers);
    // Window 669.6 × 768 at x 205.2, y 921.6 … 1689.6.
    EXPECT_EQ(at(out, 540, 1300), QColor(Qt::red));
    EXPECT_EQ(at(out, 210, 1300), QColor(Qt::red));
    EXPECT_EQ(at(out, 200, 1300).red(), 0);
    EXPECT_EQ(at(out, 540, 1760), QColor(Qt::blue));
    EXPECT_EQ(at(out, 540, 1692).red(), 0);
    EXPECT_EQ(at(out, 540, 1685), QColor(Qt::red));
    EXPECT_LT(at(out, 540, 905).blue(), 240);  // the shadow falls below the window
    EXPECT_EQ(at(out, 540, 300), QColor(Qt::blue));
}

TEST(BRollRenderer, LayoutsAndEntrances)
{
    const QImage speaker = solidFrame(1080, 1920, Qt::blue);
    const QImage content = solidFrame(1920, 1080, Qt::red);
    const auto green = [](QSize size) { return test::solidFrame(size.width(), size.height(), Qt::green); };
    const QSize size(1080, 1920);

    const auto [full, fullCovers] =
        BRollRenderer::compose(placement(BRollLayout::full, BRollEntrance::fade), content, speaker, green, 1, size, {});
    EXPECT_TRUE(fullCovers);
    EXPECT_EQ(at(full, 540, 960), QColor(Qt::red));

    const auto [split, splitCovers] =
        BRollRenderer::compose(placement(BRollLayout::split, BRollEntrance::cut), content, speaker, green, 1, size, {});
    EXPECT_TRUE(splitCovers);
    EXPECT_EQ(at(split, 540, 1500), QColor(Qt::red));
    EXPECT_EQ(at(split, 540, 400), QColor(Qt::green));

    // Fade, 0.1 s in: presence 0.4, dissolved in at 1 − 0.6³ = 0.784.
    const auto [fading, fadingCovers] =
        BRollRenderer::compose(placement(BRollLayout::full, BRollEntrance::fade), content, speaker, green, 0.1, size, {});
    EXPECT_FALSE(fadingCovers);
    EXPECT_NEAR(at(fading, 540, 960).red(), 0.784 * 255, 1.5);
    EXPECT_NEAR(at(fading, 540, 960).blue(), 0.216 * 255, 1.5);

    // Slide up, 0.1 s in: risen from below by 1 − 0.216 of the height.
    const auto [sliding, slidingCovers] =
        BRollRenderer::compose(placement(BRollLayout::full, BRollEntrance::slide), content, speaker, green, 0.1, size, {});
    EXPECT_FALSE(slidingCovers);
    EXPECT_EQ(at(sliding, 540, 1900), QColor(Qt::blue));
    EXPECT_EQ(at(sliding, 540, 1400), QColor(Qt::red));

    // Slide on a picture-in-picture only dissolves.
    const auto [pipSlide, pipCovers] =
        BRollRenderer::compose(placement(BRollLayout::pip, BRollEntrance::slide), content, speaker, green, 0.1, size, {});
    EXPECT_NEAR(at(pipSlide, 540, 1600).red(), 0.784 * 255, 1.5);

    // Nothing before the start.
    EXPECT_EQ(BRollRenderer::compose(placement(BRollLayout::full, BRollEntrance::fade), content, speaker, green, -0.01,
                                     size, {})
                  .first,
              speaker);
}

TEST(BRollRenderer, KenBurnsDriftsLeftAndScalesUp)
{
    QImage still = solidFrame(1080, 1920, Qt::black);
    QPainter(&still).fillRect(QRect(539, 0, 2, 1920), Qt::white);  // the middle column
    const QImage drifted = BRollRenderer::fill(still, {1080, 1920}, 0.5);
    // Scaled 1.05 about the centre, moved left by 1 % of the width.
    int brightest = 0, column = -1;
    for (int x = 0; x < 1080; ++x)
        if (at(drifted, x, 960).red() > brightest) brightest = at(drifted, x, 960).red(), column = x;
    EXPECT_NEAR(column, 540 - 10.8, 1.5);
}

TEST(BRollRenderer, StillsLoadUprightAndMissingFilesAreRetried)
{
    EXPECT_FALSE(BRollRenderer::image("/nonexistent/still.png"));
    test::TempDir dir;
    const auto path = (dir / "still.png").string();
    EXPECT_FALSE(BRollRenderer::image(path));
    ASSERT_TRUE(quadrants(40, 20).save(QString::fromStdString(path)));
    const auto loaded = BRollRenderer::image(path);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->size(), QSize(40, 20));
    EXPECT_EQ(at(*loaded, 2, 2), QColor(Qt::red));
}

PlacedMotion look(MotionEffect::Kind kind, double duration, double strength = 1)
{
    return test::placedMotion(kind, 0, duration, strength);
}

TEST(LookRenderer, PictureLooks)
{
    using K = MotionEffect::Kind;
    const QSize size(108, 192);
    const QImage q = quadrants(108, 192);
    EXPECT_EQ(LookRenderer::picture(q, {look(K::blurIn, 1)}, 0.999, size), q);  // sigma ≤ 0.3
    EXPECT_NE(LookRenderer::picture(q, {look(K::blurIn, 1)}, 0.1, size), q);
    const QImage grey = LookRenderer::picture(q, {look(K::blackWhite, 1, 3)}, 0.5, size);
    const QColor red = at(grey, 10, 10);
    EXPECT_EQ(red.red(), red.green());
    EXPECT_EQ(red.green(), red.blue());
    const QColor half = at(LookRenderer::picture(q, {look(K::blackWhite, 1, 0.5)}, 0.5, size), 10, 10);
    EXPECT_NEAR(half.red(), 54 + 0.5 * (255 - 54), 1.5);  // halfway to the luma of red
    // The glitch flickers off where sin(9.3 φ) ≤ −0.35.
    EXPECT_EQ(LookRenderer::picture(q, {look(K::glitch, 1)}, 0.75 / 9.3, size), q);
    EXPECT_NE(LookRenderer::picture(q, {look(K::glitch, 1)}, 0.25 / 9.3, size), q);
    // Overlay and geometric kinds are not picture looks.
    EXPECT_EQ(LookRenderer::picture(q, {look(K::fadeIn, 1), look(K::zoomIn, 1)}, 0.5, size), q);
}

TEST(LookRenderer, OverlayLooks)
{
    using K = MotionEffect::Kind;
    const QSize size(108, 192);
    const QImage white = solidFrame(108, 192, Qt::white);
    const QImage black = solidFrame(108, 192, Qt::black);
    EXPECT_EQ(at(LookRenderer::overlay(white, {look(K::fadeIn, 1)}, 0, size), 5, 5), QColor(Qt::black));
    EXPECT_EQ(at(LookRenderer::overlay(white, {look(K::fadeOut, 1)}, 0.9999, size), 5, 5), QColor(Qt::black));
    EXPECT_EQ(at(LookRenderer::overlay(black, {look(K::flash, 1, 2)}, 0.12, size), 5, 5), QColor(Qt::white));
    EXPECT_NEAR(at(LookRenderer::overlay(black, {look(K::flash, 1, 1)}, 0.12, size), 5, 5).red(), 0.9 * 255, 1);
    EXPECT_EQ(LookRenderer::overlay(white, {look(K::fadeOut, 1)}, 1.0, size), white);  // ended
    EXPECT_EQ(LookRenderer::overlay(white, {look(K::blurIn, 1)}, 0.5, size), white);
}

TEST(ProgressBarRenderer, TrackAlwaysAndFillUpToTheProgress)
{
    ProgressBar bar;
    bar.thickness = 6;
    const RGBA accent{1, 0, 0, 1};
    const QImage top = ProgressBarRenderer::image(bar, 0.5, accent, {1080, 1920});
    EXPECT_EQ(at(top, 100, 1917), QColor(Qt::red));
    EXPECT_EQ(at(top, 900, 1917).alpha(), 77);  // the track: black at 0.3
    EXPECT_EQ(at(top, 100, 1913).alpha(), 0);
    bar.position = ProgressBar::Position::bottom;
    bar.color = RGBA{0, 1, 0, 1};
    EXPECT_EQ(at(ProgressBarRenderer::image(bar, 1.7, accent, {1080, 1920}), 1079, 2), QColor(Qt::green));
    const QImage empty = ProgressBarRenderer::image(bar, -1, accent, {1080, 1920});
    EXPECT_EQ(at(empty, 0, 2).alpha(), 77);
}

}  // namespace
}  // namespace vt
