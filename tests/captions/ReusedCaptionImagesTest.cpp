// A caption image (or hook title) taken from an earlier frame is the image that frame's own
// drawing gives, pixel for pixel, in the built-in looks (entrances, exits,
// highlights, sweeps, chat threads) across a whole group; the caption's own
// rectangle is that image's inked part; and frames that hold still do take an
// earlier image.
#include "CaptionTestSupport.h"
#include "captions/presets/StylePresets.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <set>

namespace vt {
namespace {

using test::makeGroup;

// One built-in look for each mix of the animated and layered effects, which
// covers every way a look changes from frame to frame.
std::vector<CaptionStyle> oneLookPerKind()
{
    std::set<std::vector<int>> seen;
    std::vector<CaptionStyle> looks;
    for (const CaptionStyle& look : StylePresets::all()) {
        const std::vector<int> kind{int(look.animation), int(look.highlight), look.exitAnimation ? int(*look.exitAnimation) : -1,
                                    look.container ? int(*look.container) : -1, look.shineSweep.has_value(),
                                    look.sticker.has_value(), look.tornPaper.has_value(), look.ransom.value_or(false),
                                    look.ransomLive.value_or(false), look.neonFrame.has_value(), look.wipeColor.has_value(),
                                    look.glowColor.has_value(), look.shadowColor.has_value(), look.chatThread.value_or(false)};
        if (seen.insert(kind).second) looks.push_back(look);
    }
    return looks;
}

TEST(ReusedCaptionImages, EveryBuiltInLookDrawsTheSamePixelsFromAnEarlierFrame)
{
    // Two groups close enough for a chat thread to stack them.
    auto first = makeGroup({"this", "is", "how"}, 0.2, 0);
    auto second = makeGroup({"we", "make", "it", "land"}, first.end, 1);
    const std::vector<CaptionGroup> groups{first, second};
    const QSizeF size(216, 384);
    int reused = 0;
    QImage blank(size.toSize(), QImage::Format_ARGB32_Premultiplied);
    blank.fill(0);
    for (const CaptionStyle& look : oneLookPerKind()) {
        SCOPED_TRACE(look.id);
        qint64 previous = 0;
        for (double t = second.start; t < second.end; t += 1.0 / 15) {
            // Drawn afresh: the whole frame as one drawing, or with a chat
            // thread's earlier bubbles by the image function itself.
            const bool thread = look.chatThread.value_or(false);
            const auto fresh = thread ? CaptionRenderer::captionImage(groups, look, t, size, false)
                                      : std::optional(test::render(second, look, t, size.toSize()));
            const auto taken = CaptionRenderer::captionImage(groups, look, t, size, true);
            ASSERT_EQ(fresh.has_value(), taken.has_value()) << t;
            if (!fresh) continue;
            ASSERT_EQ(taken->size(), fresh->size());
            ASSERT_EQ(taken->format(), fresh->format());
            ASSERT_EQ(test::differingPixels(*taken, *fresh, 0), 0) << "at " << t;
            const auto layer = CaptionRenderer::captionLayer(groups, look, t, size);
            ASSERT_TRUE(layer);
            QImage rest = *taken;  // what lies outside the layer is blank
            if (!layer->image.isNull()) {
                const QRect inked(layer->at, layer->image.size());
                ASSERT_EQ(layer->image, taken->copy(inked));
                QPainter clear(&rest);
                clear.setCompositionMode(QPainter::CompositionMode_Source);
                clear.fillRect(inked, Qt::transparent);
            }
            ASSERT_EQ(rest, blank);
            if (!layer->image.isNull() && layer->image.cacheKey() == previous) ++reused;
            previous = layer->image.cacheKey();
        }
    }
    // Most looks hold still once their words are in.
    EXPECT_GT(reused, 300);
}

// The hook title pops in, holds and fades out: every frame the same as drawn
// afresh, and the frames it holds still take an earlier image.
TEST(ReusedCaptionImages, HookTitleDrawsTheSamePixelsFromAnEarlierFrame)
{
    const HookOverlay hook{"Wait for the end", 1.5};
    const QSizeF size(216, 384);
    int reused = 0;
    qint64 previous = 0;
    for (double t = 0; t < hook.duration; t += 1.0 / 30) {
        const auto fresh = CaptionRenderer::hookImage(hook, t, size, false);
        const auto taken = CaptionRenderer::hookImage(hook, t, size, true);
        ASSERT_TRUE(fresh && taken) << t;
        ASSERT_EQ(test::differingPixels(*taken, *fresh, 0), 0) << "at " << t;
        const auto layer = CaptionRenderer::hookLayer(hook, t, size);
        ASSERT_TRUE(layer);
        if (!layer->image.isNull() && layer->image.cacheKey() == previous) ++reused;
        previous = layer->image.cacheKey();
    }
    EXPECT_GT(reused, 20);
}

}  // namespace
}  // namespace vt
