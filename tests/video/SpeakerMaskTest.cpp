// The person mask behind captions: the same picture gives the same mask, and
// a picture that hardly moved gives a mask that hardly changed (no flicker).
#include "support/TalkingHead.h"
#include "video/SpeakerMask.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace vt {
namespace {

int flipped(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) n += std::abs(a.constScanLine(y)[x] - b.constScanLine(y)[x]) > 128;
    return n;
}

TEST(SpeakerMask, SteadyFromFrameToFrame)
{
    const QImage frame = test::talkingHead(540, 960, true, 0.3);
    const auto mask = SpeakerMask::mask(frame);
    ASSERT_TRUE(mask);
    ASSERT_EQ(mask->size(), frame.size());
    ASSERT_EQ(mask->format(), QImage::Format_Grayscale8);
    EXPECT_EQ(mask->pixelColor(270, 330).red(), 255);  // the face
    EXPECT_EQ(mask->pixelColor(20, 100).red(), 0);     // the backdrop
    EXPECT_EQ(*SpeakerMask::mask(frame), *mask);

    // The speaker one pixel to the right: at most a sliver changes sides.
    const auto moved = SpeakerMask::mask(test::talkingHead(540, 960, true, 0.3, 0.5 + 1.0 / 540));
    ASSERT_TRUE(moved);
    EXPECT_LT(flipped(*mask, *moved), 540 * 960 / 500);

    EXPECT_FALSE(SpeakerMask::mask(test::talkingHead(540, 960, false)));
}

}  // namespace
}  // namespace vt
