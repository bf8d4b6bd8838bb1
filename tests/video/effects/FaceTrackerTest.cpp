#include "video/effects/FaceTracker.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vt {
namespace {

using Raw = FaceTracker::Raw;

TEST(FaceTracker, SampleTimes)
{
    EXPECT_EQ(FaceTracker::sampleTimes(0), std::vector<double>{0});
    EXPECT_EQ(FaceTracker::sampleTimes(0.05), std::vector<double>{0});
    EXPECT_EQ(FaceTracker::sampleTimes(0.5), std::vector<double>{0});
    const auto minute = FaceTracker::sampleTimes(60);
    ASSERT_EQ(minute.size(), 120u);
    EXPECT_DOUBLE_EQ(minute.back(), 59.5);
    const auto long_ = FaceTracker::sampleTimes(1000);
    ASSERT_EQ(long_.size(), 400u);
    EXPECT_DOUBLE_EQ(long_[1], 2.5);
}

TEST(FaceTracker, FacePointOfTheLargestFaceOrTheOneNearestTheTrack)
{
    EXPECT_FALSE(FaceTracker::facePoint({}));
    EXPECT_FALSE(FaceTracker::facePoint({}, Point{0.5, 0.5}));
    // Equal areas: the first reported wins; the point is raised by 15 % of the height.
    const auto tie = FaceTracker::facePoint({{0.05, 0.1, 0.1, 0.1}, {0.1, 0.2, 0.2, 0.2}, {0.6, 0.6, 0.1, 0.4}});
    ASSERT_TRUE(tie);
    EXPECT_NEAR(tie->x, 0.2, 1e-12);
    EXPECT_NEAR(tie->y, 0.3 + 0.03, 1e-12);
    EXPECT_EQ(FaceTracker::facePoint({{0.4, 0.9, 0.2, 0.2}})->y, 1.0);  // capped at the top

    // With a track so far, the face nearest it wins over a larger one: a
    // speaker at the left stays framed when a bigger box shows at the right.
    const std::vector<FaceBox> two{{0.6, 0.3, 0.3, 0.4}, {0.2, 0.5, 0.1, 0.12}};
    EXPECT_NEAR(FaceTracker::facePoint(two)->x, 0.75, 1e-12);
    const auto near = FaceTracker::facePoint(two, Point{0.27, 0.6});
    ASSERT_TRUE(near);
    EXPECT_NEAR(near->x, 0.25, 1e-12);
    EXPECT_NEAR(near->y, 0.56 + 0.018, 1e-12);
    EXPECT_NEAR(FaceTracker::facePoint(two, Point{0.7, 0.4})->x, 0.75, 1e-12);
}

TEST(FaceTracker, TrackFillsSmoothsAndHoldsStill)
{
    EXPECT_FALSE(FaceTracker::build({}));
    EXPECT_FALSE(FaceTracker::build({{0, std::nullopt}, {0.5, std::nullopt}}));

    // Faces from the fifth frame on: the frames before take its point.
    std::vector<Raw> late;
    for (int i = 0; i < 12; ++i) late.push_back({i * 0.5, i < 4 ? std::nullopt : std::optional(Point{0.3, 0.6})});
    const auto held = FaceTracker::build(late);
    ASSERT_TRUE(held);
    ASSERT_EQ(held->samples.size(), 12u);
    for (const auto& s : held->samples) EXPECT_EQ((Point{s.x, s.y}), (Point{0.3, 0.6}));
    EXPECT_DOUBLE_EQ(held->samples[11].t, 5.5);

    // Jitter under the dead band keeps the first output point.
    std::vector<Raw> jitter;
    for (int i = 0; i < 20; ++i) jitter.push_back({i * 0.5, Point{0.5 + (i % 2 ? 0.02 : -0.02), 0.5}});
    const auto still = FaceTracker::build(jitter);
    ASSERT_TRUE(still);
    for (const auto& s : still->samples) EXPECT_EQ(s.x, still->samples.front().x);

    // A real move is followed, through the moving average of 7.
    std::vector<Raw> step;
    for (int i = 0; i < 14; ++i) step.push_back({i * 0.5, Point{i < 7 ? 0.2 : 0.8, 0.5}});
    const auto moved = FaceTracker::build(step);
    ASSERT_TRUE(moved);
    EXPECT_DOUBLE_EQ(moved->samples.front().x, 0.2);
    EXPECT_DOUBLE_EQ(moved->samples.back().x, 0.8);
    EXPECT_NEAR(moved->samples[7].x, (3 * 0.2 + 4 * 0.8) / 7, 1e-12);
}

TEST(FaceTracker, AVideoWithoutFacesGivesNoTrackAfterReadingEveryFrame)
{
    test::TempDir dir;
    const auto video = dir / "pattern.mp4";
    ASSERT_EQ(test::run("ffmpeg -v error -y -f lavfi -i testsrc2=s=160x120:r=10:d=3 -c:v libx264 -preset ultrafast -pix_fmt yuv420p " +
                        test::shellQuote(video.string())),
              0);
    std::vector<double> progress;
    EXPECT_FALSE(FaceTracker::analyze(video, 3, [&](double f) { progress.push_back(f); }));
    ASSERT_EQ(progress.size(), 6u);
    EXPECT_DOUBLE_EQ(progress.front(), 1.0 / 6);
    EXPECT_DOUBLE_EQ(progress.back(), 1.0);

    // An unreadable file is a video without faces, and reports nothing.
    progress.clear();
    EXPECT_FALSE(FaceTracker::analyze(dir / "missing.mp4", 3, [&](double f) { progress.push_back(f); }));
    EXPECT_TRUE(progress.empty());
}

// The speaker, framed at the left, is joined after a second by a larger
// face at the right (the same portrait, closer): the track stays on the
// speaker instead of jumping to the larger face.
TEST(FaceTracker, StaysWithTheSpeakerWhenALargerFaceShowsUp)
{
    test::TempDir dir;
    const auto video = dir / "two.mp4";
    const std::string portrait = test::shellQuote(test::sharedFixture("face-portrait.png").string());
    ASSERT_EQ(test::run("ffmpeg -v error -y -loop 1 -framerate 10 -i " + portrait +
                        " -f lavfi -i color=c=black:s=1280x720:r=10:d=3 -filter_complex "
                        "'[0:v]split[a][b];[a]scale=560:560[s];[b]scale=720:720[l];"
                        "[1:v][s]overlay=x=20:y=80:shortest=1[v];[v][l]overlay=x=560:y=0:enable=gte(t\\,1),format=yuv420p' "
                        "-t 3 -c:v libx264 -preset ultrafast " + test::shellQuote(video.string())),
              0);
    const auto track = FaceTracker::analyze(video, 3, {});
    ASSERT_TRUE(track);
    ASSERT_EQ(track->samples.size(), 6u);
    // The speaker's face is centred at x = (20 + 225 / 512 × 560) / 1280 = 0.21.
    for (const auto& s : track->samples) EXPECT_NEAR(s.x, 0.21, 0.03) << "at " << s.t << " s";
}

}  // namespace
}  // namespace vt
