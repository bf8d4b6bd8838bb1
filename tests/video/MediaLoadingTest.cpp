#include "platform/media/MediaError.h"
#include "speech/CaptionError.h"
#include "support/TestVideos.h"
#include "video/MediaLoading.h"

#include <gtest/gtest.h>

using namespace vt;
using vt::test::CountingVideo;
using vt::test::makeCountingVideo;
using vt::test::run;
using vt::test::shellQuote;
using vt::test::TempDir;

namespace {

VideoClip clip(double duration, std::optional<double> volume = std::nullopt)
{
    VideoClip c;
    c.path = "/clips/" + c.id.text() + ".mov";
    c.duration = duration;
    if (volume) {
        c.adjust = ItemAdjust{};
        c.adjust->volume = *volume;
    }
    return c;
}

SourceVideoInfo facts(double fps, bool hdr, double width = 1920)
{
    SourceVideoInfo info;
    info.naturalWidth = width;
    info.naturalHeight = 1080;
    info.fps = fps;
    info.isHDR = hdr;
    return info;
}

}  // namespace

TEST(MediaLoading, ProbesSizeTransformRateAndLength)
{
    TempDir dir;
    auto plain = makeCountingVideo(dir, "plain.mp4", {.rate = 25, .frames = 10});
    auto turned = vt::test::withRotateTag(plain, 90);
    auto fast = makeCountingVideo(dir, "fast.mp4", {.rate = 120, .frames = 12});
    auto slow = makeCountingVideo(dir, "slow.mp4", {.rate = 0.5, .frames = 2});

    const SourceVideoInfo info = MediaLoading::loadSourceVideoInfo(plain);
    EXPECT_EQ(info.naturalWidth, 64);
    EXPECT_EQ(info.naturalHeight, 48);
    EXPECT_EQ(info.transform, AffineTransform{});
    EXPECT_NEAR(info.fps, 25, 1e-4);
    EXPECT_NEAR(info.duration, 0.4, 0.03);
    EXPECT_FALSE(info.isHDR);
    // A quarter counter-clockwise: the platform's "left" transform.
    EXPECT_EQ(MediaLoading::loadSourceVideoInfo(turned).transform, (AffineTransform{0, -1, 1, 0, 0, 64}));
    EXPECT_EQ(MediaLoading::loadSourceVideoInfo(fast).fps, 60);
    EXPECT_EQ(MediaLoading::loadSourceVideoInfo(slow).fps, 30);

    auto sound = dir / "sound.wav";
    ASSERT_EQ(run("ffmpeg -v error -y -f lavfi -i sine=d=0.5 " + shellQuote(sound.string())), 0);
    try {
        MediaLoading::loadSourceVideoInfo(sound);
        ADD_FAILURE() << "a file without picture has no video track";
    } catch (const CaptionError& e) {
        EXPECT_EQ(e.kind(), CaptionError::Case::noVideoTrack);
    }
    EXPECT_THROW(MediaLoading::loadSourceVideoInfo(dir / "missing.mp4"), media::MediaError);
}

TEST(MediaLoading, TransformsTurnTheStoredRectangleUpright)
{
    struct Case {
        int clockwise;
        AffineTransform transform;
    };
    for (const Case& c : {Case{0, {}}, Case{90, {0, 1, -1, 0, 48, 0}}, Case{180, {-1, 0, 0, -1, 64, 48}}, Case{270, {0, -1, 1, 0, 0, 64}}})
        EXPECT_EQ(MediaLoading::transformFor(c.clockwise, 64, 48), c.transform) << c.clockwise;
}

TEST(MediaLoading, ClipMediaCoversTheClipsWithFactsInSpanOrder)
{
    Project project;
    project.clips = std::vector<VideoClip>{clip(10, -6), clip(5), clip(3, -39.95)};
    project.sourceDuration = 18;
    project.audioCleanup = AudioCleanup{};
    const auto& clips = *project.clips;
    const std::map<Uuid, SourceVideoInfo> info{{clips[0].id, facts(25, true)}, {clips[2].id, facts(60, false, 1280)}};
    const std::map<Uuid, std::filesystem::path> cleaned{{clips[0].id, "/cache/a.m4a"}};

    const auto media = MediaLoading::clipMedia(project, info, cleaned, true);
    ASSERT_EQ(media.size(), 2u);
    EXPECT_EQ(media[0].id, clips[0].id);
    EXPECT_EQ(media[0].url, clips[0].path);
    EXPECT_NEAR(media[0].gain, 0.501187, 1e-6);
    EXPECT_EQ(media[0].audioURL, std::filesystem::path("/cache/a.m4a"));
    EXPECT_EQ(media[1].start, 15) << "a later clip keeps its place after an unread one";
    EXPECT_EQ(media[1].duration, 3);
    EXPECT_EQ(media[1].gain, 0);
    EXPECT_FALSE(media[1].audioURL);
    EXPECT_FALSE(MediaLoading::clipMedia(project, info, cleaned, false)[0].audioURL);
    project.audioCleanup.reset();
    EXPECT_FALSE(MediaLoading::clipMedia(project, info, cleaned, true)[0].audioURL);

    const auto summary = MediaLoading::summary(project, info);
    ASSERT_TRUE(summary);
    EXPECT_EQ(summary->naturalWidth, 1920);
    EXPECT_EQ(summary->fps, 60);
    EXPECT_FALSE(summary->isHDR);
    EXPECT_EQ(summary->duration, 18);
    EXPECT_FALSE(MediaLoading::summary(project, {}));

    for (auto [volume, gain] : {std::pair{0.0, 1.0}, {6.0, 1.995262}, {-20.0, 0.1}, {-39.9, 0.010116}, {-40.0, 0.0}})
        EXPECT_NEAR(MediaLoading::clipGain(clip(1, volume).adjust), gain, 1e-6) << volume;
    EXPECT_EQ(MediaLoading::clipGain(std::nullopt), 1);
}

TEST(MediaLoading, AProjectWithoutAClipListIsItsMainVideo)
{
    Project project;
    project.videoPath = "/videos/talk.mov";
    project.sourceDuration = 12;
    const auto media = MediaLoading::clipMedia(project, {{project.id, facts(30, false)}}, {}, true);
    ASSERT_EQ(media.size(), 1u);
    EXPECT_EQ(media[0].id, project.id);
    EXPECT_EQ(media[0].url, "/videos/talk.mov");
    EXPECT_EQ(media[0].gain, 1);
}

TEST(MediaLoading, JoinedPeaksHoldEveryClipsLengthPaddedOrCut)
{
    Project project;
    project.clips = std::vector<VideoClip>{clip(1.25), clip(2), clip(0.5)};
    const auto& clips = *project.clips;
    const std::map<Uuid, std::vector<float>> peaks{{clips[0].id, std::vector<float>(70, 0.5f)}, {clips[2].id, {1, 1}}};
    const auto joined = MediaLoading::joinPeaks(project.spans(), peaks);
    ASSERT_EQ(joined.size(), 63u + 100u + 25u);
    EXPECT_EQ(joined[62], 0.5f);
    EXPECT_EQ(joined[63], 0.0f) << "a clip not loaded yet is silence of its length";
    EXPECT_EQ(joined[163], 1.0f);
    EXPECT_EQ(joined[165], 0.0f);
}
