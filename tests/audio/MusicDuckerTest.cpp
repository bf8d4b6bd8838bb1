#include "audio/MusicDucker.h"

#include <gtest/gtest.h>

using namespace vt;
using MusicDucker::Point;

namespace {

BackgroundMusic music(double volume, double ducking, double fadeIn, double fadeOut)
{
    BackgroundMusic m;
    m.volume = volume;
    m.ducking = ducking;
    m.fadeIn = fadeIn;
    m.fadeOut = fadeOut;
    return m;
}

void expectCurve(const std::vector<Point>& got, const std::vector<Point>& want)
{
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_NEAR(got[i].time, want[i].time, 1e-9) << i;
        EXPECT_NEAR(got[i].gain, want[i].gain, 1e-4) << i;
    }
}

}  // namespace

TEST(MusicDucker, PhrasesJoinRangesLessThanASecondApart)
{
    const auto joined = MusicDucker::phrases({{2.9, 4}, {1, 2}});
    ASSERT_EQ(joined.size(), 1u);
    EXPECT_EQ(joined[0], (ClosedRange<double>{1, 4}));
    EXPECT_EQ(MusicDucker::phrases({{1, 2}, {3, 4}}).size(), 2u) << "a gap of exactly 1 s does not join";
}

TEST(MusicDucker, CurveDucksUnderSpeechAndFadesLinearly)
{
    expectCurve(MusicDucker::curve(10, {}, music(0, 14, 0, 0)), {{0, 1}, {10, 1}});
    expectCurve(MusicDucker::curve(10, {{2, 5}}, music(0, 12, 0, 0)),
                {{0, 1}, {1.7, 1}, {1.95, 0.2512}, {5.1, 0.2512}, {5.6, 1}, {10, 1}});
    // Speech at 0.1 s: fully down by 0.05 s.
    const auto early = MusicDucker::curve(10, {{0.1, 1}}, music(0, 12, 0, 0));
    EXPECT_NEAR(MusicDucker::value(early, 0.05), 0.2512, 1e-4);
    EXPECT_NEAR(MusicDucker::value(early, 0), 1, 1e-9);

    const auto faded = MusicDucker::curve(10, {}, music(0, 14, 0.25, 1));
    expectCurve({faded.begin(), faded.begin() + 3}, {{0, 0}, {0.1, 0.4}, {0.2, 0.8}});
    EXPECT_NEAR(MusicDucker::value(faded, 9.5), 0.5, 1e-9);
    EXPECT_NEAR(faded.back().gain, 0, 1e-12);
    EXPECT_TRUE(MusicDucker::curve(0, {{1, 2}}, music(0, 14, 0, 0)).empty());
}
