#include "audio/AudioCleaner.h"
#include "audio/Leveler.h"
#include "audio/NoiseReducer.h"
#include "audio/PeakLimiter.h"
#include "audio/STFT.h"
#include "audio/SpeechMask.h"
#include "audio/VoiceEQ.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace vt {
namespace {

std::vector<float> noise(std::size_t count, float amplitude, unsigned seed = 7)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> u(-amplitude, amplitude);
    std::vector<float> out(count);
    for (float& x : out) x = u(random);
    return out;
}

// Feeds `input` in uneven blocks, then n zeros, and gives the first
// input-length samples that came out.
std::vector<float> throughSTFT(const std::vector<float>& input, const STFT::Step& step)
{
    STFT stft(2048, 512);
    std::vector<float> out;
    std::size_t at = 0;
    for (std::size_t block : {1u, 700u, 3000u, 5u, 9000u}) {
        const std::size_t take = std::min(block, input.size() - at);
        auto got = stft.feed(input.data() + at, take, step);
        out.insert(out.end(), got.begin(), got.end());
        at += take;
    }
    auto rest = stft.feed(input.data() + at, input.size() - at, step);
    out.insert(out.end(), rest.begin(), rest.end());
    auto tail = stft.feed(std::vector<float>(2048, 0.0f), step);
    out.insert(out.end(), tail.begin(), tail.end());
    out.resize(input.size());
    return out;
}

TEST(STFT, UnchangedSpectraGiveBackTheStreamAlignedWithTheInput)
{
    const auto input = noise(20000, 0.5f);
    const auto out = throughSTFT(input, nullptr);
    for (std::size_t i = 0; i < input.size(); ++i) ASSERT_NEAR(out[i], input[i], 2e-5) << i;
}

TEST(STFT, GainsApplyToEveryBinIncludingDCAndNyquist)
{
    const std::vector<float> half(1025, 0.5f);
    auto input = noise(20000, 0.5f);
    for (std::size_t i = 0; i < input.size(); ++i) input[i] += 0.3f + (i % 2 ? 0.2f : -0.2f);  // DC and Nyquist content
    const auto out = throughSTFT(input, [&](const STFT::Spectrum&, std::int64_t) { return &half; });
    for (std::size_t i = 0; i < input.size(); ++i) ASSERT_NEAR(out[i], 0.5f * input[i], 2e-5) << i;
}

TEST(STFT, FirstSamplesStayInsideUntilFramesCompleteAndFramesStartBeforeZero)
{
    STFT stft(2048, 512);
    std::vector<std::int64_t> starts;
    const STFT::Step record = [&](const STFT::Spectrum& s, std::int64_t start) -> const std::vector<float>* {
        EXPECT_EQ(s.power.size(), 1025u);
        starts.push_back(start);
        return nullptr;
    };
    EXPECT_TRUE(stft.feed(std::vector<float>(511, 0.1f), record).empty());
    // 2,048 fed: four frames of 512 = 2,048 samples, of which the first 1,536 are dropped.
    EXPECT_EQ(stft.feed(std::vector<float>(1537, 0.1f), record).size(), 512u);
    EXPECT_EQ(starts, (std::vector<std::int64_t>{-1536, -1024, -512, 0}));
}

TEST(NoiseProfile, MeanOfPausesOrMinimumStatisticsWithFewPauses)
{
    NoiseProfile many(2);
    for (int i = 0; i < 20; ++i) many.add({float(i % 2 ? 3 : 1), 5}, true);
    many.add({100, 100}, false);
    EXPECT_EQ(many.estimate(), (std::vector<float>{2, 5}));

    NoiseProfile few(2);
    few.add({10, 4}, true);
    few.add({0, 4}, false);  // smoothed 0.1·0 + 0.9·10 = 9
    EXPECT_FLOAT_EQ(few.estimate()[0], 1.6f * 9);
    EXPECT_FLOAT_EQ(few.estimate()[1], 1.6f * 4);
    EXPECT_EQ(NoiseProfile(3).estimate(), (std::vector<float>{0, 0, 0}));
}

TEST(NoiseReducer, RawGainsAndTheirSmoothingInTime)
{
    const double strength = 0.6;
    const auto all = [](float v) { return std::vector<float>(8, v); };
    NoiseReducer r(all(1), strength);
    const float floor = r.floor();
    EXPECT_NEAR(floor, std::pow(10.0, -16.8 / 20), 1e-6);
    EXPECT_FLOAT_EQ(r.overSubtract(), 2.5f);

    // Power equal to the subtracted noise: raw gain 0, the floor; from 1 it closes slowly.
    EXPECT_FLOAT_EQ(r.gains(all(2.5f))[3], 0.25f * floor + 0.75f);
    for (int i = 0; i < 200; ++i) r.gains(all(0));
    EXPECT_NEAR(r.gains(all(0))[3], floor, 1e-6);
    // Ratio 100: raw gain 0.99, opening quickly from the floor.
    EXPECT_NEAR(r.gains(all(250))[3], 0.7f * 0.99f + 0.3f * floor, 1e-6);

    // A silent bin gets the floor even where no noise was heard.
    NoiseReducer silent(all(0), strength);
    for (int i = 0; i < 200; ++i) silent.gains(all(0));
    EXPECT_NEAR(silent.gains(all(0))[0], floor, 1e-6);
}

TEST(NoiseReducer, SmoothsAcrossFrequencyExceptTheEdgeBins)
{
    NoiseReducer r(std::vector<float>(5, 1), 0.0);  // no over-subtraction, floor −6 dB
    const auto& g = r.gains({1000, 1000, 1, 1000, 1000});
    const float open = 0.25f * (1 - 1e-3f) + 0.75f;  // raw 0.999 after the slow close from 1
    const float shut = 0.25f * r.floor() + 0.75f;
    EXPECT_FLOAT_EQ(g[0], open);
    EXPECT_FLOAT_EQ(g[1], 0.75f * open + 0.25f * shut);
    EXPECT_FLOAT_EQ(g[2], 0.5f * open + 0.5f * shut);
    EXPECT_FLOAT_EQ(g[4], open);
}

TEST(VoiceEQ, OffPassesUnchangedOnRemovesDCAndBlocksMatchOneCall)
{
    std::vector<float> dc(48000, 0.5f);
    VoiceEQ off(48000, false);
    auto same = dc;
    off.process(same);
    EXPECT_EQ(same, dc);

    VoiceEQ on(48000, true);
    ASSERT_EQ(on.filters.size(), 4u);
    on.process(dc);
    EXPECT_LT(std::fabs(dc.back()), 1e-4);

    const auto input = noise(5000, 0.5f);
    auto whole = input, split = input;
    VoiceEQ a(44100, true), b(44100, true);
    a.process(whole);
    b.process(split.data(), 1234);
    b.process(split.data() + 1234, split.size() - 1234);
    EXPECT_EQ(whole, split);
}

TEST(Leveler, QuietPassesAndLoudIsTurnedDownBySlopeTimesExcess)
{
    Leveler quiet(0.4, 48000);
    EXPECT_FLOAT_EQ(quiet.threshold(), -24);
    std::vector<float> soft(48000);
    for (std::size_t i = 0; i < soft.size(); ++i) soft[i] = 0.05f * std::sin(float(i) * 0.05f);  // about −29 dB of power
    auto out = soft;
    quiet.process(out);
    EXPECT_EQ(out, soft);
    std::vector<float> silence(100, 0.0f);
    quiet.process(silence);
    EXPECT_EQ(silence, std::vector<float>(100, 0.0f));

    Leveler loud(0.4, 48000);
    std::vector<float> square(48000);
    for (std::size_t i = 0; i < square.size(); ++i) square[i] = (i / 50) % 2 ? 1.0f : -1.0f;
    loud.process(square);
    EXPECT_NEAR(20 * std::log10(std::fabs(square.back())), -0.615 * 24, 0.1);
}

TEST(PeakLimiter, APeakComesOutAtTheCeilingAfterTheLagAndTheGainRecovers)
{
    const float ceiling = AudioCleaner::limiterCeiling;
    PeakLimiter limiter(48000, ceiling);
    ASSERT_EQ(limiter.lookahead(), 240);
    std::vector<float> x(48000, 0.0f);
    x[100] = 2.0f;
    x[100 + 239 + 4000] = 0.5f;  // a probe 4,000 samples after the peak left
    limiter.process(x);
    EXPECT_FLOAT_EQ(x[100 + 239], ceiling);
    EXPECT_EQ(x[100 + 238], 0.0f);
    const float released = x[100 + 239 + 4000 + 239];
    EXPECT_GT(released, 0.5f * ceiling / 2.0f);
    EXPECT_LT(released, 0.5f);

    PeakLimiter hot(44100, ceiling);
    auto loud = noise(44100, 3.0f);
    hot.process(loud.data(), 1000);
    hot.process(loud.data() + 1000, loud.size() - 1000);
    for (float v : loud) ASSERT_LE(std::fabs(v), ceiling);
}

TEST(SpeechMask, ContainsWithAndWithoutMargin)
{
    const SpeechMask mask{{{1, 2}, {3, 3.5}, {10, 11}}};
    struct Case {
        double t, margin;
        bool expected;
    };
    for (const Case& c : {Case{1.5, 0, true}, Case{2.05, 0, false}, Case{2.05, 0.12, true}, Case{0.9, 0.12, true},
                          Case{5, 0.12, false}, Case{10, 0, true}, Case{11.2, 0.12, false}, Case{3.5, 0, true}})
        EXPECT_EQ(mask.contains(c.t, c.margin), c.expected) << c.t << " ± " << c.margin;
    EXPECT_FALSE(SpeechMask{}.contains(0));

    // A long word that overlaps the next ones still covers the time after them.
    const SpeechMask overlapping = SpeechMask::make({{3, 4}, {0, 10}, {1, 2}});
    EXPECT_TRUE(overlapping.contains(5));
    EXPECT_EQ(overlapping.ranges.size(), 1u);
}

TEST(AudioCleaner, MakeUpGain)
{
    const double target = AudioCleaner::targetSpeechRMS;
    struct Case {
        double sumOfSquares;
        std::int64_t count;
        bool normalize;
        float expected;
    };
    for (const Case& c : {Case{1, 1, false, 1.0f}, Case{0, 0, true, float(target / 0.05)}, Case{1e-12, 1, true, 10.0f},
                          Case{0.6 * 0.6, 1, true, 0.25f}, Case{target * target * 4, 4, true, 1.0f}})
        EXPECT_FLOAT_EQ(AudioCleaner::makeUpGain(c.sumOfSquares, c.count, c.normalize), c.expected) << c.sumOfSquares;
}

}  // namespace
}  // namespace vt
