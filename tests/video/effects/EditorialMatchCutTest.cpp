// The editorial look: pools, layout order, the stripe, and the pages.
#include "video/effects/EditorialMatchCut.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

using namespace EditorialMatchCut;

MatchCut card(std::int64_t seed = 0)
{
    MatchCut c;
    c.word = "focus";
    c.style = MatchCut::Style::editorial;
    c.seed = seed;
    c.duration = 2;
    c.cutsPerSecond = 8;
    return c;
}

TEST(EditorialMatchCut, PoolsComeFromTheCardThenTheGenericTexts)
{
    MatchCut c = card();
    EXPECT_EQ(keywordPool(c), std::vector<std::string>(genericKeywords.begin(), genericKeywords.end()));
    EXPECT_EQ(headlinePool(c).size(), 12u);
    EXPECT_EQ(bodyText(c), defaultBody);
    c.keywords = std::vector<std::string>{"ai", "x", "story"};
    const auto pool = keywordPool(c);
    ASSERT_EQ(pool.size(), 13u);
    EXPECT_EQ(pool[0], "AI");
    EXPECT_EQ(pool[1], "STORY");
    EXPECT_EQ(std::count(pool.begin(), pool.end(), "STORY"), 1);
    c.lines = std::vector<std::string>{"A", "B"};
    EXPECT_EQ(bodyText(c), defaultBody);
    EXPECT_EQ(headlinePool(c)[1], "B");
    c.lines = std::vector<std::string>{"A", "B", "C"};
    EXPECT_EQ(bodyText(c), "A. B. C. " + defaultBody);
}

TEST(EditorialMatchCut, FramesRunThroughAllSixteenLayouts)
{
    const std::vector<int> order{0, 5, 10, 15, 4, 9, 14, 3, 8, 13, 2, 7, 12, 1, 6, 11};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(templateIndex(i, 0), order[static_cast<std::size_t>(i)]);
    EXPECT_EQ(templateIndex(0, 1), 3);
    EXPECT_EQ(Ed::words(defaultBody, 400).size(), 55u);
    EXPECT_EQ(Ed::words("  one  two three ", 2), (std::vector<std::string>{"one", "two"}));
    EXPECT_TRUE(Ed::words("one", 0).empty());
}

TEST(EditorialMatchCut, PagesAreOpaqueDeterministicAndCarryTheStripe)
{
    const QSize size(270, 480);
    const MatchCut c = card();
    for (int i = 0; i < 16; ++i) {
        const auto a = MatchCutRenderer::frame(c, i, size);
        ASSERT_TRUE(a) << i;
        // Frames 0 to 3 show the four layouts with body text set in boxes.
        if (i < 4) {
            EXPECT_EQ(*a, *MatchCutRenderer::frame(c, i, size)) << i;
        }
        EXPECT_EQ(qAlpha(a->pixel(0, 0)), 255);
        // Just left of the word inside the stripe the highlighter shows.
        const auto layout = MatchCutRenderer::Layout::make(MatchCutRenderer::displayWord(c, i),
                                                           MatchCutRenderer::fonts(c.style), QSizeF(size), c.style,
                                                           std::string("Focus"));
        const QRectF box = layout.box(MatchCutRenderer::frameFont(c, i));
        const QColor stripe = a->pixelColor(static_cast<int>(box.left() - 0.15 * layout.capHeight),
                                            size.height() - static_cast<int>(layout.center.y()));
        EXPECT_GT(stripe.red(), 200) << i;
        EXPECT_LT(stripe.blue(), 140) << i;
    }
    // The generator has advanced past the grain's 10,240 draws.
    SeededRandom rng = MatchCutRenderer::frameRandom(c, 0), expected = rng;
    for (int k = 0; k < 10240; ++k) expected.next();
    const auto layout = MatchCutRenderer::Layout::make("focus", {"Georgia-Bold"}, QSizeF(size), c.style);
    ASSERT_TRUE(frame(c, 0, "Georgia-Bold", layout, size, rng));
    EXPECT_EQ(rng.state, expected.state);
    EXPECT_FALSE(frame(c, 0, "Georgia-Bold", layout, QSize(0, 0), rng));
}

TEST(EditorialMatchCut, LayoutsUseTheCardsTexts)
{
    // A frame whose layout reads the headlines changes when the card's own
    // lines change, and one that reads only keywords does not.
    const QSize size(270, 480);
    MatchCut plain = card(), lined = card();
    lined.lines = std::vector<std::string>{"Tiny words", "Other words here"};
    EXPECT_NE(*MatchCutRenderer::frame(plain, 0, size), *MatchCutRenderer::frame(lined, 0, size));  // layout 0
    EXPECT_EQ(*MatchCutRenderer::frame(plain, 7, size), *MatchCutRenderer::frame(lined, 7, size));  // layout 3
}

}  // namespace
}  // namespace vt
