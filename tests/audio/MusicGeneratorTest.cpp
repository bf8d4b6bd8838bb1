#include "audio/MusicGenerator.h"

#include "audio/SoundFixtures.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vt {
namespace {

using MusicGenerator::Mood;

const Mood& mood(const std::string& id)
{
    for (const Mood& m : MusicGenerator::moods())
        if (m.id == id) return m;
    throw std::runtime_error("no mood " + id);
}

float largestStep(const std::vector<float>& x, std::size_t from, std::size_t to)
{
    float step = 0;
    for (std::size_t i = from; i + 1 < to; ++i) step = std::max(step, std::fabs(x[i + 1] - x[i]));
    return step;
}

TEST(MusicGenerator, TheFourMoodsInOrder)
{
    const auto& moods = MusicGenerator::moods();
    ASSERT_EQ(moods.size(), 4u);
    EXPECT_EQ(moods[0].name, "Lo-fi Chill");
    EXPECT_EQ(moods[1].detail, "Bright plucks, four-on-the-floor \u00b7 118 BPM");
    EXPECT_EQ(moods[2].chords[2], (std::vector<int>{48, 52, 55}));
    EXPECT_EQ(moods[3].style, MusicGenerator::Style::ambient);
    EXPECT_EQ(moods[3].bpm, 72);
}

struct LoopCase {
    const char* id;
    std::int64_t length;  // samples at 44.1 kHz
    friend void PrintTo(const LoopCase& c, std::ostream* out) { *out << c.id; }
};

class MusicLoop : public testing::TestWithParam<LoopCase> {};

// Played end to start, the seam is no rougher than the loop itself: what
// rings past the end carries on at the start instead of stopping dead.
TEST_P(MusicLoop, HasTheExactLengthAndRepeatsWithoutASeam)
{
    const Mood& m = mood(GetParam().id);
    EXPECT_EQ(MusicGenerator::loopLength(m), GetParam().length);
    const auto loop = MusicGenerator::render(m, 11);
    ASSERT_EQ(std::int64_t(loop.left.size()), GetParam().length);
    ASSERT_EQ(loop.right.size(), loop.left.size());
    float peak = 0;
    for (const auto* channel : {&loop.left, &loop.right}) {
        const auto& x = *channel;
        const std::size_t n = x.size();
        const float seam = std::fabs(x.front() - x.back());
        const std::size_t near = 4410;  // 0.1 s either side of the seam
        EXPECT_LE(seam, std::max(largestStep(x, 0, near), largestStep(x, n - near, n))) << "a click where the loop repeats";
        for (float v : x) peak = std::max(peak, std::fabs(v));
    }
    EXPECT_NEAR(peak, std::tanh(0.935f) / std::tanh(1.1f), 1e-4);
}

INSTANTIATE_TEST_SUITE_P(Moods, MusicLoop,
                         testing::Values(LoopCase{"lofi", 1'058'400}, LoopCase{"upbeat", 717'559}, LoopCase{"cinematic", 1'209'600},
                                         LoopCase{"ambient", 1'176'000}),
                         [](const auto& info) { return std::string(info.param.id); });

TEST(MusicGenerator, DrumsRepeatExactlyAndOscillatorPhasesVary)
{
    // Upbeat's first sounds are a kick and plucks; its second beat's clap is
    // noise. Two seeds share the drums but not the phases.
    const auto a = MusicGenerator::render(mood("upbeat"), 1);
    const auto b = MusicGenerator::render(mood("upbeat"), 1);
    const auto c = MusicGenerator::render(mood("upbeat"), 2);
    EXPECT_EQ(a.left, b.left);
    EXPECT_NE(a.left, c.left);
}

TEST(MusicGenerator, EnsureWritesTheLoopOnceUnderTheMoodsName)
{
    test::TempDir data;
    test::ScopedEnv env("XDG_DATA_HOME", data.path().string());
    std::vector<double> progress;
    const auto file = MusicGenerator::ensure(mood("upbeat"), [&](double f) { progress.push_back(f); });
    EXPECT_EQ(file, data / "Vellumtide/Music/upbeat-v1.m4a");
    const test::Mono decoded = test::readMono(file);
    EXPECT_EQ(decoded.rate, 44100);
    EXPECT_NEAR(double(decoded.samples.size()), 717'559, 2048);
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), 1.0);

    // Whatever is there is the mood's file from then on; nothing is rendered again.
    test::writeFile(file, "not audio");
    EXPECT_EQ(MusicGenerator::ensure(mood("upbeat")), file);
    EXPECT_EQ(test::readFile(file), "not audio");
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(file.parent_path())) ++entries;
    EXPECT_EQ(entries, 1u);
}

}  // namespace
}  // namespace vt
