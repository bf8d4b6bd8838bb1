#include "platform/media/MediaError.h"
#include "platform/media/VideoFile.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

TEST(VideoFile, FactsAndTheFrameNearestEachTime)
{
    test::TempDir dir;
    // One second of black, then one of white, at 10 frames a second.
    const auto video = dir / "halves.mp4";
    ASSERT_EQ(test::run("ffmpeg -v error -y -f lavfi -i color=c=black:s=64x32:r=10:d=1 -f lavfi -i color=c=white:s=64x32:r=10:d=1 "
                        "-filter_complex concat=n=2:v=1 -c:v libx264 -preset ultrafast -pix_fmt yuv420p " +
                        test::shellQuote(video.string())),
              0);
    media::VideoFile file(video);
    ASSERT_TRUE(file.hasVideo());
    const media::VideoFacts facts = file.facts();
    EXPECT_EQ(facts.width, 64);
    EXPECT_EQ(facts.height, 32);
    EXPECT_EQ(facts.rotation, 0);
    EXPECT_NEAR(facts.fps, 10, 0.01);
    EXPECT_NEAR(facts.duration, 2, 0.05);
    EXPECT_FALSE(facts.isHDR);

    std::vector<std::optional<int>> brightness;
    file.frames({0.93, 1.04, 1.9, 5}, 16, 1.0, [&](std::size_t, std::optional<media::Picture> picture) {
        brightness.push_back(picture ? std::optional(int(picture->bgra[0])) : std::nullopt);
        if (picture) {
            EXPECT_EQ(picture->width, 16);
        }
    });
    ASSERT_EQ(brightness.size(), 4u);
    EXPECT_LT(brightness[0].value_or(255), 60);   // 0.9 s is nearer than 1.0 s
    EXPECT_GT(brightness[1].value_or(0), 200);    // 1.0 s is nearer than 0.9 s
    EXPECT_GT(brightness[2].value_or(0), 200);
    EXPECT_FALSE(brightness[3]);                 // no frame within a second of 5 s

    test::writeFile(dir / "junk.mp4", "junk");
    EXPECT_THROW(media::VideoFile(dir / "junk.mp4"), media::MediaError);
}

}  // namespace
}  // namespace vt
