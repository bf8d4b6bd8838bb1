// Match-cut cards: frames, timing, cache keys and eviction, sounds.
#include "video/effects/MatchCutRenderer.h"

#include "video/effects/EditorialMatchCut.h"
#include "support/Waits.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

MatchCut card(MatchCut::Style style, std::string word = "coffee", std::int64_t seed = 0)
{
    MatchCut c;
    c.word = std::move(word);
    c.style = style;
    c.seed = seed;
    c.duration = 2;
    c.cutsPerSecond = 7;
    c.ticks = true;
    return c;
}

const QSize kSmall(180, 320);

TEST(MatchCutRenderer, GeneratorAndHashAreStable)
{
    EXPECT_EQ(hashStable(""), 69346085);
    EXPECT_GE(hashStable("Editorial"), 0);
    EXPECT_EQ(hashStable("a"), 0xAF63DC4C8601EC8CLL & 0x7FFFFFFF);
    // A frame's generator starts from the style, the seed and the index.
    MatchCut c = card(MatchCut::Style::retro, "x", 2);
    EXPECT_EQ(MatchCutRenderer::frameRandom(c, 3).state,
              static_cast<std::uint64_t>(hashStable("Retro")) + 2 * 7919 + 3 * 104729 + 0x9E3779B97F4A7C15ULL);
}

TEST(MatchCutRenderer, WordsAndFontsOfFrames)
{
    MatchCut e = card(MatchCut::Style::editorial, "hello");
    const std::vector<std::string> casing{"hello", "HELLO", "Hello", "hello"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(MatchCutRenderer::displayWord(e, i), casing[static_cast<std::size_t>(i)]);
    e.word = "NASA";
    for (int i = 0; i < 4; ++i) EXPECT_EQ(MatchCutRenderer::displayWord(e, i), "NASA");
    EXPECT_EQ(MatchCutRenderer::displayWord(card(MatchCut::Style::notes, " coffee\n"), 1), "coffee");
    EXPECT_EQ(MatchCutRenderer::displayWord(card(MatchCut::Style::signs, "ok"), 2), "OK");
    EXPECT_EQ(MatchCutRenderer::displayWord(card(MatchCut::Style::newspaper, "ok"), 0), "OK");

    EXPECT_EQ(MatchCutRenderer::frameFont(card(MatchCut::Style::fonts, "a", 1), 0), "Georgia-Bold");
    EXPECT_EQ(MatchCutRenderer::frameFont(card(MatchCut::Style::fonts, "a", 1), 1), "Impact");
    EXPECT_EQ(MatchCutRenderer::frameFont(card(MatchCut::Style::fonts, "a", 0), 0), "Didot-Bold");
    const std::pair<MatchCut::Style, std::size_t> counts[] = {
        {MatchCut::Style::editorial, 16}, {MatchCut::Style::fonts, 30}, {MatchCut::Style::newspaper, 14},
        {MatchCut::Style::neon, 12},      {MatchCut::Style::signs, 10}, {MatchCut::Style::notes, 10},
        {MatchCut::Style::retro, 12}};
    for (const auto& [style, n] : counts) EXPECT_EQ(MatchCutRenderer::fonts(style).size(), n);
}

TEST(MatchCutRenderer, WordSizeFollowsTheFrameShape)
{
    // A short word fits easily: the cap height is the style's share of the
    // short side, centred.
    const auto portrait = MatchCutRenderer::Layout::make("a", {"Impact"}, QSizeF(1080, 1920), MatchCut::Style::neon);
    EXPECT_NEAR(portrait.capHeight, 259.2, 1e-9);
    EXPECT_EQ(portrait.center, QPointF(540, 960));
    const auto editorial = MatchCutRenderer::Layout::make("a", {"Impact"}, QSizeF(1080, 1920), MatchCut::Style::editorial);
    EXPECT_NEAR(editorial.capHeight, 140.4, 1e-9);
    // A long word is shrunk until the widest font fits the style's width.
    const auto list = MatchCutRenderer::fonts(MatchCut::Style::signs);
    const auto wide = MatchCutRenderer::Layout::make("EXTRAORDINARILY", list, QSizeF(1080, 1920), MatchCut::Style::signs);
    double widest = 0;
    for (const auto& f : list) widest = std::max(widest, wide.line(f).width());
    EXPECT_NEAR(widest, 0.7 * 1080, 3);  // font sizes are cached in tenths
}

TEST(MatchCutRenderer, EveryStyleDrawsTheSamePixelsForTheSameFrame)
{
    for (const auto& [style, name] : enumCases(MatchCut::Style{})) {
        const MatchCut c = card(style, "coffee", 3);
        const auto a = MatchCutRenderer::frame(c, 5, kSmall), b = MatchCutRenderer::frame(c, 5, kSmall);
        ASSERT_TRUE(a && b) << name;
        EXPECT_EQ(*a, *b) << name;
        EXPECT_EQ(a->size(), kSmall);
        EXPECT_NE(*a, *MatchCutRenderer::frame(c, 6, kSmall)) << name;
        // Every look covers the whole frame.
        EXPECT_EQ(qAlpha(a->pixel(0, 0)), 255) << name;
    }
    EXPECT_FALSE(MatchCutRenderer::frame(card(MatchCut::Style::fonts), 0, QSize(0, 0)));
    EXPECT_FALSE(MatchCutRenderer::frame(card(MatchCut::Style::editorial), 0, QSize(0, 0)));
}

TEST(MatchCutRenderer, TypefacesFrameIsOneOfTheColourPairs)
{
    const std::vector<QRgb> backgrounds{0xFFFFFFFF, 0xFF111111, 0xFFF4EFE6, 0xFFFF3B30,
                                        0xFF1F3FFF, 0xFFFFD60A, 0xFF0B0B0D, 0xFFE9E1FF};
    for (int i = 0; i < 6; ++i) {
        const auto f = MatchCutRenderer::frame(card(MatchCut::Style::fonts), i, kSmall);
        EXPECT_NE(std::find(backgrounds.begin(), backgrounds.end(), f->pixel(2, 2)), backgrounds.end()) << i;
    }
}

TEST(MatchCutRenderer, PictureAtATimeFollowsSlotsAndFades)
{
    const PlacedMatchCut placed{card(MatchCut::Style::fonts), 10};
    const auto frame3 = *MatchCutRenderer::cachedFrame(placed.cut, 3, kSmall);
    EXPECT_EQ(*MatchCutRenderer::image(placed, 0.5, kSmall), frame3);
    EXPECT_FALSE(MatchCutRenderer::image(placed, 2, kSmall));
    EXPECT_FALSE(MatchCutRenderer::image(placed, -0.01, kSmall));
    EXPECT_FALSE(MatchCutRenderer::image(placed, NAN, kSmall));
    EXPECT_EQ(qAlpha(MatchCutRenderer::image(placed, 1.88, kSmall)->pixel(5, 5)), 255);
    EXPECT_NEAR(qAlpha(MatchCutRenderer::image(placed, 1.94, kSmall)->pixel(5, 5)), 128, 2);
    // Editorial cards push in across each slot.
    const PlacedMatchCut editorial{card(MatchCut::Style::editorial), 0};
    const QImage start = *MatchCutRenderer::image(editorial, 0, kSmall);
    EXPECT_EQ(start, *MatchCutRenderer::cachedFrame(editorial.cut, 0, kSmall));
    EXPECT_NE(*MatchCutRenderer::image(editorial, 0.14, kSmall), start);
    // Out of the renderer's domain it stays safe.
    MatchCut wild = card(MatchCut::Style::neon);
    wild.seed = -5;
    wild.cutsPerSecond = INFINITY;
    EXPECT_TRUE(MatchCutRenderer::frame(wild, 0, kSmall));
}

TEST(MatchCutRenderer, CacheKeysHoldEveryInputUnambiguously)
{
    MatchCut a = card(MatchCut::Style::neon, "coffee", 3);
    const std::string key = MatchCutRenderer::frameKey(a, 5, QSize(1080, 1920));
    EXPECT_NE(key.find("Neon"), std::string::npos);
    EXPECT_NE(key.find("1080x1920"), std::string::npos);
    MatchCut b = a;
    b.lines = std::vector<std::string>{"A line of the talk"};
    EXPECT_NE(MatchCutRenderer::frameKey(b, 5, QSize(1080, 1920)), key);
    MatchCut k1 = a, k2 = a;
    k1.keywords = std::vector<std::string>{"ab", "c"};
    k2.keywords = std::vector<std::string>{"a", "bc"};
    EXPECT_NE(MatchCutRenderer::frameKey(k1, 5, QSize(10, 10)), MatchCutRenderer::frameKey(k2, 5, QSize(10, 10)));
    MatchCut w1 = a, w2 = a;
    w1.word = "a|Neon";
    w2.word = "a";
    EXPECT_NE(MatchCutRenderer::frameKey(w1, 0, QSize(10, 10)), MatchCutRenderer::frameKey(w2, 0, QSize(10, 10)));
    // Different lines give different editorial pictures, so both are drawn.
    MatchCut e1 = card(MatchCut::Style::editorial), e2 = e1;
    e1.lines = std::vector<std::string>{"One two three", "Four five six", "Seven eight nine"};
    e2.lines = std::vector<std::string>{"Red green blue", "Cats and dogs", "Sun and moon"};
    EXPECT_NE(*MatchCutRenderer::cachedFrame(e1, 0, kSmall), *MatchCutRenderer::cachedFrame(e2, 0, kSmall));
    // Cards that differ only in ticks or id share frames.
    MatchCut quiet = a;
    quiet.ticks = false;
    EXPECT_EQ(MatchCutRenderer::frameKey(quiet, 5, QSize(1080, 1920)), key);
}

TEST(MatchCutRenderer, LargeFramesAreDrawnAtTheShortSideLimitAndEnlarged)
{
    const MatchCut c = card(MatchCut::Style::fonts, "big");
    const auto big = MatchCutRenderer::cachedFrame(c, 0, QSize(2160, 3840));
    ASSERT_TRUE(big);
    EXPECT_EQ(big->size(), QSize(2160, 3840));
}

TEST(MatchCutRenderer, CacheKeepsTheLatest120Frames)
{
    MatchCut c = card(MatchCut::Style::signs, "evict");
    c.duration = 20;  // 140 frames
    const QSize tiny(16, 16);
    auto key = [&](int i) { return MatchCutRenderer::frameKey(c, i, tiny); };
    const auto first = MatchCutRenderer::cachedFrame(c, 0, tiny);
    for (int i = 1; i < 120; ++i) MatchCutRenderer::cachedFrame(c, i, tiny);
    EXPECT_TRUE(MatchCutRenderer::cacheHolds(key(0)));
    MatchCutRenderer::cachedFrame(c, 0, tiny);  // a hit does not renew it
    MatchCutRenderer::cachedFrame(c, 120, tiny);
    EXPECT_FALSE(MatchCutRenderer::cacheHolds(key(0)));
    EXPECT_TRUE(MatchCutRenderer::cacheHolds(key(1)));
    EXPECT_TRUE(MatchCutRenderer::cacheHolds(key(120)));
    // Drawn again after eviction, it is the same picture.
    EXPECT_EQ(*MatchCutRenderer::cachedFrame(c, 0, tiny), *first);
    EXPECT_EQ(MatchCutRenderer::previewFrames(c, tiny).size(), 10u);
}

TEST(MatchCutRenderer, WarmUpFillsTheCacheInTheBackground)
{
    MatchCut c = card(MatchCut::Style::signs, "warm");
    c.duration = 0.5;  // 4 frames
    const QSize tiny(20, 36);
    MatchCutRenderer::prewarm(c, tiny);
    ASSERT_TRUE(vt::test::waitFor([&] { return MatchCutRenderer::cacheHolds(MatchCutRenderer::frameKey(c, 3, tiny)); }));
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(MatchCutRenderer::cacheHolds(MatchCutRenderer::frameKey(c, i, tiny))) << i;
}

TEST(MatchCutRenderer, TicksAtEveryFrameAndAHitAtTheEnd)
{
    MatchCut c = card(MatchCut::Style::retro);
    const auto events = MatchCutRenderer::ticks(c);
    ASSERT_EQ(events.size(), 15u);
    EXPECT_NEAR(events[13].time, 13 / 7.0, 1e-12);
    EXPECT_EQ(events[13].kind, MatchCutRenderer::Tick::Kind::tick);
    EXPECT_EQ(events[14], (MatchCutRenderer::Tick{2, MatchCutRenderer::Tick::Kind::hit}));
    c.ticks = false;
    EXPECT_TRUE(MatchCutRenderer::ticks(c).empty());
    c.duration = 0.3;
    c.ticks = true;
    EXPECT_EQ(MatchCutRenderer::ticks(c).size(), 5u);
}

TEST(MatchCutRenderer, SuggestionsAndContextFromTheTranscript)
{
    std::vector<Word> words(3);
    words[0].text = "Fresh";
    words[1].text = "cold";
    words[1].deleted = true;
    words[2].text = "coffee.";
    EXPECT_EQ(MatchCutRenderer::suggestionText(words), "Fresh coffee.");
    EXPECT_EQ(MatchCutRenderer::suggestionsFromHashtags({"#coffee", "#beans", "#cup"}, 2),
              (std::vector<std::string>{"coffee", "beans"}));
    std::vector<std::string> sentences{"Is this, really it?",  "Too short.", "Two words",
                                       "One two three four five six seven eight nine.",
                                       "One two three four five six seven eight nine ten.", "\tThree words here\u2026 "};
    EXPECT_EQ(MatchCutRenderer::contextLines(sentences),
              (std::vector<std::string>{"Is this, really it", "One two three four five six seven eight nine",
                                        "Three words here"}));
    // Every space character trims, the no-break space before a French "?" too; a line break does not.
    EXPECT_EQ(MatchCutRenderer::contextLines({"C'est vraiment quoi\u00A0?", "\u2009Three words here\u3000"}),
              (std::vector<std::string>{"C'est vraiment quoi", "Three words here"}));
    EXPECT_EQ(MatchCutRenderer::contextLines({"Three words here\n"}),
              (std::vector<std::string>{"Three words here\n"}));
    const std::vector<std::string> many(20, "We keep this line.");
    EXPECT_EQ(MatchCutRenderer::contextLines(many).size(), 14u);
}

}  // namespace
}  // namespace vt
