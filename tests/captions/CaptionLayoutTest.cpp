// Where the words of a caption end up: measure-only frames and the group
// rectangle, in y-up frame pixels of a 1080 × 1920 frame (unit 1).
#include "CaptionTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace vt {
namespace {

using test::frames;
using test::makeGroup;
using test::plainLook;

QRectF unite(const std::vector<QRectF>& rects)
{
    return std::accumulate(rects.begin(), rects.end(), QRectF(), [](QRectF a, const QRectF& b) { return a | b; });
}

std::vector<double> distinctTops(const std::vector<QRectF>& rects)
{
    std::vector<double> tops;
    for (const auto& r : rects)
        if (std::none_of(tops.begin(), tops.end(), [&](double t) { return std::abs(t - r.bottom()) < 0.5; }))
            tops.push_back(r.bottom());
    return tops;
}

TEST(CaptionLayout, OneCentredLineAtTheVerticalPosition)
{
    const auto group = makeGroup({"Make", "the", "point"});
    CaptionStyle look = plainLook();
    const auto f = frames(group, look, 1.5);
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(distinctTops(f).size(), 1u);
    // Words follow each other with the word gap of 0.27 × font size.
    EXPECT_NEAR(f[1].left() - f[0].right(), 0.27 * 80, 0.01);
    EXPECT_NEAR(f[2].left() - f[1].right(), 0.27 * 80, 0.01);
    EXPECT_NEAR(unite(f).center().x(), 540, 0.01);
    EXPECT_NEAR(unite(f).center().y(), 960, 0.01);

    look.verticalPosition = 0;  // the block's top 5% below the frame's top
    EXPECT_NEAR(unite(frames(group, look, 1.5)).bottom(), 0.95 * 1920, 0.01);
    look.verticalPosition = 1;  // its bottom 5% above the frame's bottom
    EXPECT_NEAR(unite(frames(group, look, 1.5)).top(), 0.05 * 1920, 0.01);

    // A block taller than 90% of the frame keeps its top 5% below the top.
    look.fontSize = 400;
    look.maxWordsPerLine = 1;
    look.verticalPosition = 1;
    const QRectF tall = unite(frames(group, look, 1.5));
    EXPECT_GT(tall.height(), 0.9 * 1920);
    EXPECT_NEAR(tall.bottom(), 0.95 * 1920, 0.01);
}

TEST(CaptionLayout, LineBreaksByWordCountAndWidth)
{
    const auto group = makeGroup({"one", "two", "three"});
    CaptionStyle look = plainLook();
    for (std::int64_t perLine : {1, 0, -3}) {
        look.maxWordsPerLine = perLine;
        const auto f = frames(group, look, 1.5);
        EXPECT_EQ(distinctTops(f).size(), 3u) << perLine;
        EXPECT_GT(f[0].top(), f[1].top());
    }
    look.maxWordsPerLine = 2;
    EXPECT_EQ(distinctTops(frames(group, look, 1.5)).size(), 2u);

    // A word wider than the line sits alone and the group shrinks to fit M.
    look = plainLook();
    look.fontSize = 260;
    const auto wide = frames(makeGroup({"a", "Incomprehensibilities", "b"}), look, 1.5);
    EXPECT_EQ(distinctTops(wide).size(), 3u);
    EXPECT_NEAR(wide[1].width(), 0.86 * 1080, 0.5);
    EXPECT_NEAR(wide[1].center().x(), 540, 0.5);
    // A landscape frame allows 70% of its width (the unit is its height / 1080).
    look.fontSize = 400;
    const auto landscape = frames(makeGroup({"a", "Incomprehensibilities", "b"}), look, 1.5, {1920, 1080});
    EXPECT_NEAR(landscape[1].width(), 0.70 * 1920, 0.5);
    EXPECT_NEAR(landscape[1].center().x(), 960, 0.5);
}

TEST(CaptionLayout, LockupPutsTheLongestWordAloneAndLarger)
{
    CaptionStyle look = plainLook();
    look.lockup = true;
    look.emphasisScale = 1.8;
    const auto f = frames(makeGroup({"we", "absolutely", "win"}), look, 1.5);
    EXPECT_EQ(distinctTops(f).size(), 3u);
    EXPECT_NEAR(f[1].height() / f[0].height(), 1.8, 0.01);
    // A one-word group never gets a hero.
    const auto one = frames(makeGroup({"absolutely"}), look, 1.5);
    EXPECT_NEAR(one[0].height(), f[0].height(), 0.01);
}

TEST(CaptionLayout, AlignmentAndContainers)
{
    const auto group = makeGroup({"one", "two", "three"});
    CaptionStyle look = plainLook();
    look.maxWordsPerLine = 2;
    look.textAlign = TextAlign::left;
    auto f = frames(group, look, 1.5);
    EXPECT_NEAR(f[0].left(), f[2].left(), 0.01);
    look.textAlign = TextAlign::right;
    f = frames(group, look, 1.5);
    EXPECT_NEAR(f[1].right(), f[2].right(), 0.01);

    // In a bubble the lines are left-aligned whatever textAlign says, and the
    // bubble's right edge sits at 94% of the width.
    look.container = CaptionContainer::chatRight;
    f = frames(group, look, 1.5);
    EXPECT_NEAR(f[0].left(), f[2].left(), 0.01);
    auto context = CaptionRenderer::makeContext({1, 1});
    const auto bubble = CaptionRenderer::draw(group, look, 1.5, {1080, 1920}, *context, true);
    ASSERT_TRUE(bubble);
    EXPECT_NEAR(bubble->right(), 0.94 * 1080, 0.01);
    EXPECT_NEAR(bubble->right() - unite(f).right(), 34, 0.01);

    look.container = CaptionContainer::chatLeft;
    const auto left = CaptionRenderer::draw(group, look, 1.5, {1080, 1920}, *context, true);
    EXPECT_NEAR(left->left(), 0.06 * 1080, 0.01);

    // The notification card spans min(1000u, 0.92 W), centred.
    look.container = CaptionContainer::notification;
    const auto card = CaptionRenderer::draw(group, look, 1.5, {1080, 1920}, *context, true);
    EXPECT_NEAR(card->width(), 993.6, 0.01);
    EXPECT_NEAR(card->center().x(), 540, 0.01);
    EXPECT_NEAR(unite(frames(group, look, 1.5)).left(), (1080 - 993.6) / 2 + 138, 0.01);
}

TEST(CaptionLayout, FreeformArrangementsRoundTheHero)
{
    const auto group = makeGroup({"the", "big", "idea", "wins"});
    CaptionStyle look = plainLook();
    look.emphasisScale = 2.2;

    look.freeform = FreeformLayout::stagger;
    auto f = frames(group, look, 2.0);
    // "idea" (first of the longest) is the hero on the column's axis; the
    // others sit alternately left (even) and right (odd) of it.
    const double axis = f[2].center().x();
    EXPECT_NEAR(f[1].center().x() - axis, axis - f[0].center().x(), 0.01);
    EXPECT_NEAR(f[1].center().x(), f[3].center().x(), 0.01);
    EXPECT_GT(f[1].center().x(), axis + 10);
    EXPECT_GT(f[0].top(), f[1].top());  // one word per row, top to bottom
    EXPECT_GT(f[2].height(), 2 * f[1].height());

    look.freeform = FreeformLayout::sideLeft;
    f = frames(makeGroup({"amazing", "big", "wonderful", "idea"}), look, 2.0);
    // The first word before the hero ("wonderful") turns on its side, left of it.
    EXPECT_GT(f[0].height(), f[0].width());
    EXPECT_LT(f[0].right(), f[2].left());
    EXPECT_GT(f[1].top(), f[2].top());   // the other word before the hero: above
    EXPECT_LT(f[3].bottom(), f[2].bottom());  // the word after it: below
    // With the hero first, the side word is the last word after it, and a
    // long one is shrunk to 1.15 times the hero's height.
    f = frames(makeGroup({"extraordinary", "is", "wonderful"}), look, 2.0);
    EXPECT_GT(f[2].height(), f[2].width());
    EXPECT_LT(f[2].right(), f[0].left());
    // (sizes are cached in tenths of a point, so the fit is within a fraction)
    EXPECT_NEAR(f[2].height(), 1.15 * f[0].height(), 0.01 * f[0].height());

    look.freeform = FreeformLayout::sideRight;
    f = frames(makeGroup({"we", "love", "tremendous"}), look, 2.0);
    // Hero last: the side word is the last word before it, on the right.
    EXPECT_GT(f[1].height(), f[1].width());
    EXPECT_GT(f[1].left(), f[2].right());

    // With a container the free-form layout is ignored: one line, left to right.
    look.container = CaptionContainer::chatLeft;
    f = frames(makeGroup({"we", "love", "it"}), look, 2.0);
    EXPECT_LT(f[0].right(), f[1].left());
    EXPECT_LT(f[1].right(), f[2].left());
    EXPECT_TRUE(f[0].intersects(QRectF(f[0].left(), f[1].top(), 1, f[1].height())));
}

TEST(CaptionLayout, WordLooksAndEmptyGroups)
{
    auto group = makeGroup({"Make", "the", "point"});
    const auto plain = frames(group, plainLook(), 1.5);
    group.words[1].look = WordLook{1.5, std::nullopt, 10, 20};
    const auto moved = frames(group, plainLook(), 1.5);
    // Positive dy moves the word down on screen; scale enlarges it.
    EXPECT_NEAR(moved[1].left() - (moved[0].right() + 0.27 * 80), 10, 0.01);
    EXPECT_NEAR(moved[1].height() / plain[1].height(), 1.5, 0.01);
    EXPECT_LT(moved[1].center().y(), moved[0].center().y());

    CaptionGroup empty = makeGroup({});
    auto context = CaptionRenderer::makeContext({1, 1});
    int calls = 0;
    EXPECT_FALSE(CaptionRenderer::draw(empty, plainLook(), 1, {1080, 1920}, *context, true, 1,
                                       [&](const TimedWord&, const QRectF&) { ++calls; }));
    EXPECT_EQ(calls, 0);
}

TEST(CaptionLayout, GroupMotionScalesAndMovesTheRectangle)
{
    const auto group = makeGroup({"Make", "the", "point"});  // 1.0 to 2.4
    CaptionStyle look = plainLook();
    auto context = CaptionRenderer::makeContext({1, 1});
    auto rect = [&](double t) { return *CaptionRenderer::draw(group, look, t, {1080, 1920}, *context, true); };
    const QRectF settled = rect(1.5);

    look.animation = EntranceAnimation::pop;  // 72% at the very start
    EXPECT_NEAR(rect(1.0).width() / settled.width(), 0.72, 1e-6);
    look.animation = EntranceAnimation::none;
    look.exitAnimation = ExitAnimation::shrink;  // halfway through its 0.18 s: 1 − 0.4 × 0.25
    EXPECT_NEAR(rect(2.4 - 0.09).width() / settled.width(), 0.9, 1e-6);
    look.exitAnimation = ExitAnimation::drop;  // falls 90u at the end
    EXPECT_NEAR(rect(2.4).center().y() - settled.center().y(), -90, 1e-6);
    look.exitAnimation.reset();
    look.rotation = 90;  // a quarter turn clockwise swaps width and height
    EXPECT_NEAR(rect(1.5).width(), settled.height(), 1e-6);
    EXPECT_NEAR(rect(1.5).center().x(), 540, 1e-6);
}

}  // namespace
}  // namespace vt
