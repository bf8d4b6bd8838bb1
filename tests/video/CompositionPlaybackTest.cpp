#include "support/TestVideos.h"
#include "video/CompositionBuilder.h"
#include "video/CompositionFrames.h"
#include "video/CompositionMixer.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vt;
using vt::test::makeCountingVideo;
using vt::test::keptPlan;
using vt::test::TempDir;

namespace {


BuildResult buildOne(const std::filesystem::path& file, double duration, const EditPlan& kept, double gain = 1)
{
    BuildRequest request;
    request.clips = {{Uuid::random(), file, 0, duration, SourceVideoInfo{}, std::nullopt, gain}};
    request.plan = kept;
    return CompositionBuilder::build(request);
}

double rms(const std::vector<float>& samples, std::size_t from, std::size_t to)
{
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += double(samples[i]) * samples[i];
    return std::sqrt(sum / double(to - from));
}

}  // namespace

TEST(CompositionFrames, DecodesEachTracksPictureThroughItsEditList)
{
    TempDir dir;
    auto clip = makeCountingVideo(dir, "clip.mp4", {.rate = 5, .frames = 20});  // 4 s, a frame every 0.2 s
    const BuildResult built = buildOne(clip, 4, keptPlan({{0.4, 1.0}, {2.0, 3.0}}));
    CompositionFrames frames(built.composition, 32, 32);
    const std::int32_t track = built.clipTracks.at(0).trackID;
    struct Case {
        double output;
        int frame;  // -1: none
    };
    for (const Case& c : {Case{0.7, 10}, Case{0.3, 3}, Case{1.59, 14}, Case{0.0, 2}, Case{1.6, -1}}) {
        const auto image = frames.frame(track, c.output);
        if (c.frame < 0) {
            EXPECT_FALSE(image) << "past the end of the composition";
            continue;
        }
        ASSERT_TRUE(image) << c.output;
        EXPECT_EQ(image->width(), 32);
        EXPECT_EQ(vt::test::countedFrame(image->constScanLine(image->height() / 2) + image->width() * 2), c.frame) << c.output;
    }
    EXPECT_FALSE(frames.frame(track + 100, 0.5));
}

TEST(CompositionMixer, MixesEveryTrackAtItsLevelWithSilentCuts)
{
    TempDir dir;
    auto clip = makeCountingVideo(dir, "voiced.mov", {.rate = 5, .frames = 20, .sound = true});  // 440 Hz at 0.5
    const BuildResult built = buildOne(clip, 4, keptPlan({{0, 1}, {2, 3}}), 0.5);
    CompositionMixer mixer(built.composition, built.audioMix);
    const media::AudioBuffer whole = mixer.render(48000 * 5 / 2);
    ASSERT_EQ(whole.planes.size(), 2u);
    const auto& left = whole.planes[0];
    const double tone = 0.5 / std::sqrt(2.0);
    EXPECT_NEAR(rms(left, 4800, 43200), tone * 0.5, 0.01) << "the clip's gain";
    EXPECT_NEAR(rms(left, 52800, 91200), tone * 0.5, 0.01);
    EXPECT_LT(rms(left, 47990, 48010), 0.01) << "the cut falls silent";
    EXPECT_EQ(rms(left, 96100, 120000), 0) << "nothing sounds past the end";
    EXPECT_EQ(mixer.position(), 120000);

    // Rendering block by block, or after a seek back, gives the same samples.
    mixer.seek(0);
    std::vector<float> blocks;
    while (blocks.size() < left.size()) {
        const auto block = mixer.render(1000);
        blocks.insert(blocks.end(), block.planes[0].begin(), block.planes[0].end());
    }
    blocks.resize(left.size());
    for (std::size_t i = 0; i < left.size(); i += 97) ASSERT_NEAR(blocks[i], left[i], 1e-6) << i;
}
