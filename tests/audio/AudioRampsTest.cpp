#include "audio/AudioRamps.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vt;

namespace {

void expectRamp(const VolumeRamp& r, double start, double end, double from, double to)
{
    EXPECT_NEAR(r.start, start, 1e-9);
    EXPECT_NEAR(r.end, end, 1e-9);
    EXPECT_NEAR(r.from, from, 1e-5);
    EXPECT_NEAR(r.to, to, 1e-5);
}

}  // namespace

TEST(AudioRamps, FlatAndStraightStretchesBecomeOneRamp)
{
    const auto flat = [](double) { return 0.5; };
    for (const std::vector<double>& knots : {std::vector<double>{}, std::vector<double>{2, 4, 6, 6, -3, 40}}) {
        const auto ramps = AudioRamps::ramps(flat, knots, 0, 10, 0.05);
        ASSERT_EQ(ramps.size(), 1u);
        expectRamp(ramps[0], 0, 10, 0.5, 0.5);
    }
    const auto line = AudioRamps::ramps([](double t) { return 0.1 * t; }, {}, 0, 10, 0.05);
    ASSERT_EQ(line.size(), 1u);
    expectRamp(line[0], 0, 10, 0.0000001, 0.9999999);
}

TEST(AudioRamps, CurvesAreCutIntoShortPiecesOnce)
{
    // A squared two-second fade-in, then flat.
    const auto fade = [](double t) { return t < 2 ? std::pow(std::clamp(t / 2, 0.0, 1.0), 2) : 1.0; };
    const auto ramps = AudioRamps::ramps(fade, {0, 2, 10}, 0, 10, 0.05);
    ASSERT_EQ(ramps.size(), 41u);
    expectRamp(ramps[0], 0, 0.05, fade(0.000001), fade(0.05));
    expectRamp(ramps[39], 1.95, 2, fade(1.95), fade(2 - 0.000001));
    expectRamp(ramps[40], 2, 10, 1, 1);

    const auto bend = AudioRamps::ramps([](double t) { return t * t * 100; }, {}, 0, 0.04, 0.05);
    ASSERT_EQ(bend.size(), 2u) << "never fewer than two pieces";
    EXPECT_NEAR(bend[0].end, 0.02, 1e-12);
}

TEST(AudioRamps, JumpsAreTakenFromTheirOwnSideAndTinySpansGiveNothing)
{
    const auto step = [](double t) { return t < 5 ? 1.0 : 0.5; };
    const auto ramps = AudioRamps::ramps(step, {5}, 0, 10, 0.05);
    ASSERT_EQ(ramps.size(), 2u);
    expectRamp(ramps[0], 0, 5, 1, 1);
    expectRamp(ramps[1], 5, 10, 0.5, 0.5);

    EXPECT_TRUE(AudioRamps::ramps(step, {}, 3, 3, 0.05).empty());
    const auto close = AudioRamps::ramps(step, {5, 5.000005}, 5 - 0.000002, 5.000005, 0.05);
    for (const VolumeRamp& r : close) EXPECT_GT(r.end - r.start, 0.00001);
}
