// Pixels of drawn captions: colours where the words are, alpha over time,
// determinism across threads, colour emoji, fallbacks, and a visible effect
// for every value of the look's vocabulary.
#include "CaptionTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <set>
#include <thread>

namespace vt {
namespace {

using test::inkBox;
using test::inkCount;
using test::makeGroup;
using test::plainLook;
using test::render;

const QSize kFrame(540, 960);  // unit 0.5 keeps the pixel tests quick

// Image rows of a y-up frame rectangle.
QRect rowsOf(const QRectF& r, int height)
{
    return QRectF(r.left(), height - r.bottom(), r.width(), r.height()).toAlignedRect();
}

int maxAlpha(const QImage& image)
{
    int best = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) best = std::max(best, qAlpha(image.pixel(x, y)));
    return best;
}

// The most common fully opaque colour inside a rectangle of the image.
QColor opaqueColourIn(const QImage& image, const QRect& rect)
{
    std::map<QRgb, int> counts;
    for (int y = std::max(rect.top(), 0); y <= std::min(rect.bottom(), image.height() - 1); ++y)
        for (int x = std::max(rect.left(), 0); x <= std::min(rect.right(), image.width() - 1); ++x)
            if (qAlpha(image.pixel(x, y)) == 255) ++counts[image.pixel(x, y)];
    QRgb best = 0;
    int n = 0;
    for (auto [colour, count] : counts)
        if (count > n) best = colour, n = count;
    return QColor::fromRgba(best);
}

TEST(CaptionDrawing, TextIsDrawnInItsColourInsideItsFrames)
{
    CaptionStyle look = plainLook();
    look.textColor = {1, 0, 0, 1};
    const auto group = makeGroup({"Make", "the", "point"});
    const QImage image = render(group, look, 1.5, kFrame);
    const auto frames = test::frames(group, look, 1.5, QSizeF(kFrame));
    QRect all;
    for (const auto& f : frames) all |= rowsOf(f, kFrame.height());
    const QRect ink = inkBox(image);
    EXPECT_TRUE(all.adjusted(-2, -2, 2, 2).contains(ink)) << "ink outside the word frames";
    EXPECT_GT(ink.width(), all.width() * 0.9);
    EXPECT_EQ(opaqueColourIn(image, rowsOf(frames[0], kFrame.height())), QColor(255, 0, 0));
    // The palette shifts by three colours per second of group start: a group
    // starting at 1 s gives its first word palette[(0 + 3) mod 2].
    look.palette = std::vector<RGBA>{{0, 1, 0, 1}, {0, 0, 1, 1}};
    const QImage palette = render(group, look, 1.5, kFrame);
    EXPECT_EQ(opaqueColourIn(palette, rowsOf(frames[0], kFrame.height())), QColor(0, 0, 255));
    EXPECT_EQ(opaqueColourIn(palette, rowsOf(frames[1], kFrame.height())), QColor(0, 255, 0));
}

TEST(CaptionDrawing, AlphaFollowsTheEntranceAndExit)
{
    const auto group = makeGroup({"Make", "the", "point"});  // 1.0 to 2.4
    CaptionStyle look = plainLook();
    EXPECT_EQ(maxAlpha(render(group, look, 1.5, kFrame)), 255);
    // Without an exit the group still fades out over its last 0.08 s (cut).
    EXPECT_NEAR(maxAlpha(render(group, look, 2.4 - 0.04, kFrame)), 128, 2);
    EXPECT_EQ(inkCount(render(group, look, 2.4, kFrame), 0), 0);
    EXPECT_EQ(inkCount(render(group, look, 3.0, kFrame), 0), 0);
    look.animation = EntranceAnimation::pop;
    EXPECT_EQ(inkCount(render(group, look, 1.0, kFrame), 0), 0);
    look.animation = EntranceAnimation::fade;
    EXPECT_NEAR(maxAlpha(render(group, look, 1.1, kFrame)), 128, 2);

    // Unspoken words: dimmed to half, or hollow at 60% at least, switching
    // 0.02 s before they are spoken.
    look = plainLook();
    look.dimUnspoken = true;
    const auto lastWord = test::frames(group, look, 1.0, QSizeF(kFrame))[2];
    const QRect last = rowsOf(lastWord, kFrame.height());
    EXPECT_NEAR(maxAlpha(render(group, look, 1.57, kFrame).copy(last)), 128, 2);
    EXPECT_EQ(maxAlpha(render(group, look, 1.59, kFrame).copy(last)), 255);
    look.dimUnspoken = false;
    look.hollowUnspoken = true;
    const QImage hollow = render(group, look, 1.0, kFrame).copy(last);
    const QImage filled = render(group, look, 2.0, kFrame).copy(last);
    EXPECT_LT(inkCount(hollow), inkCount(filled) * 0.8);
    EXPECT_GE(maxAlpha(hollow), 153);

    // Word reveal: a word is invisible until 0.02 s before its start.
    look = plainLook();
    look.animation = EntranceAnimation::typewriter;
    EXPECT_EQ(inkCount(render(group, look, 1.57, kFrame).copy(last)), 0);
    EXPECT_EQ(maxAlpha(render(group, look, 1.59, kFrame).copy(last)), 255);
}

// Slide in by line: a line's words enter together from one side at the
// line's start; the next line takes the next side of the list, which the
// group's seed shifts (start 1 s: seed 1000, 1000 / 97 = 10, so line 0 comes
// from below and line 1 from above).
TEST(CaptionDrawing, SlideInMovesEachLineFromItsOwnSide)
{
    CaptionStyle look = plainLook();
    look.animation = EntranceAnimation::slideIn;
    look.maxWordsPerLine = 2;
    look.lineSpacing = 3;  // keeps the two lines far apart
    const auto group = makeGroup({"one", "two", "three", "four"});  // lines start at 1.0 and 1.6
    const int half = kFrame.height() / 2;
    auto top = [&](const QImage& image) { return inkBox(image.copy(0, 0, kFrame.width(), half)); };
    auto bottom = [&](const QImage& image) { return inkBox(image.copy(0, half, kFrame.width(), half)); };
    const QImage settled = render(group, look, 2.5, kFrame);
    // 0.05 s in: k = 1 − (1 − 0.05 / 0.24)³, offset 80u × (1 − k) = 19.85 px.
    const QImage first = render(group, look, 1.05, kFrame);
    EXPECT_TRUE(bottom(first).isEmpty());
    EXPECT_NEAR(top(first).center().y() - top(settled).center().y(), 19.85, 1.5);
    EXPECT_EQ(top(first).left(), top(settled).left());
    const QImage second = render(group, look, 1.65, kFrame);
    EXPECT_NEAR(bottom(second).center().y() - bottom(settled).center().y(), -19.85, 1.5);
    EXPECT_EQ(top(second), top(settled));
    // Before 0.02 s ahead of the line's start nothing of it shows.
    EXPECT_EQ(inkCount(render(group, look, 0.97, kFrame), 0), 0);
}

// A slamming word 0.04 s in (q = 0.25) is at 1 + 1.5 × (1 − q²) of its size
// and trails 1 − q; its faintest ghost is (0.75 × 3 × 0.16 + 1) times larger
// again, and gone once the slam has landed.
TEST(CaptionDrawing, SlamTrailsGhostCopies)
{
    CaptionStyle look = plainLook();
    look.animation = EntranceAnimation::slam;
    const auto group = makeGroup({"point"});
    const double width = test::frames(group, look, 1.5, QSizeF(kFrame))[0].width();
    const double scale = 1 + 1.5 * (1 - 0.25 * 0.25);
    const double ghost = scale * (0.75 * 3 * 0.16 + 1) * width;
    EXPECT_NEAR(inkBox(render(group, look, 1.04, kFrame), 4).width() / ghost, 1, 0.06);
    EXPECT_NEAR(inkBox(render(group, look, 1.5, kFrame), 4).width() / width, 1, 0.05);
}

TEST(CaptionDrawing, SameTimeSamePictureOnEveryThread)
{
    CaptionStyle look = plainLook();
    look.strokeColor = RGBA{0, 0, 0, 1};
    look.strokeWidth = 5;
    look.glowColor = RGBA{1, 0, 1, 1};
    look.glowRadius = 20;
    look.animation = EntranceAnimation::flyIn;
    look.exitAnimation = ExitAnimation::scatter;
    look.tornPaper = RGBA{1, 1, 0.8, 1};
    look.shineSweep = RGBA{1, 1, 1, 0.8};
    const auto group = makeGroup({"every", "frame", "repeats"});
    const QImage reference = render(group, look, 1.05, kFrame);
    ASSERT_GT(inkCount(reference), 500);

    std::vector<QImage> results(8);
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i)
        threads.emplace_back([&, i] {
            // Other times first: the picture of a time must not depend on them.
            render(group, look, 1.5 + 0.1 * i, kFrame);
            results[i] = render(group, look, 1.05, kFrame);
        });
    for (auto& t : threads) t.join();
    for (const auto& image : results) EXPECT_EQ(test::differingPixels(reference, image, 0), 0);
}

TEST(CaptionDrawing, EmojiDrawInColourAndUnknownFontsFallBack)
{
    CaptionStyle look = plainLook();
    const QImage image = render(makeGroup({"hot", "🔥"}), look, 1.5, kFrame);
    int coloured = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = test::pixelAt(image, x, y);
            if (c.alpha() > 200 && c.red() > 180 && c.blue() < 80) ++coloured;
        }
    EXPECT_GT(coloured, 100) << "the flame should be orange, not white";

    look.font = "NoSuchFont-Black";
    const QImage unknown = render(makeGroup({"fallback"}), look, 1.5, kFrame);
    look.font = "system-heavy";
    const QImage heavy = render(makeGroup({"fallback"}), look, 1.5, kFrame);
    EXPECT_GT(inkCount(unknown), 500);
    EXPECT_EQ(test::differingPixels(unknown, heavy, 0), 0);
}

TEST(CaptionDrawing, ScatterPushesACentredWordInASeededDirection)
{
    CaptionStyle look = plainLook();
    look.exitAnimation = ExitAnimation::scatter;
    const auto group = makeGroup({"alone"});  // 1.0 to 1.8, exit from 1.54
    const QRect settled = inkBox(render(group, look, 1.3, kFrame));
    const QRect leaving = inkBox(render(group, look, 1.79, kFrame));
    const QPoint moved = leaving.center() - settled.center();
    EXPECT_GT(std::hypot(moved.x(), moved.y()), 50);
    EXPECT_EQ(leaving, inkBox(render(group, look, 1.79, kFrame)));
}

TEST(CaptionDrawing, RansomLettersRecutOnlyWhenLive)
{
    CaptionStyle look = plainLook();
    look.ransom = true;
    const auto group = makeGroup({"ransom", "note"}, 1.0);
    const QImage a = render(group, look, 1.8, kFrame), b = render(group, look, 1.95, kFrame);
    EXPECT_EQ(test::differingPixels(a, b, 0), 0);
    look.ransomLive = true;
    const QImage c = render(group, look, 1.8, kFrame), d = render(group, look, 1.95, kFrame);
    EXPECT_GT(test::differingPixels(c, d, 8), 500);
    // Live letters keep their places: the word frames do not move.
    const auto f1 = test::frames(group, look, 1.8, QSizeF(kFrame)), f2 = test::frames(group, look, 1.95, QSizeF(kFrame));
    EXPECT_EQ(f1, f2);
}

// ---- every vocabulary value has a visible effect ------------------------

struct Variant {
    std::string name;
    double time;  // group: "Make the point", 1.0 to 2.4, words at 1.0, 1.3, 1.6
    std::function<void(CaptionStyle&)> setup;   // shared by both pictures
    std::function<void(CaptionStyle&)> change;  // only in the second
};

std::vector<Variant> vocabularyVariants()
{
    std::vector<Variant> rows;
    auto colours = [](CaptionStyle& s) {
        s.activeColor = RGBA{1, 0.8, 0, 1};
        s.highlightColor = RGBA{0.9, 0.1, 0.3, 1};
    };
    for (auto [mode, raw] : enumCases(HighlightMode{}))
        if (mode != HighlightMode::none)
            rows.push_back({"highlight " + std::string(raw), 1.45, colours, [m = mode](CaptionStyle& s) { s.highlight = m; }});
    for (auto [kind, raw] : enumCases(EntranceAnimation{}))
        if (kind != EntranceAnimation::none)
            rows.push_back({"entrance " + std::string(raw), 1.05, {}, [k = kind](CaptionStyle& s) { s.animation = k; }});
    for (auto [kind, raw] : enumCases(ExitAnimation{}))
        if (kind != ExitAnimation::cut)
            rows.push_back({"exit " + std::string(raw), 2.3, {}, [k = kind](CaptionStyle& s) { s.exitAnimation = k; }});
    for (auto [fill, raw] : enumCases(TextFill{}))
        if (fill != TextFill::solid)
            rows.push_back({"fill " + std::string(raw), 1.8,
                            [](CaptionStyle& s) {
                                s.fill = TextFill::solid;
                                s.textColor = RGBA{1, 0.5, 0.1, 1};  // white would hide the shine
                                s.gradientColor = RGBA{0.2, 0.4, 1, 1};
                            },
                            [f = fill](CaptionStyle& s) { s.fill = f; }});
    for (auto [align, raw] : enumCases(TextAlign{}))
        if (align != TextAlign::center)
            rows.push_back({"align " + std::string(raw), 1.8, [](CaptionStyle& s) { s.maxWordsPerLine = 2; },
                            [a = align](CaptionStyle& s) { s.textAlign = a; }});
    for (auto [container, raw] : enumCases(CaptionContainer{}))
        rows.push_back({"container " + std::string(raw), 1.8, {}, [c = container](CaptionStyle& s) { s.container = c; }});
    for (auto [app, raw] : enumCases(NotificationApp{}))
        if (app != NotificationApp::messages)
            rows.push_back({"app " + std::string(raw), 1.8,
                            [](CaptionStyle& s) { s.container = CaptionContainer::notification; },
                            [a = app](CaptionStyle& s) { s.notificationApp = a; }});
    for (auto [layout, raw] : enumCases(FreeformLayout{}))
        rows.push_back({"freeform " + std::string(raw), 1.8, {}, [l = layout](CaptionStyle& s) { s.freeform = l; }});
    for (auto [layout, raw] : enumCases(CaptionLayout{}))
        rows.push_back({"layout " + std::string(raw), 1.8,
                        [](CaptionStyle& s) {
                            s.maxWordsPerLine = 3;
                            s.lineScales = std::vector<double>{1.3};
                        },
                        [l = layout](CaptionStyle& s) { s.layouts = std::vector<CaptionLayout>{l}; }});
    return rows;
}

TEST(CaptionDrawing, EveryVocabularyValueChangesThePicture)
{
    const auto group = makeGroup({"Make", "the", "point"});
    for (const auto& row : vocabularyVariants()) {
        CaptionStyle base = plainLook();
        if (row.setup) row.setup(base);
        CaptionStyle changed = base;
        row.change(changed);
        const QImage before = render(group, base, row.time, kFrame);
        const QImage after = render(group, changed, row.time, kFrame);
        EXPECT_GT(test::differingPixels(before, after, 8), 150) << row.name;
        EXPECT_GT(inkCount(after), 200) << row.name;
    }
}

// The optional effects of a look, each switched on alone over the plain look.
TEST(CaptionDrawing, EveryEffectSettingChangesThePicture)
{
    const RGBA accent{0.1, 0.8, 0.4, 1};
    const std::vector<std::pair<std::string, std::function<void(CaptionStyle&)>>> effects{
        {"stroke", [&](CaptionStyle& s) { s.strokeColor = accent, s.strokeWidth = 4; }},
        {"shadow", [&](CaptionStyle& s) { s.shadowColor = accent, s.shadowRadius = 6, s.shadowOffset = 8; }},
        {"glow", [&](CaptionStyle& s) { s.glowColor = accent, s.glowRadius = 16; }},
        {"bar", [&](CaptionStyle& s) { s.barColor = accent; }},
        {"word boxes", [&](CaptionStyle& s) { s.wordBoxColor = accent; }},
        {"line boxes", [&](CaptionStyle& s) { s.lineBoxColor = accent; }},
        {"emphasis box", [&](CaptionStyle& s) { s.emphasisBoxColor = accent, s.heroWord = true; }},
        {"emphasis colour", [&](CaptionStyle& s) { s.emphasisColor = accent, s.heroWord = true; }},
        {"emphasis font", [&](CaptionStyle& s) { s.emphasisFont = "GreatVibes", s.heroWord = true; }},
        {"emphasis scale", [&](CaptionStyle& s) { s.emphasisScale = 1.6, s.heroWord = true; }},
        {"gradient colour", [&](CaptionStyle& s) { s.gradientColor = accent; }},
        {"fill angle", [&](CaptionStyle& s) { s.gradientColor = accent, s.fillAngle = 90; }},
        {"shine sweep", [&](CaptionStyle& s) { s.shineSweep = RGBA{1, 0.2, 0.2, 1}; }},
        {"sticker", [&](CaptionStyle& s) { s.sticker = accent; }},
        {"torn paper", [&](CaptionStyle& s) { s.tornPaper = accent; }},
        {"ransom", [&](CaptionStyle& s) { s.ransom = true; }},
        {"neon frame", [&](CaptionStyle& s) { s.neonFrame = accent; }},
        {"wipe", [&](CaptionStyle& s) { s.wipeColor = accent; }},
        {"uppercase", [&](CaptionStyle& s) { s.uppercase = true; }},
        {"italic", [&](CaptionStyle& s) { s.font = "system-bold", s.italic = true; }},
        {"letter spacing", [&](CaptionStyle& s) { s.letterSpacing = 12; }},
        {"line spacing", [&](CaptionStyle& s) { s.maxWordsPerLine = 1, s.lineSpacing = 1.6; }},
        {"line scales", [&](CaptionStyle& s) { s.maxWordsPerLine = 2, s.lineScales = std::vector<double>{1.5, 0.7}; }},
        {"rotation", [&](CaptionStyle& s) { s.rotation = 8; }},
        {"vertical position", [&](CaptionStyle& s) { s.verticalPosition = 0.8; }},
        {"font size", [&](CaptionStyle& s) { s.fontSize = 100; }},
        {"font", [&](CaptionStyle& s) { s.font = "PlayfairDisplay-Black"; }},
        {"text colour", [&](CaptionStyle& s) { s.textColor = accent; }},
    };
    const auto group = makeGroup({"Make", "the", "point"});
    const QImage base = render(group, plainLook(), 1.8, kFrame);
    for (const auto& [name, apply] : effects) {
        CaptionStyle look = plainLook();
        apply(look);
        EXPECT_GT(test::differingPixels(base, render(group, look, 1.8, kFrame), 8), 150) << name;
    }
}

TEST(CaptionDrawing, FillsFollowTheWordColourRules)
{
    const auto group = makeGroup({"Make", "the", "point"});
    CaptionStyle look = plainLook();
    look.gradientColor = RGBA{0, 0, 1, 1};
    look.emphasisColor = RGBA{1, 0, 0, 1};
    look.heroWord = true;  // "point" (first of the longest) is the hero
    const auto frames = test::frames(group, look, 1.8, QSizeF(kFrame));
    const QImage image = render(group, look, 1.8, kFrame);
    auto colours = [&](const QImage& img, int word) {
        std::set<QRgb> seen;
        const QRect r = rowsOf(frames[word], kFrame.height());
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (qAlpha(img.pixel(x, y)) == 255) seen.insert(img.pixel(x, y) & 0xF0F0F0);
        return seen.size();
    };
    // Without a fill, plain-coloured words take the gradient; the red hero stays solid.
    EXPECT_GT(colours(image, 0), 4u);
    EXPECT_EQ(opaqueColourIn(image, rowsOf(frames[2], kFrame.height())), QColor(255, 0, 0));
    EXPECT_LE(colours(image, 2), 2u);
    // Hero only: the plain words are never filled, the hero is.
    look.fillHeroOnly = true;
    const QImage heroOnly = render(group, look, 1.8, kFrame);
    EXPECT_LE(colours(heroOnly, 0), 2u);
    EXPECT_GT(colours(heroOnly, 2), 4u);
    // A bar and a neon frame together: the bar colour fills the neon box instead.
    look = plainLook();
    look.barColor = RGBA{0, 1, 0, 1};
    const QImage bar = render(group, look, 1.8, kFrame);
    look.neonFrame = RGBA{1, 0, 1, 1};
    const QImage neon = render(group, look, 1.8, kFrame);
    const QRect barBox = inkBox(bar);
    // The bar's rounded corner is green; the neon box is square and framed.
    EXPECT_NE(test::pixelAt(bar, barBox.left() + 1, barBox.top() + 1), QColor(0, 255, 0));
    EXPECT_EQ(opaqueColourIn(neon, barBox.adjusted(4, 4, -4, -4)), QColor(0, 255, 0));
}

// The spoken word stays highlighted through a pause until the next word
// starts, the last one until the group ends; the sliding box eases from the
// previous word to the spoken one over 0.16 s.
TEST(CaptionDrawing, HighlightFollowsTheWordStarts)
{
    auto group = makeGroup({"one", "two", "six"});
    group.words[0].end = 1.2;  // a pause until "two" starts at 1.3
    CaptionStyle look = plainLook();
    look.highlight = HighlightMode::color;
    look.activeColor = RGBA{1, 0, 0, 1};
    const auto f = test::frames(group, look, 1.5, QSizeF(kFrame));
    const QColor red(255, 0, 0), white(255, 255, 255);
    struct Moment {
        double time;
        int word;
        QColor colour;
    };
    for (const Moment& m : {Moment{1.25, 0, red}, Moment{1.3, 0, white}, Moment{1.3, 1, red}, Moment{1.29, 1, white},
                            Moment{2.3, 2, red}}) {
        const QImage image = render(group, look, m.time, kFrame);
        EXPECT_EQ(opaqueColourIn(image, rowsOf(f[m.word], kFrame.height())), m.colour) << m.time << " " << m.word;
    }

    look.highlight = HighlightMode::slide;
    look.activeColor.reset();
    look.highlightColor = RGBA{0, 1, 0, 1};
    look.cornerRadius = 0;
    // A row below the baselines (inside the descent), where no glyph covers the box.
    const int row = kFrame.height() - static_cast<int>(f[1].top() + 3);
    auto greenSpan = [&](double time) {
        const QImage image = render(group, look, time, kFrame);
        int left = -1, right = -1;
        for (int x = 0; x < image.width(); ++x)
            if (test::pixelAt(image, x, row).green() > 128 && test::pixelAt(image, x, row).red() < 128) {
                if (left < 0) left = x;
                right = x;
            }
        return std::pair(left, right);
    };
    for (double since : {0.0, 0.08, 0.16}) {
        const double q = 1 - std::pow(1 - since / 0.16, 3);
        const double left = f[0].left() + q * (f[1].left() - f[0].left()) - 7;
        const double right = f[0].right() + q * (f[1].right() - f[0].right()) + 7;
        const auto [l, r] = greenSpan(1.3 + since);
        EXPECT_NEAR(l, left, 1.5) << since;
        EXPECT_NEAR(r + 1, right, 1.5) << since;
    }
}

// The shine band (width bw, crossing the text in 0.99 s from 0.15 s after
// the start) tints a narrow word while its centre is still left of it, as
// long as the band's half width reaches the word's edge.
TEST(CaptionDrawing, ShineSweepReachesNarrowWords)
{
    CaptionStyle look = plainLook();
    look.shineSweep = RGBA{1, 0, 0, 1};
    const auto group = makeGroup({"I"});
    const QRectF g = test::frames(group, look, 1.3, QSizeF(kFrame))[0];
    const double bw = std::max(0.9 * g.height(), 60 * 0.5);
    const double gapToWord = 0.4 * bw;  // the band's centre this far left of the word
    ASSERT_GT(gapToWord, g.width() + 2) << "the word must be narrower than the band's reach";
    const double q = (bw - gapToWord) / (2 * bw + g.width());
    const double time = group.start + 0.15 + 2.2 * 0.45 * q;
    CaptionStyle plain = look;
    plain.shineSweep.reset();
    EXPECT_GT(test::differingPixels(render(group, plain, time, kFrame), render(group, look, time, kFrame), 20), 20);
}

TEST(CaptionDrawing, ContainerAndStickerDefaults)
{
    const auto group = makeGroup({"Make", "the", "point"});
    auto colourCount = [](const QImage& image, QRgb wanted) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == (wanted | 0xFF000000u) ? 1 : 0;
        return n;
    };
    // A sticker without a rim colour has a dark grey (1F1F1F) rim.
    CaptionStyle look = plainLook();
    look.sticker = RGBA{1, 1, 0, 1};
    EXPECT_GT(colourCount(render(group, look, 1.8, kFrame), 0x1F1F1F), 500);

    // A notification without an app shows the green message icon; the
    // default card is near-white; a chat bubble without a colour is 0A84FF.
    look = plainLook();
    look.textColor = RGBA{0, 0, 0, 1};
    look.container = CaptionContainer::notification;
    const QImage card = render(group, look, 1.8, kFrame);
    auto context = CaptionRenderer::makeContext({1, 1});
    const QRectF k = *CaptionRenderer::draw(group, look, 1.8, QSizeF(kFrame), *context, true);
    const double u = 0.5;
    const QColor icon = test::pixelAt(card, static_cast<int>(k.left() + 30 * u + 10 * u), static_cast<int>(kFrame.height() - k.center().y()));
    EXPECT_GT(icon.green(), icon.red() + 60);
    EXPECT_GT(icon.green(), icon.blue() + 40);
    const QColor paper = test::pixelAt(card, static_cast<int>(k.right() - 10 * u), static_cast<int>(kFrame.height() - k.center().y()));
    EXPECT_NEAR(paper.red(), 245, 6);  // (0.96, 0.96, 0.97, 0.94) over its own shadow
    EXPECT_NEAR(paper.alpha(), 240, 5);
    look.container = CaptionContainer::chatLeft;
    EXPECT_GT(colourCount(render(group, look, 1.8, kFrame), 0x0A84FF), 2000);
}

}  // namespace
}  // namespace vt
