// A caption image taken from an earlier frame is the image that frame's own
// drawing gives, pixel for pixel, in every built-in look (entrances, exits,
// highlights, sweeps, chat threads) across whole groups; and frames that hold
// still do take an earlier image.
#include "CaptionTestSupport.h"
#include "captions/presets/StylePresets.h"

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
    for (const CaptionStyle& look : oneLookPerKind()) {
        SCOPED_TRACE(look.id);
        qint64 previous = 0;
        for (double t = second.start - 0.1; t < second.end; t += 1.0 / 15) {
            const auto fresh = CaptionRenderer::captionImage(groups, look, t, size, false);
            const auto taken = CaptionRenderer::captionImage(groups, look, t, size, true);
            ASSERT_EQ(fresh.has_value(), taken.has_value()) << t;
            if (!fresh) continue;
            ASSERT_EQ(taken->size(), fresh->size());
            ASSERT_EQ(taken->format(), fresh->format());
            ASSERT_EQ(test::differingPixels(*taken, *fresh, 0), 0) << "at " << t;
            if (taken->cacheKey() == previous) ++reused;
            previous = taken->cacheKey();
        }
    }
    // Most looks hold still once their words are in.
    EXPECT_GT(reused, 300);
}

}  // namespace
}  // namespace vt
