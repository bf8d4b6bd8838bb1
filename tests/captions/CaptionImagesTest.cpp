// The overlay images: which caption a time shows, chat threads stacking
// earlier bubbles, and the hook title.
#include "CaptionTestSupport.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

using test::makeGroup;
using test::plainLook;

const QSizeF kFrame(540, 960);

std::vector<CaptionGroup> numbered(std::vector<CaptionGroup> groups)
{
    for (std::size_t i = 0; i < groups.size(); ++i) groups[i].index = static_cast<int>(i);
    return groups;
}

TEST(CaptionImages, TheGroupShownAtATime)
{
    auto a = makeGroup({"first"}, 1.0);  // 1.0 to 1.8
    auto b = makeGroup({"second"}, 1.8);  // starts where a ends
    auto c = makeGroup({"third"}, 4.0);
    const auto groups = numbered({a, b, c});
    const CaptionStyle look = plainLook();
    auto shows = [&](double t) { return CaptionRenderer::captionImage(groups, look, t, kFrame); };
    EXPECT_FALSE(shows(0.5));
    EXPECT_FALSE(shows(3.0));  // a gap
    EXPECT_FALSE(shows(9.0));
    EXPECT_FALSE(CaptionRenderer::captionImage({}, look, 1.0, kFrame));
    // At exactly a's end, b is drawn.
    const auto atEnd = shows(1.8);
    ASSERT_TRUE(atEnd);
    const auto alone = CaptionRenderer::captionImage({groups[1]}, look, 1.8, kFrame);
    EXPECT_EQ(test::differingPixels(*atEnd, *alone, 0), 0);
    EXPECT_FALSE(CaptionRenderer::captionImage(groups, look, 1.0, QSizeF(0, 960)));
}

// Runs of bubble-coloured rows down one column: one per bubble, with its
// opacity read from the premultiplied blue channel (the bubble is full blue,
// its shadow black, so the shadow under it adds nothing there).
std::vector<int> bubbleAlphas(const QImage& image, int x)
{
    std::vector<int> alphas;
    bool inside = false;
    for (int y = image.height() - 1; y >= 0; --y) {
        const QColor c = test::pixelAt(image, x, y);
        const bool bubble = c.alpha() > 40 && c.blue() > 200 && c.red() < 60;
        if (bubble && !inside) alphas.push_back(0);
        if (bubble) alphas.back() = std::max(alphas.back(), qBlue(image.pixel(x, y)));  // past the antialiased edge
        inside = bubble;
    }
    return alphas;
}

std::vector<CaptionGroup> chat(const std::vector<double>& gaps)
{
    std::vector<CaptionGroup> groups;
    double start = 1.0;
    groups.push_back(makeGroup({"hey"}, start));
    for (double gap : gaps) {
        start = groups.back().words.back().end + gap;
        groups.push_back(makeGroup({"hey"}, start));
    }
    return numbered(groups);
}

TEST(CaptionImages, ChatThreadsStackUpToThreeEarlierBubbles)
{
    CaptionStyle look = plainLook();
    look.container = CaptionContainer::chatRight;
    look.chatThread = true;
    look.verticalPosition = 0.85;
    const int column = static_cast<int>(0.94 * kFrame.width() - 8);  // right of the text, inside the bubble

    auto groups = chat({1, 1, 1, 1});
    const double t = groups[4].start + 0.5;
    const QImage stacked = *CaptionRenderer::captionImage(groups, look, t, kFrame);
    test::writeReference("chat-thread", stacked);
    auto alphas = bubbleAlphas(stacked, column);
    ASSERT_EQ(alphas.size(), 4u);
    EXPECT_EQ(alphas[0], 255);
    EXPECT_NEAR(alphas[1], 0.88 * 255, 2);
    EXPECT_NEAR(alphas[2], 0.76 * 255, 2);
    EXPECT_NEAR(alphas[3], 0.64 * 255, 2);

    // A pause of 2.5 s cuts the thread; 2.49 s keeps it.
    groups = chat({1, 2.5, 1});
    EXPECT_EQ(bubbleAlphas(*CaptionRenderer::captionImage(groups, look, groups[3].start + 0.5, kFrame), column).size(), 2u);
    groups = chat({1, 2.49, 1});
    EXPECT_EQ(bubbleAlphas(*CaptionRenderer::captionImage(groups, look, groups[3].start + 0.5, kFrame), column).size(), 4u);

    // While the next bubble follows on, the active one never fades out.
    groups = chat({1});
    const auto last = CaptionRenderer::captionImage(groups, look, groups[0].end - 0.01, kFrame);
    EXPECT_EQ(bubbleAlphas(*last, column), std::vector<int>{255});

    // Without chatThread, or in a notification card, only the active caption.
    groups = chat({1, 1});
    look.chatThread = false;
    EXPECT_EQ(bubbleAlphas(*CaptionRenderer::captionImage(groups, look, groups[2].start + 0.5, kFrame), column).size(), 1u);
}

TEST(CaptionImages, HookTitle)
{
    const HookOverlay hook{"Wait for it", 3};
    const QSizeF size(540, 960);
    const auto first = CaptionRenderer::hookImage(hook, 0, size);
    ASSERT_TRUE(first);
    EXPECT_EQ(test::inkCount(*first, 0), 0);  // fully transparent at time 0
    EXPECT_FALSE(CaptionRenderer::hookImage(hook, 3, size));
    EXPECT_FALSE(CaptionRenderer::hookImage(hook, -0.1, size));
    EXPECT_FALSE(CaptionRenderer::hookImage({" \t ", 3}, 1, size));
    EXPECT_FALSE(CaptionRenderer::hookImage({"\u00a0\u3000", 3}, 1, size));  // every space separator
    EXPECT_TRUE(CaptionRenderer::hookImage({"\n", 3}, 1, size));  // a line break is not trimmed

    const QImage shown = *CaptionRenderer::hookImage(hook, 1, size);
    // A white pill centred at 83% of the height from the bottom, black text on it.
    const QRect pill = test::inkBox(shown);
    EXPECT_NEAR(pill.center().x(), 270, 2);
    EXPECT_NEAR(pill.center().y(), 960 * 0.17, 2);
    EXPECT_EQ(test::pixelAt(shown, pill.left() + 5, pill.center().y()), QColor(Qt::white));
    bool black = false;
    for (int x = pill.left(); x < pill.right(); ++x) black |= test::pixelAt(shown, x, pill.center().y()) == QColor(Qt::black);
    EXPECT_TRUE(black);
    // The scale has settled at 0.3 s; leading spaces are drawn, not trimmed.
    EXPECT_EQ(test::inkBox(*CaptionRenderer::hookImage(hook, 0.3, size)), test::inkBox(*CaptionRenderer::hookImage(hook, 2, size)));
    EXPECT_GT(test::inkBox(*CaptionRenderer::hookImage({"    Wait for it", 3}, 1, size)).width(), pill.width());
}

}  // namespace
}  // namespace vt
