#include "AppTestSupport.h"

#include "app/MediaFiles.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

TEST(MediaFiles, ProbesLengthsPeaksAndThumbnails)
{
    test::TempDir dir;
    MediaFiles media;
    const auto flat = test::makeClip(dir / "flat.mp4", std::nullopt, 2);
    const auto turned = dir / "turned.mp4";
    ASSERT_EQ(test::run("ffmpeg -v error -y -i " + test::shellQuote(flat.string()) + " -c copy -metadata:s:v:0 rotate=90 " +
                        test::shellQuote(turned.string())),
              0);
    const auto info = media.probeVideo(turned.string());
    ASSERT_TRUE(info);
    EXPECT_EQ(info->naturalWidth, 96);
    EXPECT_EQ(info->naturalHeight, 64);
    // The tag turns the picture a quarter turn counter-clockwise for display,
    // as ffmpeg itself shows it (see the frame test of the application model).
    EXPECT_EQ(info->transform, (AffineTransform{0, -1, 1, 0, 0, 96}));
    EXPECT_NEAR(info->duration, 2, 0.05);
    EXPECT_NEAR(info->fps, 10, 0.01);

    // Half a second of silence, then half a second of a loud tone.
    const auto sound = dir / "sound.wav";
    ASSERT_EQ(test::run("ffmpeg -v error -y -f lavfi -i anullsrc=r=16000:cl=mono:d=0.5 -f lavfi -i sine=f=440:r=16000:d=0.5 "
                        "-filter_complex concat=n=2:v=0:a=1 " +
                        test::shellQuote(sound.string())),
              0);
    EXPECT_FALSE(media.probeVideo(sound.string()));
    EXPECT_NEAR(media.duration(sound.string()).value_or(0), 1, 0.02);
    const auto peaks = media.peaks(sound.string());
    ASSERT_EQ(peaks.size(), 50u);
    EXPECT_LT(peaks[10], 0.01f);
    EXPECT_GT(peaks[40], 0.1f);

    BRoll video;
    video.path = flat.string();
    EXPECT_EQ(media.thumbnail(video)->size(), QSize(240, 160));
    const auto picture = dir / "picture.png";
    QImage(480, 960, QImage::Format_RGB32).save(QString::fromStdString(picture.string()));
    BRoll still;
    still.path = picture.string();
    EXPECT_EQ(media.thumbnail(still)->size(), QSize(120, 240));

    const std::string missing = (dir / "missing.mp4").string();
    EXPECT_FALSE(media.probeVideo(missing));
    EXPECT_FALSE(media.duration(missing));
    EXPECT_TRUE(media.peaks(missing).empty());
}

}  // namespace
}  // namespace vt
