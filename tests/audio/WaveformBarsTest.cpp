#include "audio/WaveformBars.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

EditPlan plan(std::vector<EditPlan::Segment> segments) { return {std::move(segments)}; }

TEST(WaveformBars, WithoutPeaksOrOutputEveryBarIsTheUnknownHeight)
{
    EXPECT_TRUE(Waveform::bars({0.5f}, 0, plan({{0, 1, 0}})).empty());
    EXPECT_EQ(Waveform::bars({}, 3, plan({{0, 1, 0}})), std::vector<float>(3, 0.08f));
    EXPECT_EQ(Waveform::bars({0.5f}, 2, EditPlan{}), std::vector<float>(2, 0.08f));
}

TEST(WaveformBars, EachBarKeepsTheLoudestPeakItSamplesAtLeastTheFloor)
{
    // 2 s of output in 400 bars: one sample per bar, at its middle.
    std::vector<float> peaks(100, 0.0f);
    peaks[10] = 0.9f;
    const auto few = Waveform::bars(peaks, 400, plan({{0, 2, 0}}));
    ASSERT_EQ(few.size(), 400u);
    EXPECT_EQ(few[40], 0.9f);  // bar 40 samples 0.2025 s, peak 10
    EXPECT_EQ(few[39], 0.06f);
    EXPECT_EQ(few[44], 0.06f);

    // 60 s in 100 bars: 12 samples of the 30 peaks under each bar.
    std::vector<float> long_(3000, 0.1f);
    long_[451] = 0.7f;   // sampled: t = 9.025 s in bar 15 (9.0…9.6 s)
    long_[452] = 0.95f;  // between two samples: not seen
    const auto many = Waveform::bars(long_, 100, plan({{0, 60, 0}}));
    EXPECT_EQ(many[15], 0.7f);
    EXPECT_EQ(many[14], 0.1f);
}

TEST(WaveformBars, BarsOverACutReadThePeaksAfterIt)
{
    std::vector<float> peaks(200, 0.2f);
    for (int i = 50; i < 100; ++i) peaks[std::size_t(i)] = 1.0f;  // 1…2 s, cut out
    const auto bars = Waveform::bars(peaks, 20, plan({{0, 1, 0}, {2, 4, 1}}));
    for (float b : bars) EXPECT_EQ(b, 0.2f);
}

TEST(WaveformBars, VoiceBarsFollowTheTakeOnTheOutput)
{
    // A take from 10 s lasting 5 s, in 30 s of output and 30 bars.
    std::vector<float> take(250, 0.3f);
    take[50] = 0.8f;  // read by bar 10 (peaks 0…50) and bar 11
    const auto bars = Waveform::voiceBars(take, 30, 30, 10, 5);
    for (int i : {0, 9, 15, 29}) EXPECT_EQ(bars[std::size_t(i)], 0.06f) << i;
    EXPECT_EQ(bars[10], 0.8f);
    EXPECT_EQ(bars[11], 0.8f);
    EXPECT_EQ(bars[12], 0.3f);
    EXPECT_EQ(Waveform::voiceBars({}, 4, 30, 10, 5), std::vector<float>(4, 0.06f));
}

}  // namespace
}  // namespace vt
