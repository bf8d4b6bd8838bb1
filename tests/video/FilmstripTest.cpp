#include "support/TestVideos.h"
#include "video/Filmstrip.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace vt;
using vt::test::makeCountingVideo;
using vt::test::run;
using vt::test::shellQuote;
using vt::test::TempDir;

namespace {

VideoClip clipOf(const std::filesystem::path& file, double duration)
{
    VideoClip c;
    c.path = file.string();
    c.duration = duration;
    return c;
}

}  // namespace

TEST(Filmstrip, SpacesPicturesEvenlyWithinTheirSlots)
{
    TempDir dir;
    auto file = makeCountingVideo(dir, "clip.mp4", {.rate = 5, .frames = 20});  // 4 s, a frame every 0.2 s
    const auto frames = Filmstrip::frames(file, 0.4, 3.6, 150);
    ASSERT_EQ(frames.size(), 8u);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const double time = 0.4 + 0.2 + 0.4 * double(i);
        EXPECT_NEAR(frames[i].time, time, 1e-9);
        EXPECT_LE(std::abs(vt::test::countedFrame(frames[i].image) * 0.2 - time), 0.2 + 1e-9) << "within half a slot";
        EXPECT_EQ(frames[i].image.width(), 64);
    }
    EXPECT_EQ(Filmstrip::frames(file, 0, 3.9, 5).size(), 5u);
    EXPECT_TRUE(Filmstrip::frames(dir / "never-opened.mp4", 2, 2, 150).empty());
    EXPECT_TRUE(Filmstrip::frames(dir / "missing.mp4", 0, 4, 150).empty());
}

TEST(Filmstrip, PicturesAreUprightAndWithinTheirBox)
{
    TempDir dir;
    // Left half light, right half dark, stored with a quarter turn.
    auto plain = dir / "plain.mp4";
    ASSERT_EQ(run("ffmpeg -v error -y -f lavfi -i nullsrc=s=320x240:r=5:d=2 -vf \"geq=lum='if(lt(X,W/2),235,16)':cb=128:cr=128\" "
                  "-c:v libx264 -preset ultrafast -pix_fmt yuv420p " +
                  shellQuote(plain.string())),
              0);
    auto file = vt::test::withRotateTag(plain, 90);
    auto reference = dir / "upright.png";  // ffmpeg turns the picture upright itself
    ASSERT_EQ(run("ffmpeg -v error -y -i " + shellQuote(file.string()) + " -frames:v 1 " + shellQuote(reference.string())), 0);
    const QImage want(QString::fromStdString(reference.string()));
    ASSERT_EQ(want.size(), QSize(240, 320));

    const auto frames = Filmstrip::frames(file, 0, 2, 150);
    ASSERT_FALSE(frames.empty());
    const QImage& got = frames[0].image;
    EXPECT_EQ(got.size(), QSize(135, 180));
    for (auto [x, y] : {std::pair{0.1, 0.1}, {0.9, 0.1}, {0.1, 0.9}, {0.9, 0.9}})
        EXPECT_NEAR(qGray(got.pixel(int(x * got.width()), int(y * got.height()))), qGray(want.pixel(int(x * 240), int(y * 320))), 40)
            << x << "," << y;
}

TEST(Filmstrip, NearestTakesTheCloserFrameAndTheEarlierOnATie)
{
    std::vector<Filmstrip::Frame> frames{{0.5, {}}, {1.5, {}}, {2.5, {}}};
    for (auto [time, want] : {std::pair{1.0, 0.5}, {-3.0, 0.5}, {1.9, 1.5}, {2.1, 2.5}, {99.0, 2.5}})
        EXPECT_EQ(Filmstrip::nearest(frames, time)->time, want) << time;
    EXPECT_EQ(Filmstrip::nearest({}, 1), nullptr);
}

TEST(Filmstrip, FramesAtSourceGoToTheClipTheyFallIn)
{
    TempDir dir;
    auto first = makeCountingVideo(dir, "a.mp4");  // 2 s at 10 fps
    auto second = makeCountingVideo(dir, "b.mp4");
    const std::vector<ClipSpan> spans{{clipOf(first, 2), 0}, {clipOf(second, 2), 2}};
    const auto frames = Filmstrip::framesAtSource(spans, {1, -1, 10, 2}, 480);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_NEAR(frames[0].time, 1.0, 1e-9);
    EXPECT_NEAR(frames[1].time, 2.0, 1e-9) << "a border time belongs to the later clip";
    EXPECT_NEAR(frames[2].time, 3.95, 1e-9) << "a time past the end goes to the last clip, 0.05 s inside";
    EXPECT_NEAR(vt::test::countedFrame(frames[0].image), 10, 1);
    EXPECT_NEAR(vt::test::countedFrame(frames[1].image), 0, 1);
    EXPECT_NEAR(vt::test::countedFrame(frames[2].image), 19, 1);

    const auto joined = Filmstrip::join(spans, {{spans[1].clip.id, {{0.5, {}}}}, {spans[0].clip.id, {{1.5, {}}}}});
    ASSERT_EQ(joined.size(), 2u);
    EXPECT_EQ(joined[0].time, 1.5);
    EXPECT_EQ(joined[1].time, 2.5);
}
